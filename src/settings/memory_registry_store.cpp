#include "settings/memory_registry_store.h"

namespace {

class MemoryKey final : public RegistryKey {
public:
    MemoryKey(std::shared_ptr<MemoryRegistryStore::Contents> contents, bool writable)
        : contents_(std::move(contents)), writable_(writable) {}

    std::optional<StoredValue> Query(std::u16string_view name) override {
        const auto it = contents_->values.find(std::u16string(name));
        if (it == contents_->values.end()) return std::nullopt;
        return it->second;
    }

    bool Set(std::u16string_view name, RegistryType type,
             std::span<const std::uint8_t> bytes) override {
        if (!writable_) return false;
        contents_->values[std::u16string(name)] = StoredValue{type, {bytes.begin(), bytes.end()}};
        contents_->writeOrder.emplace_back(name);
        return true;
    }

private:
    std::shared_ptr<MemoryRegistryStore::Contents> contents_;
    bool writable_;
};

}  // namespace

std::unique_ptr<RegistryKey> MemoryRegistryStore::OpenForRead() {
    if (contents_->refuseRead) return nullptr;
    return std::make_unique<MemoryKey>(contents_, false);
}

std::unique_ptr<RegistryKey> MemoryRegistryStore::OpenForWrite() {
    if (contents_->refuseWrite) return nullptr;
    ++contents_->opensForWrite;
    return std::make_unique<MemoryKey>(contents_, true);
}
