#pragma once
// One run of the main frame: build it, run the message loop until the frame closes, tear it
// down.

#include <windows.h>

class AppSettings;
class VocabularyCache;
struct WatcherSlot;

// Returns the wParam of the WM_QUIT that ended the loop (1 after a normal close), or 0 when
// the frame window cannot be created. `normalSize` is the outer size of the frame before (none:
// zero), and becomes this one's as it closed.
int RunFrame(int showCmd, AppSettings& settings, VocabularyCache& cache, WatcherSlot& watcher,
             SIZE& normalSize);

// Runs frames until one closes without a restart request, clearing the request before each
// further run: a change of the font size rebuilds every window in the same process. Returns
// the result of the last RunFrame.
int RunFramesUntilExit(int showCmd, AppSettings& settings, VocabularyCache& cache,
                       WatcherSlot& watcher);
