// The program's tables walked in place: its image is mapped, so they are read where they lie.
#include "driver/probe/ImportRebinding.h"

namespace {

IMAGE_NT_HEADERS* NtHeaders(BYTE* base)
{
    return reinterpret_cast<IMAGE_NT_HEADERS*>(base +
                                               reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
}

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

void RebindImports(HMODULE module, const Rebinding* rebindings, size_t count)
{
    auto* base = reinterpret_cast<BYTE*>(module ? module : GetModuleHandleA(nullptr));
    const DWORD imports =
        NtHeaders(base)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports);
         imports && library->Name; ++library) {
        for (auto* slot = reinterpret_cast<FARPROC*>(base + library->FirstThunk); *slot; ++slot) {
            for (size_t i = 0; i < count; ++i) {
                if (*slot == GetProcAddress(kernel, rebindings[i].name))
                    RewriteSlot(slot, rebindings[i].replacement);
            }
        }
    }
}

void RebindDataSlots(FARPROC target, FARPROC replacement)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    IMAGE_NT_HEADERS* nt = NtHeaders(base);
    IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD n = 0; n < nt->FileHeader.NumberOfSections; ++n, ++section) {
        if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE))
            continue;
        auto* slots = reinterpret_cast<FARPROC*>(base + section->VirtualAddress);
        for (DWORD i = 0; i < section->Misc.VirtualSize / sizeof *slots; ++i) {
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
