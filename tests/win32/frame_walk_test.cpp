// A user wandering through a real frame while the data folder changes under it: seeded random
// walks over the moves between views, with what must always hold checked after every step.
// The views share the cache, the watcher slot and the score history, and their faults show
// only in orders no single-view test takes. A failure names its seed and step; setting
// MEMORION_WALK_SEED replays that one walk.

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/single_instance.h"
#include "data/word_file_commands.h"
#include "harness.h"
#include "settings/score_history.h"
#include "view/messages.h"

namespace {

using harness::DialogScript;
using harness::FrameHarness;
using harness::TempFolder;
using harness::TestSettings;
using Names = std::vector<std::u16string>;

HWND Descendant(HWND parent, int id) {
    if (HWND child = ::GetDlgItem(parent, id)) return child;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = Descendant(child, id)) return found;
    }
    return nullptr;
}

Names FileNames(const WordLibrary& library) {
    Names names;
    for (const WordFile& file : library) names.push_back(file.fileName);
    return names;
}

// The program as built, started as the user starts it: its exit code, or STILL_ACTIVE when it
// had not ended after some seconds (it is ended then). This copy's messages flow meanwhile.
DWORD RunProgram(FrameHarness& h) {
    const std::string built = MEMORION_EXE;
    std::wstring path(built.begin(), built.end());
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.starts_with(L"\\")) path = L"Z:" + path;  // built on Linux, run by Wine
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpFile = path.c_str();
    if (!::ShellExecuteExW(&run) || !run.hProcess) return ::GetLastError();
    harness::PumpUntil(
        h, [&] { return ::WaitForSingleObject(run.hProcess, 0) == 0; }, 15000);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(run.hProcess, &code);
    ::TerminateProcess(run.hProcess, 3);
    ::CloseHandle(run.hProcess);
    return code;
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t name[16]{};
    ::GetClassNameW(window, name, 16);
    if (::IsWindowVisible(window) && std::wstring(name) == L"#32770") {
        *reinterpret_cast<bool*>(found) = true;
    }
    return TRUE;
}

class Walk {
public:
    explicit Walk(unsigned seed) : m_rng(seed) {
        m_settings->WordOrder = WordOrders::Normal;
        m_settings->ConfirmExit = true;
        m_settings->SetScores({});
        m_settings.folder.Write(L"one.mrn", "a\\b\n");
        m_settings.folder.Write(L"two.mrn", "c\\d\ne\\f\n");
        m_settings->SetSelection({u"one.mrn"});
        Start();
    }

