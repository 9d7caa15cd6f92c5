#include "win/system_dll.h"

void LoadDllsFromSystemFolderOnly() {
    // Looked up rather than imported: a system without it would not start the program at all.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    if (const auto set = ProcOf<SetDirectories>(::GetModuleHandleW(L"kernel32.dll"),
                                                "SetDefaultDllDirectories")) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

HMODULE LoadSystemDll(const wchar_t* name) {
    return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
