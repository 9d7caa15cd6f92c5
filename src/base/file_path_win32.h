#pragma once
// The path by which the program opens, renames and deletes a file in a folder. In the plain form
// Windows reads a name like aux.mrn or com1.mrn, which Linux tools and archives make, as the
// device, and a read from it blocks for ever; it also drops trailing dots and blanks and stops at
// 260 characters. The "\\?\" form names the file as the folder search found it. Only the folder
// part is made full: a device name would turn the whole path into the device's.

#include <windows.h>

#include <string>
#include <string_view>

inline std::wstring FileSystemPath(std::wstring_view path) {
    if (path.starts_with(LR"(\\?\)") || path.starts_with(LR"(\\.\)")) return std::wstring(path);
    const size_t nameStart = path.find_last_of(L"\\/") + 1;  // npos + 1: a bare name
    if (nameStart == 0) return std::wstring(path);
    const std::wstring folder(path.substr(0, nameStart));
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = ::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()),
                                             full.data(), nullptr);
        if (got == 0) return std::wstring(path);
        if (got < full.size()) {
            full.resize(got);
            break;
        }
        full.resize(got);
    }
    const std::wstring prefix = full.starts_with(LR"(\\)") ? LR"(\\?\UNC)" : LR"(\\?\)";
    return prefix + (full.starts_with(LR"(\\)") ? full.substr(1) : full) +
           std::wstring(path.substr(nameStart));
}
