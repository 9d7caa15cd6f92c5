#pragma once
// A registry key kept in memory: the native builds' store and the tests' double. It remembers
// the order of the writes and can be told to refuse opening, as a locked-down key would.
#include "settings/registry_store.h"

#include <map>
#include <string>

class MemoryRegistryStore final : public RegistryStore {
public:
    struct Contents {
        std::map<std::u16string, StoredValue> values;
        std::vector<std::u16string> writeOrder;  // names in the order of every Set
        bool refuseRead = false;
        bool refuseWrite = false;
        int opensForWrite = 0;
    };

    MemoryRegistryStore() : contents_(std::make_shared<Contents>()) {}
    // Stores that share contents see each other's writes, as two openings of one key would.
    explicit MemoryRegistryStore(std::shared_ptr<Contents> contents)
        : contents_(std::move(contents)) {}

    std::unique_ptr<RegistryKey> OpenForRead() override;
    std::unique_ptr<RegistryKey> OpenForWrite() override;

private:
    std::shared_ptr<Contents> contents_;
};
