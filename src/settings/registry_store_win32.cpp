#include "settings/registry_store_win32.h"

#include <windows.h>

#include <utility>

#include "base/handles_win32.h"
#include "base/wide_text.h"

static_assert(static_cast<DWORD>(RegistryType::String) == REG_SZ);
static_assert(static_cast<DWORD>(RegistryType::ExpandString) == REG_EXPAND_SZ);
static_assert(static_cast<DWORD>(RegistryType::Binary) == REG_BINARY);
static_assert(static_cast<DWORD>(RegistryType::Dword) == REG_DWORD);

namespace {

class RegistryKeyWin32 final : public RegistryKey {
public:
    explicit RegistryKeyWin32(RegKey key) : key_(std::move(key)) {}

    // The size is asked first and the value read whole; should it grow between the two calls
    // (another process writing), the read is simply repeated with the new size.
    std::optional<StoredValue> Query(std::u16string_view name) override {
        const std::wstring zName = Wide(name);
        DWORD type = REG_NONE;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(key_, zName.c_str(), nullptr, &type, nullptr, &size);
        for (int attempt = 0; status == ERROR_SUCCESS && attempt < 8; ++attempt) {
            StoredValue value;
            value.bytes.resize(size);
            DWORD got = size;
            status = RegQueryValueExW(key_, zName.c_str(), nullptr, &type,
                                      size ? value.bytes.data() : nullptr, &got);
            if (status == ERROR_MORE_DATA) {
                size = got;
                status = ERROR_SUCCESS;
                continue;
            }
            if (status != ERROR_SUCCESS) break;
            value.bytes.resize(got);
            value.type = static_cast<RegistryType>(type);
            return value;
        }
        return std::nullopt;
    }

    bool Set(std::u16string_view name, RegistryType type,
             std::span<const std::uint8_t> bytes) override {
        return RegSetValueExW(key_, Wide(name).c_str(), 0, static_cast<DWORD>(type),
                              bytes.empty() ? nullptr : bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }

private:
    const RegKey key_;
};

std::unique_ptr<RegistryKey> Open(const std::wstring& subKey, REGSAM access) {
    RegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        access, nullptr, key.Put(), nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryKeyWin32>(std::move(key));
}

}  // namespace

std::unique_ptr<RegistryKey> RegistryStoreWin32::OpenForRead() {
    return Open(subKey_, KEY_READ);
}

std::unique_ptr<RegistryKey> RegistryStoreWin32::OpenForWrite() {
    return Open(subKey_, KEY_WRITE);
}
