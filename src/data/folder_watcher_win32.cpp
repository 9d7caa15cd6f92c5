#include "data/folder_watcher_win32.h"

#include <process.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "base/handles_win32.h"
#include "base/wide_text.h"

namespace {

// Creating, deleting and renaming files, and writes that change a file's last-write time.
// Attribute changes and subfolders are left out on purpose.
constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;

// How often the worker makes sure that the folder it watches is still the one at its path.
// Neither Wine nor every file system signals the notification when the watched folder itself
// goes away, and a watch on a folder that is gone would wait for nothing for the rest of the
// session. This is no polling for changes: a check that finds the folder in place does nothing.
constexpr DWORD kFolderCheckMs = 1000;

// Sharing everything, so that this short look never stands in the way of the user renaming
// or deleting the folder.
FolderLook LookAt(const std::wstring& path, FolderWatcher::FolderId& id) {
    const UniqueHandle folder(CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? FolderLook::Gone
                   : FolderLook::Unknown;  // held, being deleted, a share that hiccups
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(folder, &info)) return FolderLook::Unknown;
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return FolderLook::Gone;
    id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return FolderLook::Same;
}

}  // namespace

struct FolderWatcher::Watch {
    Watch(std::wstring folder, HWND receiver, UINT msg)
        : path(std::move(folder)), window(receiver), message(msg) {}
    void Run();
    void WaitForChanges();
    FolderLook Look() const;
    void Post();

    const std::wstring path;
    const HWND window;
    const UINT message;
    UniqueHandle stopEvent;
    UniqueHandle watching;            // set once the notification is in force
    ChangeNotification notification;  // the worker's
    FolderId folderId;
    // Once `stopped` is set under the lock no post is under way and none follows: by the time
    // a late worker wakes, the window may be gone or its handle another window's.
    std::mutex postLock;
    bool stopped = false;
};

FolderWatcher::FolderWatcher(std::wstring path, HWND window, UINT message)
    : watch_(std::make_shared<Watch>(std::move(path), window, message)) {
    Watch& w = *watch_;
    if (w.path.empty()) return;
    w.stopEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    w.watching.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!w.stopEvent || !w.watching) return;
    auto* share = new std::shared_ptr<Watch>(watch_);
    thread_.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Worker, share, 0, nullptr)));
    if (!thread_) {
        delete share;
        return;
    }
    // Until the watch is in force, so that a change made right after a restart is not lost to
    // the time the thread needs to start; but the folder may be on a share that does not
    // answer, and the worker asks it.
    const HANDLE watchingOrEnded[2] = {w.watching, thread_};
    if (WaitForMultipleObjects(2, watchingOrEnded, FALSE, kWorkerPatienceMs) == WAIT_OBJECT_0 + 1) {
        thread_.Reset();  // nothing to watch
    }
}

FolderWatcher::~FolderWatcher() {
    if (!thread_) return;
    {
        std::lock_guard<std::mutex> lock(watch_->postLock);
        watch_->stopped = true;
    }
    SetEvent(watch_->stopEvent);
    WaitForSingleObject(thread_, kWorkerPatienceMs);
}

unsigned __stdcall FolderWatcher::Worker(void* watch) {
    const std::unique_ptr<std::shared_ptr<Watch>> share(
        static_cast<std::shared_ptr<Watch>*>(watch));
    (*share)->Run();  // the last share frees the watch, here or in the watcher
    return 0;
}

const std::wstring& FolderWatcher::Path() const noexcept {
    return watch_->path;
}

bool FolderWatcher::IsWatching() const {
    return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}

// A folder that was deleted, or moved away and perhaps replaced by another of the same name,
// is no longer what the notification reports on.
FolderLook FolderWatcher::Watch::Look() const {
    FolderId now;
    const FolderLook look = LookAt(path, now);
    return look == FolderLook::Same && !(now == folderId) ? FolderLook::Gone : look;
}

void FolderWatcher::Watch::Post() {
    std::lock_guard<std::mutex> lock(postLock);
    if (!stopped) PostMessageW(window, message, 0, 0);
}

bool KeepWatching(FolderLook look, int& failedLooks) {
    if (look == FolderLook::Unknown) return ++failedLooks < kFailedLooksBeforeGone;
    if (look == FolderLook::Same) failedLooks = 0;
    return look == FolderLook::Same;
}

void FolderWatcher::Watch::Run() {
    notification.Reset(FindFirstChangeNotificationW(path.c_str(), FALSE, kWatchedChanges));
    if (!notification.Valid()) return;
    if (LookAt(path, folderId) == FolderLook::Same) {
        SetEvent(watching);
        WaitForChanges();
    }
    notification.Reset();  // the folder is not held open while the watcher lingers
}

void FolderWatcher::Watch::WaitForChanges() {
    const HANDLE handles[2] = {stopEvent, notification};
    int failedLooks = 0;
    for (;;) {
        // The stop event comes first: when both are signalled the wait reports the lower
        // index, so a pending stop wins over a pending change.
        const DWORD woke = WaitForMultipleObjects(2, handles, FALSE, kFolderCheckMs);
        if (woke == WAIT_TIMEOUT) {
            if (KeepWatching(Look(), failedLooks)) continue;
            // The folder's disappearance is its last change: reported once, then the watch
            // ends, since nothing more can be noticed through it. The home view starts a
            // new one when it finds the folder there again.
            Post();
            break;
        }
        if (woke != WAIT_OBJECT_0 + 1) break;
        // One message for everything that happened since the notification was last armed;
        // the frame collapses bursts.
        Post();
        // A notification on a folder that has gone may fire again at once, or never: either
        // way going on could only spin or flood the frame.
        if (!KeepWatching(Look(), failedLooks) || !FindNextChangeNotification(notification)) {
            break;
        }
    }
}

std::wstring WatchedPath(std::u16string_view dataFolderPath) {
    std::u16string_view folder = dataFolderPath;
    // "D:\" without its backslash is "D:", the current folder of drive D; a share's root
    // needs it too.
    const bool driveRoot = folder.size() == 3 && folder[1] == u':';
    const bool shareRoot = folder.size() > 2 && folder.substr(0, 2) == u"\\\\" &&
                           std::count(folder.begin() + 2, folder.end(), u'\\') == 2 &&
                           folder.back() == u'\\';
    if (!folder.empty() && folder.back() == u'\\' && !driveRoot && !shareRoot) {
        folder.remove_suffix(1);
    }
    return Wide(folder);
}

void WatcherSlot::Restart(std::u16string_view dataFolderPath) {
    watcher = std::make_unique<FolderWatcher>(WatchedPath(dataFolderPath), receiver, message);
}

void WatcherSlot::WatchAgainIfEnded(std::u16string_view dataFolderPath) {
    if (!watcher || !watcher->IsWatching()) Restart(dataFolderPath);
}
