#include "data/folder_watcher_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "harness.h"
#include "view/messages.h"

namespace {

// A message-only window that counts the notifications it receives through its own window
// procedure, as the frame would.
class Receiver {
public:
    Receiver() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &Receiver::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"MemorionWatcherTestReceiver";
            return RegisterClassW(&wc);
        }();
        hwnd_ = CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { DestroyWindow(hwnd_); }

    HWND hwnd() const { return hwnd_; }
    int received() const { return received_; }

    // Pumps until at least `count` notifications have arrived or `ms` have passed; with
    // `alsoEnd`, until that handle is signalled too.
    bool WaitFor(int count, DWORD ms, HANDLE alsoEnd = nullptr) {
        const ULONGLONG deadline = GetTickCount64() + ms;
        for (;;) {
            Drain();
            const bool ended = !alsoEnd || WaitForSingleObject(alsoEnd, 0) == WAIT_OBJECT_0;
            if (received_ >= count && ended) return true;
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) return false;
            MsgWaitForMultipleObjects(alsoEnd ? 1 : 0, alsoEnd ? &alsoEnd : nullptr, FALSE,
                                      static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        }
    }
    // Pumps for the whole of `ms` and returns how many notifications arrived in all.
    int CountFor(DWORD ms) {
        WaitFor(INT_MAX, ms);
        return received_;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_DATA_FOLDER_CHANGED) {
            auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (self && wp == 0 && lp == 0) ++self->received_;
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    void Drain() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

    HWND hwnd_ = nullptr;
    int received_ = 0;
};

using harness::TempFolder;

// How long a report or a worker's end may take to come. A wait returns as soon as it comes,
// so the bound costs nothing when things go well and only spares a loaded machine.
constexpr DWORD kPatience = 5000;

bool WriteFileText(const std::wstring& path, const char* text, DWORD disposition) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
    return ok != FALSE;
}

// A handle of our own to the watcher's thread, to see it end after the watcher has closed its.
HANDLE DuplicateThread(const FolderWatcher& watcher) {
    HANDLE copy = nullptr;
    if (!watcher.Thread()) return nullptr;
    DuplicateHandle(GetCurrentProcess(), watcher.Thread(), GetCurrentProcess(), &copy,
                    SYNCHRONIZE | THREAD_QUERY_INFORMATION | THREAD_SUSPEND_RESUME, FALSE, 0);
    return copy;
}

TEST(FolderWatcher, ReportsFileChangesButNotAttributesOrSubfolders) {
    using Change = std::function<bool(const TempFolder&)>;
    const auto attribute = [](DWORD value) -> Change {
        return [value](const TempFolder& f) {
            return SetFileAttributesW(f.File(L"old.mrn").c_str(), value) != FALSE;
        };
    };
    const struct Row {
        const char* what;
        Change change;
        bool reported;
    } rows[] = {
        {"create",
         [](const TempFolder& f) {
             return WriteFileText(f.File(L"new.mrn"), "a\\b\n", CREATE_NEW);
         },
         true},
        {"write",
         [](const TempFolder& f) {
             return WriteFileText(f.File(L"old.mrn"), "c\\d\n", OPEN_ALWAYS);
         },
         true},
        {"rename",
         [](const TempFolder& f) {
             return MoveFileW(f.File(L"old.mrn").c_str(), f.File(L"moved.mrn").c_str()) != FALSE;
         },
         true},
        {"delete",
         [](const TempFolder& f) { return DeleteFileW(f.File(L"old.mrn").c_str()) != FALSE; },
         true},
        {"read-only", attribute(FILE_ATTRIBUTE_READONLY), false},
        {"hidden", attribute(FILE_ATTRIBUTE_HIDDEN), false},
        {"new subfolder",
         [](const TempFolder& f) {
             return CreateDirectoryW(f.File(L"sub").c_str(), nullptr) != FALSE;
         },
         false},
    };
    for (const Row& r : rows) {
        TempFolder folder;
        ASSERT_TRUE(WriteFileText(folder.File(L"old.mrn"), "x\\y\n", CREATE_NEW));
        Receiver receiver;
        FolderWatcher watcher(folder.Path(), receiver.hwnd(), WM_DATA_FOLDER_CHANGED);
        ASSERT_NE(watcher.Thread(), nullptr) << r.what;
        ASSERT_TRUE(r.change(folder)) << r.what;
        if (!r.reported) {
            EXPECT_EQ(receiver.CountFor(500), 0) << r.what;
            // Still watching: a real change afterwards is reported.
            ASSERT_TRUE(WriteFileText(folder.File(L"new.mrn"), "a\\b\n", CREATE_NEW));
        }
        EXPECT_TRUE(receiver.WaitFor(1, kPatience)) << r.what;
    }
}

