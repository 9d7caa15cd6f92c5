#pragma once
// The settings record's key in the current user's registry. Whoever makes the store names the
// key, so that the program uses its own and every test a key of its own.
#include "settings/registry_store.h"

#include <string>

class RegistryStoreWin32 final : public RegistryStore {
public:
    // subKey: a path under HKEY_CURRENT_USER, such as L"Software\\Korvanta\\Memorion".
    explicit RegistryStoreWin32(std::wstring subKey) : subKey_(std::move(subKey)) {}

    std::unique_ptr<RegistryKey> OpenForRead() override;
    std::unique_ptr<RegistryKey> OpenForWrite() override;

private:
    std::wstring subKey_;
};
