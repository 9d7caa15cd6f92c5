#pragma once
// An in-memory FileSystem for core tests: files by full path, the names a search returns by
// pattern, and a record of what was asked.
#include <map>
#include <string>
#include <vector>

#include "data/platform.h"

class MemoryFileSystem final : public FileSystem {
public:
    std::map<std::u16string, std::string> files;                     // full path -> bytes
    std::map<std::u16string, std::vector<std::u16string>> searches;  // pattern -> names
    std::vector<std::u16string> readPaths;
    std::vector<std::u16string> patterns;

    bool ReadFileBytes(const std::u16string& path, std::string& bytes) override {
        readPaths.push_back(path);
        bytes = "stale";  // a reader must not rely on the buffer being empty
        const auto it = files.find(path);
        if (it == files.end()) {
            bytes.clear();
            return false;
        }
        bytes = it->second;
        return true;
    }

    std::vector<std::u16string> FindFiles(const std::u16string& pattern) override {
        patterns.push_back(pattern);
        const auto it = searches.find(pattern);
        return it == searches.end() ? std::vector<std::u16string>{} : it->second;
    }
};
