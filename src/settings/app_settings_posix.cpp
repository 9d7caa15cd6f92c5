#include "settings/app_settings.h"

#include "settings/memory_registry_store.h"

// Native builds have no registry and no fonts: the record lives in memory for the process and
// keeps only the font's description.
AppSettings& AppSettings::Instance() {
    static AppSettings instance(Seams{std::make_unique<MemoryRegistryStore>(), nullptr, u""});
    return instance;
}
