// The import table walked in place: the module's image is mapped, so its tables are read
// where they lie.
#include "driver/ImportRebinding.h"

void RewriteSlot(FARPROC* slot, FARPROC replacement)
{
    DWORD was;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) {
        *slot = replacement;
        VirtualProtect(slot, sizeof *slot, was, &was);
    }
}

void RebindImports(HMODULE module, const Rebinding* rebindings, size_t count)
{
    auto* base = reinterpret_cast<BYTE*>(module ? module : GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
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
