#include "data/folder_watcher_win32.h"

#include <process.h>

#include <utility>

#include "app/messages.h"

namespace {

// Creating, deleting and renaming files, and writes that change a file's last-write time.
// Attribute changes and subfolders are left out on purpose.
constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;

// How often the worker makes sure that the folder it watches is still the one at its path.
// Neither Wine nor every file system signals the notification when the watched folder itself
// goes away, and a watch on a folder that is gone would wait for nothing for the rest of the
// session. This is no polling for changes: a check that finds the folder in place does nothing.
constexpr DWORD kFolderCheckMs = 1000;

bool QueryFolderId(const std::wstring& path, FolderWatcher::FolderId& id) {
    // Sharing everything, so that this short look never stands in the way of the user
    // renaming or deleting the folder.
    const HANDLE folder = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(folder, &info) &&
                    (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CloseHandle(folder);
    if (ok) id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return ok;
}

}  // namespace

FolderWatcher::FolderWatcher(std::wstring path, HWND window)
    : path_(std::move(path)), window_(window), message_(WM_DATA_FOLDER_CHANGED) {
    // The notification is requested here rather than by the worker, so that the watch is in
    // force when the constructor returns: a change made right after a restart is not lost to
    // the time the thread needs to start.
    if (path_.empty()) return;
    notification_ = FindFirstChangeNotificationW(path_.c_str(), FALSE, kWatchedChanges);
    if (notification_ == INVALID_HANDLE_VALUE) return;
    if (!QueryFolderId(path_, folderId_)) {
        FindCloseChangeNotification(notification_);
        notification_ = INVALID_HANDLE_VALUE;
        return;
    }

    stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (stopEvent_) {
        thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Worker, this, 0, nullptr));
    }
    if (!thread_) {
        FindCloseChangeNotification(notification_);
        notification_ = INVALID_HANDLE_VALUE;
    }
}

FolderWatcher::~FolderWatcher() {
    if (thread_) {
        SetEvent(stopEvent_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (stopEvent_) CloseHandle(stopEvent_);
}

unsigned __stdcall FolderWatcher::Worker(void* self) {
    static_cast<FolderWatcher*>(self)->Watch();
    return 0;
}

bool FolderWatcher::StillWatched() const {
    // A folder that was deleted, or moved away and perhaps replaced by another of the same
    // name, is no longer what the notification reports on. A folder being deleted under
    // Windows already fails to open here.
    FolderId now;
    return QueryFolderId(path_, now) && now == folderId_;
}

void FolderWatcher::Watch() {
    const HANDLE handles[2] = {stopEvent_, notification_};
    for (;;) {
        // The stop event comes first: when both are signalled the wait reports the lower
        // index, so a pending stop wins over a pending change.
        const DWORD woke = WaitForMultipleObjects(2, handles, FALSE, kFolderCheckMs);
        if (woke == WAIT_TIMEOUT) {
            if (StillWatched()) continue;
            // The folder's disappearance is its last change: reported once, then the watch
            // ends, since nothing more can be noticed through it.
            PostMessageW(window_, message_, 0, 0);
            break;
        }
        if (woke != WAIT_OBJECT_0 + 1) break;
        // One message for everything that happened since the notification was last armed;
        // the frame collapses bursts.
        PostMessageW(window_, message_, 0, 0);
        // A notification on a folder that has gone may fire again at once, or never: either
        // way going on could only spin or flood the frame.
        if (!StillWatched() || !FindNextChangeNotification(notification_)) break;
    }
    FindCloseChangeNotification(notification_);
}

void WatcherSlot::Restart(std::u16string_view dataFolderPath, HWND window) {
    std::u16string_view folder = dataFolderPath;
    if (!folder.empty() && folder.back() == u'\\') folder.remove_suffix(1);
    auto next = std::make_unique<FolderWatcher>(std::wstring(folder.begin(), folder.end()), window);
    watcher = std::move(next);  // destroys the old watcher, whose thread ends before this returns
}

void WatcherSlot::OnDataFolderChanged(bool homeViewActive,
                                      const std::function<void()>& dropLibrary) {
    if (homeViewActive) {
        changePending = true;
    } else if (dropLibrary) {
        dropLibrary();
    }
}

WatcherSlot& TheWatcherSlot() {
    static WatcherSlot slot;
    return slot;
}

void RestartFolderWatcher(std::u16string_view dataFolderPath, HWND window) {
    TheWatcherSlot().Restart(dataFolderPath, window);
}

void StopFolderWatcher() {
    TheWatcherSlot().Stop();
}

void OnDataFolderChanged(bool homeViewActive, const std::function<void()>& dropLibrary) {
    TheWatcherSlot().OnDataFolderChanged(homeViewActive, dropLibrary);
}