    void Step() {
        if (::GetForegroundWindow() != m_h->hWnd) ::SetForegroundWindow(m_h->hWnd);
        m_boxes.AnswerBoxes(Next(2) == 0);
        // Every view's key, the test's twice.
        static const std::vector<UINT> kGoTo = [] {
            std::vector<UINT> keys = FrameHarness::GoToKeys();
            keys.insert(keys.begin() + (ID_GOTO_TEST - ID_GOTO_HOME),
                        keys[ID_GOTO_TEST - ID_GOTO_HOME]);
            return keys;
        }();
        // Answers weigh most: a test must run to its end now and then.
        static constexpr int kMoves[] = {0, 0, 0, 1, 2, 3, 3, 3, 4, 5,  5,
                                         5, 5, 5, 5, 6, 7, 7, 8, 9, 10, 10};
        switch (kMoves[Next(std::size(kMoves))]) {
        case 0:
            m_h->Key(kGoTo[Next(kGoTo.size())]);
            break;
        case 1:  // a click in home's list
            if (Active() == Home().m_hWnd) {
                const auto count = static_cast<int>(::SendMessageW(List(), LB_GETCOUNT, 0, 0));
                for (int i = 0; i < count; ++i) ::SendMessageW(List(), LB_SETSEL, Next(2), i);
                ::SendMessageW(Home(), WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, LBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(List()));
            }
            break;
        case 2:
            m_h->Key(VK_F5);
            break;
        case 3:  // another program changes the folder; the watcher reports it
            ChangeFolderOutside();
            m_h->Pump();
            ::SendMessageW(Home(), WM_TIMER, CHomeView::kPendingChangeTimer, 0);
            break;
        case 4: {  // the other data folder, typed into Setup
            m_h->Key(VK_F9);
            const std::wstring other = m_settings.Folder() == m_other.Path() + L"\\"
                                           ? m_settings.folder.Path() + L"\\"
                                           : m_other.Path() + L"\\";
            ::SetWindowTextW(Descendant(m_h->frame.SetupView(), IDC_FOLDER), other.c_str());
            break;
        }
        case 5:  // an answer, right or wrong, and Enter; then some of its flash
            if (Active() == Test().m_hWnd && Test().Session() && !Test().Session()->Finished()) {
                const std::wstring right = Wide(Test().Session()->CurrentQuestion().answer);
                ::SetWindowTextW(Test().GetDlgItem(IDC_ANSWER), Next(4) ? right.c_str() : L"?");
                ::SetFocus(Test().GetDlgItem(IDC_ANSWER));
                m_h->Key(VK_RETURN);
                if (Test().CurrentState() == CTestView::State::TestFinished) {
                    m_earned.push_back(Test().Session()->ScorePercent());
                }
            }
            for (unsigned ticks = Next(8); ticks > 0; --ticks) {
                ::SendMessageW(Test().GetDlgItem(IDC_ANSWER), WM_TIMER, CSmartEdit::kTimerId, 0);
                m_h->Pump();
            }
            break;
        case 6:
            m_h->Key(VK_ESCAPE);
            break;
        case 8: {  // the user starts the program again: this copy shows, restored
            if (Next(8) != 0) break;  // a process start is slow: now and then
            if (Next(2)) ::ShowWindow(m_h->hWnd, SW_MINIMIZE);
            EXPECT_EQ(RunProgram(*m_h), 0u) << "a second copy ran";
            harness::PumpUntil(*m_h, [&] { return !::IsIconic(m_h->hWnd); });
            EXPECT_FALSE(::IsIconic(m_h->hWnd)) << "the running copy was not brought back";
            break;
        }
        case 9:  // a name refused by New while a change from outside came
            if (Active() == Home().m_hWnd && !m_settings.Cache().GetLibrary().empty()) {
                const WordLibrary& library = m_settings.Cache().GetLibrary();
                const std::wstring taken = Wide(library[Next(library.size())].fileName);
                ChangeFolderOutside();  // reported while the dialog is open
                m_boxes.Enter(taken.substr(0, taken.size() - 4), true);
                m_boxes.Cancel();
                m_h->Key(VK_INSERT);
                m_boxes.ForgetAnswers();
                ::SendMessageW(Home(), WM_TIMER, CHomeView::kPendingChangeTimer, 0);
            }
            break;
        case 10:  // a rename that changes the letter case only
            // (A device's name is refused as a new name, in any case.)
            if (Active() == Home().m_hWnd && m_settings->Selection().size() == 1 &&
                IsPlainFileName(m_settings->Selection().front())) {
                std::wstring name = Wide(m_settings->Selection().front());
                name[0] = std::iswupper(name[0]) ? std::towlower(name[0]) : std::towupper(name[0]);
                m_boxes.Enter(name.substr(0, name.size() - 4), true);
                m_h->Key(VK_F2);
                m_boxes.ForgetAnswers();
                EXPECT_EQ(m_settings->Selection(), SelectionNames{U16(name)});
            }
            break;
        case 7:  // the close box, answered either way when it asks
            ::PostMessageW(m_h->hWnd, WM_CLOSE, 0, 0);
            m_h->Pump();
            if (!::IsWindow(m_h->hWnd)) {  // and started again, with nothing cached
                m_settings.Cache().DropPool();
                m_settings.Cache().DropLibrary();
                Start();
            }
            break;
        }
    }

