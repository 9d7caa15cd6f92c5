#include "data/platform.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "base/file_path_win32.h"
#include "base/handles_win32.h"
#include "base/wide_text.h"

namespace {

class Win32FileSystem final : public FileSystem {
public:
    bool ReadFileBytes(const std::u16string& path, std::string& bytes) override {
        bytes.clear();
        const UniqueHandle file(CreateFileW(FileSystemPath(Wide(path)).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file.Valid()) return false;
        try {
            LARGE_INTEGER size{};
            size_t expected = 0;
            if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
                expected = static_cast<size_t>(size.QuadPart);
            // One unit more than the size, so that the read which finds the end needs no
            // growth; a file that grows meanwhile is read to its new end all the same.
            bytes.resize(expected + 1);
            size_t used = 0;
            for (;;) {
                if (used == bytes.size()) bytes.resize(bytes.size() * 2);
                const DWORD want =
                    static_cast<DWORD>(std::min<size_t>(bytes.size() - used, 64u * 1024 * 1024));
                DWORD got = 0;
                if (!ReadFile(file, bytes.data() + used, want, &got, nullptr) || got == 0) break;
                used += got;
            }
            bytes.resize(used);
        } catch (const std::bad_alloc&) {
            // A file too large to hold reads as unreadable rather than ending the program.
            bytes.clear();
            bytes.shrink_to_fit();
            return false;
        }
        return true;
    }

    std::vector<std::u16string> FindFiles(const std::u16string& pattern) override {
        std::vector<std::u16string> names;
        WIN32_FIND_DATAW found;
        const FindHandle search(FindFirstFileW(FileSystemPath(Wide(pattern)).c_str(), &found));
        if (!search.Valid()) return names;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            names.push_back(U16(found.cFileName));
        } while (FindNextFileW(search, &found));
        return names;
    }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem system;
    return system;
}

void SystemAnsiToUtf16(std::string_view bytes, std::u16string& out) {
    out.clear();
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return;
    const int length = static_cast<int>(bytes.size());
    // No code page yields more UTF-16 units than it was given bytes, so one call is almost
    // always enough; the size query is the fallback should one ever do.
    out.resize(bytes.size());
    int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length,
                                    reinterpret_cast<wchar_t*>(out.data()), length);
    if (units == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
        out.resize(static_cast<size_t>(std::max(units, 0)));
        units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length,
                                    reinterpret_cast<wchar_t*>(out.data()), units);
    }
    out.resize(static_cast<size_t>(std::max(units, 0)));
}

std::u16string FileNameKey(std::u16string_view name) {
    std::u16string key(name);
    if (key.empty() || key.size() > 0x7FFFFFFF) return key;
    // The invariant locale: the file system's upper case is the same in every language.
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE,
                    reinterpret_cast<const wchar_t*>(name.data()), static_cast<int>(name.size()),
                    reinterpret_cast<wchar_t*>(key.data()), static_cast<int>(key.size()), nullptr,
                    nullptr, 0);
    return key;
}
