#pragma once
// The settings record's view of its registry key: one key, opened for reading or for writing,
// whose values are a type code and raw bytes. The Win32 store works on a key of the current
// user given by its creator; tests substitute their own.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The registry's own type codes, so that what a double records reads like what Windows stores.
enum class RegistryType : std::uint32_t {
    None = 0,
    String = 1,        // REG_SZ
    ExpandString = 2,  // REG_EXPAND_SZ
    Binary = 3,        // REG_BINARY
    Dword = 4,         // REG_DWORD (little-endian)
};

struct StoredValue {
    RegistryType type = RegistryType::None;
    std::vector<std::uint8_t> bytes;
};

class RegistryKey {
public:
    virtual ~RegistryKey() = default;  // closes the key
    // The whole value, or nothing when it is missing or cannot be read.
    virtual std::optional<StoredValue> Query(std::u16string_view name) = 0;
    // Failures of single writes are the caller's to ignore.
    virtual bool Set(std::u16string_view name, RegistryType type,
                     std::span<const std::uint8_t> bytes) = 0;
};

class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    // Each creates the key when it is missing; nothing when the key cannot be had.
    virtual std::unique_ptr<RegistryKey> OpenForRead() = 0;
    virtual std::unique_ptr<RegistryKey> OpenForWrite() = 0;
};
