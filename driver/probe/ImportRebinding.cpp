// The program's tables walked in place: its image is mapped, so they are read where they lie.
#include "driver/probe/ImportRebinding.h"

#include "format/PeHeaders.h"

namespace {

// A loaded module's headers lie whole in its first page.
constexpr size_t HeaderPageSize = 4096;

// Points one slot elsewhere, through the page's protection.
void RewriteSlot(FARPROC* slot, FARPROC replacement)
{
    DWORD was;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) {
        *slot = replacement;
        VirtualProtect(slot, sizeof *slot, was, &was);
    }
}

}  // namespace

void RebindImports(std::span<const Rebinding> rebindings, HMODULE module)
{
    auto* base = reinterpret_cast<BYTE*>(module ? module : GetModuleHandleA(nullptr));
    const DWORD imports =
        PeHeaders(base, HeaderPageSize).DirectoryAddress(PeHeaders::ImportDirectory);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports);
         imports && library->Name; ++library) {
        for (auto* slot = reinterpret_cast<FARPROC*>(base + library->FirstThunk); *slot; ++slot) {
            for (const Rebinding& rebinding : rebindings) {
                if (*slot == GetProcAddress(kernel, rebinding.name))
                    RewriteSlot(slot, rebinding.replacement);
            }
        }
    }
}

void RebindDataSlots(FARPROC target, FARPROC replacement)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const PeHeaders headers(base, HeaderPageSize);
    for (unsigned n = 0; n < headers.SectionCount(); ++n) {
        const PeSection section = headers.Section(n);
        if (!(section.characteristics & IMAGE_SCN_MEM_WRITE))
            continue;
        auto* slots = reinterpret_cast<FARPROC*>(base + section.virtualAddress);
        for (DWORD i = 0; i < section.virtualSize / sizeof *slots; ++i) {
            if (slots[i] == target)
                RewriteSlot(&slots[i], replacement);
        }
    }
}

// Each library links its own copy, and so has its own flag.
LRESULT RebindOnFirstMessage(void (*rebind)(), int code, WPARAM wParam, LPARAM lParam)
{
    static bool rebound = false;
    if (!rebound) {
        rebound = true;
        rebind();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
