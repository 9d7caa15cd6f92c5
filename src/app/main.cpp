#include <windows.h>

#include <cstdlib>

#include "app/run_frame.h"
#include "app/single_instance.h"
#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "settings/app_settings.h"
#include "views/smart_edit.h"
#include "win/app_module.h"
#include "win/system_dll.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCmd) {
    // What the program, the shell and the common dialogs load from here on comes from the
    // system folder only, never from a file of that name lying beside the program.
    LoadDllsFromSystemFolderOnly();
    // Before anything is loaded: a second copy changes nothing and leaves the running one to
    // the user.
    const SingleInstance copy;
    if (!copy.IsOnlyCopy()) {
        ShowRunningCopy();
        return 0;
    }
    AppModule().Init(instance);
    std::srand(::GetTickCount());
    // First use: loaded before any window exists, and so destroyed, and saved, last.
    AppSettings& settings = AppSettings::Instance();
    VocabularyCache& cache = VocabularyCache::Instance();
    // Across frame restarts too; it stops watching when the program ends.
    WatcherSlot watcher;

    // The answer field's colours live as long as the process, across frame restarts.
    CreateFlashColorTable();
    const int result = RunFramesUntilExit(showCmd, settings, cache, watcher);
    DeleteFlashColorTable();

    AppModule().Term();
    return result;
}