// Removes an empty folder the way another program does. Under Wine a deletion through the
// Win32 API waits for every handle on the folder to close, the watch's own included, and is
// never reported; what removes a data folder there is a Linux program, so the test runs one.
bool RemoveFolderFromOutside(const std::wstring& path) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) {
        return RemoveDirectoryW(path.c_str()) != FALSE;
    }
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    char* name = unixName(path.c_str());
    if (!name) return false;
    std::wstring command = L"/bin/rmdir \"";
    for (const char* c = name; *c; ++c)
        command += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    command += L"\"";
    HeapFree(GetProcessHeap(), 0, name);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return false;
    }
    // Wine cannot wait for a Linux process: the folder goes a moment later, which the
    // caller's wait for the worker's end covers.
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

TEST(FolderWatcher, FolderThatGoesAwayEndsTheWorkerWithoutFlooding) {
    struct Row {
        const char* what;
        std::function<bool(const std::wstring& watched, const TempFolder& parent)> remove;
    };
    const Row rows[] = {
        {"deleted",
         [](const std::wstring& w, const TempFolder&) { return RemoveFolderFromOutside(w); }},
        {"moved away",
         [](const std::wstring& w, const TempFolder& p) {
             return MoveFileW(w.c_str(), p.File(L"moved").c_str()) != FALSE;
         }},
        {"replaced",
         [](const std::wstring& w, const TempFolder& p) {
             return MoveFileW(w.c_str(), p.File(L"moved").c_str()) &&
                    CreateDirectoryW(w.c_str(), nullptr);
         }},
    };
    for (const Row& r : rows) {
        TempFolder parent;
        const std::wstring watched = parent.File(L"data");
        ASSERT_TRUE(CreateDirectoryW(watched.c_str(), nullptr));
        Receiver receiver;
        FolderWatcher watcher(watched, receiver.hwnd(), WM_DATA_FOLDER_CHANGED);
        const HANDLE thread = DuplicateThread(watcher);
        ASSERT_NE(thread, nullptr);

        ASSERT_TRUE(r.remove(watched, parent)) << r.what;
        EXPECT_TRUE(receiver.WaitFor(0, kPatience, thread)) << r.what << ": the worker still runs";
        // No more than the one message, also when the folder is there again and changes.
        if (GetFileAttributesW(watched.c_str()) == INVALID_FILE_ATTRIBUTES) {
            CreateDirectoryW(watched.c_str(), nullptr);
        }
        WriteFileText(watched + L"\\a.mrn", "a\\b\n", CREATE_NEW);
        EXPECT_LE(receiver.CountFor(500), 1) << r.what;
        CloseHandle(thread);
    }
}

TEST(FolderWatcher, OnlyAFolderReallyGoneEndsTheWatchAndRootsKeepTheirBackslash) {
    using L = FolderLook;
    struct Row {
        const char* what;
        std::vector<FolderLook> looks;
        bool goesOn;
    } rows[] = {
        {"in place", {L::Same, L::Same}, true},
        {"not found, or another folder in its place", {L::Same, L::Gone}, false},
        {"held open for a moment", {L::Unknown, L::Unknown, L::Same, L::Unknown}, true},
        {"unanswered for five looks in a row",
         {L::Unknown, L::Unknown, L::Unknown, L::Unknown, L::Unknown},
         false},
    };
    for (const Row& r : rows) {
        int failed = 0;
        bool goesOn = true;
        for (FolderLook look : r.looks) goesOn = goesOn && KeepWatching(look, failed);
        EXPECT_EQ(goesOn, r.goesOn) << r.what;
    }
    EXPECT_EQ(WatchedPath(u"C:\\words\\"), L"C:\\words");
    EXPECT_EQ(WatchedPath(u"D:\\"), L"D:\\") << "\"D:\" is the current folder of drive D";
    EXPECT_EQ(WatchedPath(u"\\\\server\\share\\"), L"\\\\server\\share\\");
    EXPECT_EQ(WatchedPath(u"\\\\server\\share\\words\\"), L"\\\\server\\share\\words");
}

