#include "app/run_frame.h"

#include <windows.h>

#include "app/main_frame.h"
#include "base/handles_win32.h"
#include "settings/app_settings.h"
#include "win/app_module.h"
#include "win/message_loop.h"

namespace {

// A frame that dies outside its loop (its creation failed half-way) still posts its quit
// message; left in the queue, it would end the next run at once.
void DiscardQuitMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Returns the wParam of the WM_QUIT that ended the loop (1 after a normal close), or 0 when
// the frame window cannot be created. `normalSize` is the outer size of the frame before (none:
// zero), and becomes this one's as it closed.
int RunFrame(int showCmd, AppSettings& settings, VocabularyCache& cache, WatcherSlot& watcher,
             SIZE& normalSize) {
    // Screen readers in other processes reach the windows' accessible objects through COM, and
    // a live region is marked by a COM service: the thread is in an apartment while it has
    // windows.
    const ComScope com(COINIT_APARTMENTTHREADED);
    CMessageLoop loop;
    const bool registered = AppModule().AddMessageLoop(&loop);
    int result = 0;
    {
        CMainFrame frame(settings, cache, watcher);
        frame.Follow(normalSize);
        if (frame.CreateFrame()) {
            frame.ShowWindow(showCmd);
            result = loop.Run();
        }
        if (frame.IsWindow()) frame.DestroyWindow();
        normalSize = frame.NormalSize();
    }
    DiscardQuitMessages();
    if (registered) AppModule().RemoveMessageLoop();
    return result;
}

}  // namespace

int RunFramesUntilExit(int showCmd, AppSettings& settings, VocabularyCache& cache,
                       WatcherSlot& watcher) {
    SIZE normalSize{};
    int result = RunFrame(showCmd, settings, cache, watcher, normalSize);
    while (settings.RestartRequested) {
        settings.RestartRequested = false;
        result = RunFrame(showCmd, settings, cache, watcher, normalSize);
    }
    return result;
}
