#pragma once
// One run of the main frame: build it, run the message loop until the frame closes, tear it
// down.

#include <windows.h>

class AppSettings;
class VocabularyCache;
struct WatcherSlot;

// Runs frames until one closes without a restart request, clearing the request before each
// further run: a change of the font size rebuilds every window in the same process. Returns
// the result of the last RunFrame.
int RunFramesUntilExit(int showCmd, AppSettings& settings, VocabularyCache& cache,
                       WatcherSlot& watcher);
