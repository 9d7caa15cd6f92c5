#pragma once
// DLLs from the system folder only. Windows looks for a DLL beside the program first, unless
// it is one of the few it always takes from the system folder: a file of the same name in the
// folder the program was unpacked to would be loaded instead.

#include <windows.h>

// From now on, every load by name in this process searches the system folder alone. Systems
// too old to know the setting are left as they are.
void LoadDllsFromSystemFolderOnly();

// `name` from the system folder, or null (then the caller does without it).
HMODULE LoadSystemDll(const wchar_t* name);

// The function `name` of `module` as a pointer of type F, or null.
template <class F>
F ProcOf(HMODULE module, const char* name) {
    // Through a pointer type that the compiler lets any function pointer become.
    return module
               ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)))
               : nullptr;
}