    // What must hold whatever the user did.
    void Check() {
        bool boxOpen = false;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&boxOpen));
        EXPECT_FALSE(boxOpen) << "a message box is left open";

        const HWND focus = ::GetFocus();
        for (HWND view : {Home().m_hWnd, m_h->frame.BrowView().m_hWnd, Test().m_hWnd,
                          m_h->frame.GraphView().m_hWnd, m_h->frame.SetupView().m_hWnd,
                          m_h->frame.AboutView().m_hWnd}) {
            if (!::IsWindowVisible(view)) {
                EXPECT_FALSE(focus == view || ::IsChild(view, focus))
                    << "a hidden view has the keys";
            }
        }

        // Each finished test once, as soon as its flash is over or it is left.
        EXPECT_EQ(m_settings->Scores(),
                  Recorded(Test().CurrentState() == CTestView::State::TestFinished));

        if (Active() != Home().m_hWnd) return;
        ASSERT_TRUE(m_settings.Cache().HasLibrary());
        const WordLibrary& library = m_settings.Cache().GetLibrary();
        if (!m_settings.watcher.changePending) {
            EXPECT_EQ(FileNames(library), FileNames(BuildLibrary(m_settings->DataFolderPath())))
                << "a change from outside was never reported or reloaded";
        }
        const auto count = static_cast<size_t>(::SendMessageW(List(), LB_GETCOUNT, 0, 0));
        ASSERT_EQ(count, library.size()) << "the list is not the library's";
        SelectionNames selected;
        SelectionSummary summary;
        summary.totalFiles = static_cast<std::uint32_t>(count);
        for (size_t i = 0; i < count; ++i) {
            wchar_t text[300]{};
            ::SendMessageW(List(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            EXPECT_EQ(text, Wide(library[i].displayText)) << "item " << i;
            summary.totalWords += library[i].entryCount;
            if (::SendMessageW(List(), LB_GETSEL, i, 0) > 0) {
                selected.push_back(library[i].fileName);
                summary.selectedWords += library[i].entryCount;
                ++summary.selectedFiles;
            }
        }
        EXPECT_EQ(m_settings->Selection(), selected);
        EXPECT_EQ(harness::Text(Home().GetDlgItem(IDC_STATUS)),
                  FormatResString(IDS_HOME_STATUS, summary.selectedWords, summary.totalWords,
                                  summary.selectedFiles, summary.totalFiles));
        const bool words = summary.selectedWords > 0;
        EXPECT_EQ(::IsWindowEnabled(Home().GetDlgItem(IDOK)) != FALSE, words);
        EXPECT_EQ(::IsWindowEnabled(Home().GetDlgItem(IDC_HOME_BROWSE)) != FALSE, words);
        EXPECT_EQ(m_h->IsGrayed(ID_GOTO_TEST), !words);
        EXPECT_EQ(m_h->IsGrayed(ID_GOTO_BROWSE), !words);
    }

    // The program ends: a test whose last answer was flashing is recorded on the way out.
    void End() {
        m_h.reset();
        EXPECT_EQ(m_settings->Scores(), Recorded(false));
    }

    size_t Earned() const { return m_earned.size(); }

private:
    unsigned Next(unsigned n) { return static_cast<unsigned>(m_rng() % n); }
    HWND Active() const { return m_h->frame.ActiveView(); }
    CHomeView& Home() { return m_h->frame.HomeView(); }
    CTestView& Test() { return m_h->frame.TestView(); }
    HWND List() { return Home().GetDlgItem(IDC_FILE_LIST); }

    // The history as it must be: the newest scores earned, less one whose flash still runs.
    ScoreList Recorded(bool flashing) const {
        ScoreList scores = m_earned;
        if (flashing) scores.pop_back();
        const size_t kept = std::min(scores.size(), MaxScoreRecords);
        return ScoreList(scores.end() - static_cast<std::ptrdiff_t>(kept), scores.end());
    }

    // Files come and go; among them names that the plain path reads as a device, and one
    // that differs from another only in case (a Linux file system keeps both).
    void ChangeFolderOutside() {
        static const wchar_t* const kNames[] = {L"aaa.mrn", L"one.mrn", L"two.mrn", L"aux.mrn",
                                                L"One.mrn"};
        const std::wstring path =
            FileSystemPath(Wide(m_settings->DataFolderPath()) + kNames[Next(std::size(kNames))]);
        if (Next(3) == 0) {
            ::DeleteFileW(path.c_str());
        } else {
            std::ofstream file(std::filesystem::path(path), std::ios::binary);
            for (unsigned lines = Next(3); lines > 0; --lines) file << "x\\y\n";
        }
        ::PostMessageW(m_h->hWnd, WM_DATA_FOLDER_CHANGED, 0, 0);
    }

    void Start() {
        m_h.reset();
        CreateFlashColorTable();
        m_h = std::make_unique<FrameHarness>(m_settings);
        // The walk reports the folder's changes itself, right after making them, so that a
        // seed always walks the same way.
        m_settings.watcher.ReportTo(nullptr, 0);
        m_settings.watcher.Restart(m_settings->DataFolderPath());
        ::KillTimer(Test().GetDlgItem(IDC_ANSWER), CSmartEdit::kTimerId);
    }

    std::mt19937 m_rng;
    SingleInstance m_running;  // the copy a second start finds
    TestSettings m_settings{L"Walk"};
    TempFolder m_other;
    DialogScript m_boxes;
    std::unique_ptr<FrameHarness> m_h;
    ScoreList m_earned;  // every score earned, oldest first
};

TEST(FrameWalk, WhatMustAlwaysHoldHoldsAfterEveryStep) {
    std::vector<unsigned> seeds = {1, 2, 3};
    const char* replay = std::getenv("MEMORION_WALK_SEED");
    if (replay) seeds = {static_cast<unsigned>(std::strtoul(replay, nullptr, 10))};
    constexpr int kSteps = 300;
    // A few seconds on a quiet machine; a loaded one walks less rather than meet the watchdog.
    const ULONGLONG end = ::GetTickCount64() + 40000;
    size_t earned = 0;
    for (unsigned seed : seeds) {
        Walk walk(seed);
        int step = 0;
        for (; step < kSteps && !::testing::Test::HasFailure(); ++step) {
            if (::GetTickCount64() > end) break;
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            walk.Step();
            walk.Check();
        }
        walk.End();
        earned += walk.Earned();
        ASSERT_FALSE(::testing::Test::HasFailure()) << "replay with MEMORION_WALK_SEED=" << seed;
        if (step < kSteps) std::printf("seed %u: out of time after %d steps\n", seed, step);
    }
    if (!replay) {
        EXPECT_GT(earned, 0u) << "the walks never finished a test";
    }
}

}  // namespace
