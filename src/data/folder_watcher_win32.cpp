#include "data/folder_watcher_win32.h"

#include <process.h>

#include <algorithm>
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
    const UniqueHandle folder(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                          nullptr));
    if (folder == INVALID_HANDLE_VALUE) {
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

FolderWatcher::FolderWatcher(std::wstring path, HWND window, UINT message)
    : path_(std::move(path)), window_(window), message_(message) {
    // The notification is requested here rather than by the worker, so that the watch is in
    // force when the constructor returns: a change made right after a restart is not lost to
    // the time the thread needs to start.
    if (path_.empty()) return;
    ChangeNotification notification(
        FindFirstChangeNotificationW(path_.c_str(), FALSE, kWatchedChanges));
    if (notification == INVALID_HANDLE_VALUE) return;
    if (LookAt(path_, folderId_) != FolderLook::Same) return;

    stopEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stopEvent_) return;
    // The notification is the worker's from the moment it runs.
    auto start = std::make_unique<WorkerStart>(WorkerStart{this, std::move(notification)});
    thread_.Reset(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Worker, start.get(), 0, nullptr)));
    if (thread_) start.release();
}

FolderWatcher::~FolderWatcher() {
    if (thread_) {
        SetEvent(stopEvent_);
        WaitForSingleObject(thread_, INFINITE);
    }
}

unsigned __stdcall FolderWatcher::Worker(void* start) {
    const std::unique_ptr<WorkerStart> owned(static_cast<WorkerStart*>(start));
    owned->watcher->Watch(owned->notification);
    return 0;
}

bool FolderWatcher::IsWatching() const {
    return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}

// A folder that was deleted, or moved away and perhaps replaced by another of the same name,
// is no longer what the notification reports on.
FolderLook FolderWatcher::Look() const {
    FolderId now;
    const FolderLook look = LookAt(path_, now);
    return look == FolderLook::Same && !(now == folderId_) ? FolderLook::Gone : look;
}

bool KeepWatching(FolderLook look, int& failedLooks) {
    switch (look) {
    case FolderLook::Same:
        failedLooks = 0;
        return true;
    case FolderLook::Unknown:
        return ++failedLooks < kFailedLooksBeforeGone;
    case FolderLook::Gone:
        break;
    }
    return false;
}

void FolderWatcher::Watch(HANDLE notification) {
    const HANDLE handles[2] = {stopEvent_, notification};
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
            PostMessageW(window_, message_, 0, 0);
            break;
        }
        if (woke != WAIT_OBJECT_0 + 1) break;
        // One message for everything that happened since the notification was last armed;
        // the frame collapses bursts.
        PostMessageW(window_, message_, 0, 0);
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
    auto next = std::make_unique<FolderWatcher>(WatchedPath(dataFolderPath), receiver, message);
    watcher = std::move(next);  // destroys the old watcher, whose thread ends before this returns
}

void WatcherSlot::WatchAgainIfEnded(std::u16string_view dataFolderPath) {
    if (!watcher || !watcher->IsWatching()) Restart(dataFolderPath);
}

WatcherSlot& TheWatcherSlot() {
    static WatcherSlot slot;
    return slot;
}
