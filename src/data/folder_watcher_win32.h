#pragma once
// Notices outside changes to the data folder (an editor saving a word file, files copied in or
// removed) without polling: a worker thread waits on the folder's change notification and
// posts the message it was given to the window it was given (the main frame). The worker
// shares nothing with the rest of the program but its own watch; everything else here runs on
// the user-interface thread, which never waits for the worker without a bound.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/handles_win32.h"

// What a look at the watched folder's path finds: the folder watched, none (not found, or
// another folder in its place), or nothing certain (held open, being deleted, a share that
// does not answer for a moment).
enum class FolderLook { Same, Gone, Unknown };

// Looks that find nothing certain, a second apart, before the folder counts as gone.
constexpr int kFailedLooksBeforeGone = 5;

// How long starting or stopping a watcher waits for its worker. A worker held in a look at a
// share that stopped answering would otherwise hold the program for the network's time-out.
constexpr DWORD kWorkerPatienceMs = 500;

// Whether the watch goes on after `look`; `failedLooks` counts the uncertain looks in a row.
bool KeepWatching(FolderLook look, int& failedLooks);

// The folder to watch for a data folder path with its trailing backslash: without it, but
// for a drive's or a share's root, which needs it.
std::wstring WatchedPath(std::u16string_view dataFolderPath);

class FolderWatcher {
public:
    // Starts watching path (no trailing backslash) for files created, deleted, renamed or
    // written, posting `message` to `window` for them; waits kWorkerPatienceMs at most for
    // the watch to be in force. A folder that cannot be watched (missing, inaccessible, empty
    // path) gives a watcher that reports nothing and, once that is known, has no thread. When
    // the folder itself is deleted or moved away, that is reported once and the watch ends.
    FolderWatcher(std::wstring path, HWND window, UINT message);
    // Stops the worker: nothing is posted from then on. Returns when the worker has ended, or
    // after kWorkerPatienceMs, leaving it to end on its own.
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    // Which folder is watched, so that one moved away and replaced by another of the same name
    // is told apart from it.
    struct FolderId {
        DWORD volume = 0;
        DWORD indexHigh = 0;
        DWORD indexLow = 0;
        friend bool operator==(const FolderId&, const FolderId&) = default;
    };

    const std::wstring& Path() const noexcept;
    // The worker thread, or null when there is none; owned by the watcher.
    HANDLE Thread() const noexcept { return thread_; }
    // The worker runs: the folder is being watched.
    bool IsWatching() const;

private:
    // What the worker uses, the worker holding a share of it: one left to end on its own has
    // it until then.
    struct Watch;
    static unsigned __stdcall Worker(void* watch);

    std::shared_ptr<Watch> watch_;
    UniqueHandle thread_;
};

// The program keeps one of these from start to exit and hands it to each frame; tests make
// their own.
struct WatcherSlot {
    // Where the watchers report: set by the frame, which handles the message.
    void ReportTo(HWND window, UINT msg) {
        receiver = window;
        message = msg;
    }
    // Watches the data folder (given as the settings give it, with its trailing backslash).
    // The new watcher is running before the old one stops, so no change falls between.
    void Restart(std::u16string_view dataFolderPath);
    // Watches again when the watch has ended (the folder was gone) or never began: for when
    // the folder may be back.
    void WatchAgainIfEnded(std::u16string_view dataFolderPath);
    // Stops watching until the next Restart; the home view's own file operations do this.
    void Stop() noexcept { watcher.reset(); }

    HWND receiver = nullptr;
    UINT message = 0;
    std::unique_ptr<FolderWatcher> watcher;
    // A change arrived while the home view was active and has not been reported yet.
    bool changePending = false;
};