// A data folder that is not there, from the start or since it was removed, is watched from
// when the home view next looks for it.
TEST(FolderWatcher, AFolderMissingOrGoneIsWatchedAgainOnceItIsBack) {
    TempFolder parent;
    const std::wstring watched = parent.File(L"data");
    const std::u16string setting = U16(watched) + u"\\";
    Receiver receiver;
    WatcherSlot slot;
    slot.ReportTo(receiver.hwnd(), WM_DATA_FOLDER_CHANGED);
    slot.Restart(u"");
    EXPECT_EQ(slot.watcher->Thread(), nullptr) << "an empty path watches nothing";
    slot.Restart(setting);
    EXPECT_EQ(slot.watcher->Path(), watched) << "the trailing backslash is removed";
    EXPECT_EQ(slot.watcher->Thread(), nullptr) << "no worker for a folder that is not there";

    // The folder appears (as the home view's New creates it) and gets a file: nothing is
    // reported until it is watched again, and from then on changes are.
    ASSERT_TRUE(CreateDirectoryW(watched.c_str(), nullptr));
    ASSERT_TRUE(WriteFileText(watched + L"\\a.mrn", "a\\b\n", CREATE_NEW));
    EXPECT_EQ(receiver.CountFor(500), 0);
    slot.WatchAgainIfEnded(setting);
    ASSERT_TRUE(WriteFileText(watched + L"\\b.mrn", "a\\b\n", CREATE_NEW));
    ASSERT_TRUE(receiver.WaitFor(1, kPatience));

    // Emptied and removed from outside: the watch ends with the folder.
    ASSERT_TRUE(DeleteFileW((watched + L"\\a.mrn").c_str()));
    ASSERT_TRUE(DeleteFileW((watched + L"\\b.mrn").c_str()));
    const int emptied = receiver.CountFor(500);
    const HANDLE thread = DuplicateThread(*slot.watcher);
    ASSERT_TRUE(RemoveFolderFromOutside(watched));
    ASSERT_TRUE(receiver.WaitFor(emptied + 1, kPatience, thread)) << "the watch ends with it";
    CloseHandle(thread);
    ASSERT_TRUE(CreateDirectoryW(watched.c_str(), nullptr));
    slot.WatchAgainIfEnded(setting);
    EXPECT_TRUE(slot.watcher->IsWatching());
    const int before = receiver.received();
    ASSERT_TRUE(WriteFileText(watched + L"\\a.mrn", "a\\b\n", CREATE_NEW));
    EXPECT_TRUE(receiver.WaitFor(before + 1, kPatience));
    slot.Stop();
}

TEST(FolderWatcher, RestartAndStopEndTheOldWorkerAndWaitForItOnlySoLong) {
    TempFolder first, second;
    Receiver receiver;
    WatcherSlot slot;
    slot.ReportTo(receiver.hwnd(), WM_DATA_FOLDER_CHANGED);
    slot.Restart(U16(first.Path()) + u"\\");
    const HANDLE oldThread = DuplicateThread(*slot.watcher);
    slot.changePending = true;
    slot.Restart(U16(second.Path()) + u"\\");
    EXPECT_EQ(WaitForSingleObject(oldThread, 0), WAIT_OBJECT_0) << "the old worker has ended";
    CloseHandle(oldThread);
    EXPECT_TRUE(slot.changePending) << "a restart leaves the pending change alone";
    EXPECT_EQ(slot.watcher->Path(), second.Path());

    ASSERT_TRUE(WriteFileText(first.File(L"a.mrn"), "a\\b\n", CREATE_NEW));
    EXPECT_EQ(receiver.CountFor(500), 0);
    ASSERT_TRUE(WriteFileText(second.File(L"a.mrn"), "a\\b\n", CREATE_NEW));
    EXPECT_TRUE(receiver.WaitFor(1, kPatience));

    const HANDLE thread = DuplicateThread(*slot.watcher);
    slot.Stop();
    EXPECT_EQ(slot.watcher, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 0u);
    CloseHandle(thread);
    // Stopped means stopped: a change now is not reported.
    const int before = receiver.CountFor(200);
    ASSERT_TRUE(WriteFileText(second.File(L"b.mrn"), "a\\b\n", CREATE_NEW));
    EXPECT_EQ(receiver.CountFor(500), before);

    // A worker held up (in a look at a share that stopped answering, say) is not waited for
    // without end; it ends later on its own, with what it uses, and reports nothing.
    slot.Restart(U16(second.Path()) + u"\\");
    ASSERT_TRUE(WriteFileText(second.File(L"c.mrn"), "a\\b\n", CREATE_NEW));
    ASSERT_TRUE(receiver.WaitFor(before + 1, kPatience));
    const int reported = receiver.CountFor(200);  // held in its wait, not half-way in a look
    const HANDLE held = DuplicateThread(*slot.watcher);
    ASSERT_NE(SuspendThread(held), DWORD(-1));
    slot.Stop();
    ASSERT_TRUE(WriteFileText(second.File(L"d.mrn"), "a\\b\n", CREATE_NEW));
    ResumeThread(held);
    EXPECT_TRUE(receiver.WaitFor(0, kPatience, held)) << "the worker left alone never ended";
    EXPECT_EQ(receiver.CountFor(500), reported);
    CloseHandle(held);
}

}  // namespace
