// Timing harness of the browse view under Wine: how long a learner waits for the tree of a
// large selection (first and later visits), for Expand All and Collapse All, and for the
// single steps (a toggle, a resize) on a large tree. Also times the plain way of building and
// reshaping the same tree (every item inserted at once, one TVM_EXPAND per entry), for
// comparison.
//
//   browse_timing [entries-to-fill [entries-to-expand [plain-expand-entries]]]
//
// Defaults: 100000, 10000, 500. The plain per-entry expand is timed on fewer entries because
// it takes minutes on 10,000 under Wine. Not a test: it prints figures and exits 0.

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/harness.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWalked = 20;   // entries walked with Enter before a refill
constexpr int kFewer = 1000;  // entries fewer in the second selection

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// `count` entries, every second one with a hint.
void WriteWords(const harness::TempFolder& folder, const std::wstring& name, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "question " + std::to_string(i) + "\\answer " + std::to_string(i);
        if (i % 2) text += "\\hint " + std::to_string(i);
        text += "\r\n";
    }
    folder.Write(name, text);
}

int CountItems(HWND tree) {
    return static_cast<int>(::SendMessageW(tree, TVM_GETCOUNT, 0, 0));
}

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item = nullptr) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Activates the browse view over the file `name` and returns the milliseconds until the
// tree has been filled and painted.
double ActivateBrowse(harness::FrameHarness& h, harness::TestSettings& settings,
                      const std::u16string& name) {
    settings->SetSelection({name});
    settings.Cache().DropPool();
    settings.Cache().GetPool();  // reading the file is not the tree's time
    h.frame.SwitchToView(h.frame.HomeView());
    h.Pump();
    const auto start = Clock::now();
    h.frame.SwitchToView(h.frame.BrowView());
    ::UpdateWindow(h.hWnd);
    h.Pump();
    return MsSince(start);
}

double Command(harness::FrameHarness& h, UINT id) {
    const auto start = Clock::now();
    ::SendMessageW(h.frame.BrowView(), WM_COMMAND, id, 0);
    ::UpdateWindow(h.hWnd);
    h.Pump();
    return MsSince(start);
}

// The plain way, on the view's own tree: every item inserted at once, with redrawing off.
double PlainFill(HWND tree, int entries) {
    const auto start = Clock::now();
    ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    TVINSERTSTRUCTW insert{};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    for (int i = 0; i < entries; ++i) {
        std::wstring question = L"question " + std::to_wstring(i);
        std::wstring answer = L"answer " + std::to_wstring(i);
        std::wstring hint = L"hint " + std::to_wstring(i);
        insert.hParent = TVI_ROOT;
        insert.item.pszText = question.data();
        HTREEITEM top = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        insert.hParent = top;
        insert.item.pszText = answer.data();
        ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
        if (i % 2) {
            insert.item.pszText = hint.data();
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
        }
    }
    ::SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    ::UpdateWindow(tree);
    return MsSince(start);
}

// The plain Expand All or Collapse All: one TVM_EXPAND per top-level item, redrawing off.
double PlainExpandAll(HWND tree, UINT action) {
    const auto start = Clock::now();
    ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    for (HTREEITEM item = Next(tree, TVGN_ROOT); item; item = Next(tree, TVGN_NEXT, item)) {
        ::SendMessageW(tree, TVM_EXPAND, action, reinterpret_cast<LPARAM>(item));
    }
    ::SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    ::UpdateWindow(tree);
    return MsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    const int fillEntries = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int expandEntries = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int plainExpandEntries = argc > 3 ? std::atoi(argv[3]) : 500;
    ::InitCommonControls();

    harness::TestSettings settings;
    WriteWords(settings.folder, L"fill.mrn", fillEntries);
    WriteWords(settings.folder, L"fewer.mrn", fillEntries - kFewer);
    WriteWords(settings.folder, L"expand.mrn", expandEntries);
    WriteWords(settings.folder, L"plain.mrn", plainExpandEntries);
    settings->WordOrder = 2;  // pool order: the figures do not depend on the draws
    {
        harness::FrameHarness h(settings);
        if (!h.hWnd) {
            std::printf("no frame\n");
            return 1;
        }
        SelectionSummary summary;
        summary.selectedWords = 1;
        h.frame.HomeView().SetSummary(summary);
        HWND tree = h.frame.BrowView().Tree();

        std::printf("browse view under Wine, times in ms\n");
        double ms = ActivateBrowse(h, settings, u"fill.mrn");
        std::printf("fill %d entries: %.0f (%d items in the tree)\n", fillEntries, ms,
                    CountItems(tree));
        ms = ActivateBrowse(h, settings, u"fill.mrn");
        std::printf("refill %d entries over the previous tree: %.0f\n", fillEntries, ms);
        {
            // A flash-card walk over the first entries leaves children under each of them
            // and the last one open.
            ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
                           reinterpret_cast<LPARAM>(Next(tree, TVGN_ROOT)));
            for (int i = 0; i < 2 * kWalked - 1; ++i) h.Key(VK_RETURN);
            ms = ActivateBrowse(h, settings, u"fill.mrn");
            std::printf("refill %d entries after walking %d of them: %.0f\n", fillEntries, kWalked,
                        ms);
        }
        ms = ActivateBrowse(h, settings, u"fewer.mrn");
        std::printf("refill %d entries over %d: %.0f\n", fillEntries - kFewer, fillEntries, ms);
        ms = ActivateBrowse(h, settings, u"fill.mrn");
        std::printf("refill %d entries over %d: %.0f\n", fillEntries, fillEntries - kFewer, ms);
        {
            const auto begin = Clock::now();
            ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
            ::SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
            ::SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
            std::printf("delete all %d entries: %.0f\n", fillEntries, MsSince(begin));
        }
        ms = ActivateBrowse(h, settings, u"fill.mrn");
        std::printf("fill %d entries into an empty tree: %.0f\n", fillEntries, ms);

        // Single steps on the large tree: open the last entry, toggle it closed, resize.
        HTREEITEM last = Next(tree, TVGN_LASTVISIBLE);
        ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(last));
        h.Pump();
        auto start = Clock::now();
        h.Key(VK_RETURN);
        std::printf("toggle open the last of %d entries: %.0f\n", fillEntries, MsSince(start));
        start = Clock::now();
        h.Key(VK_RETURN);
        std::printf("toggle closed the last of %d entries: %.0f\n", fillEntries, MsSince(start));
        RECT rc{};
        ::GetWindowRect(h.hWnd, &rc);
        start = Clock::now();
        ::SetWindowPos(h.hWnd, nullptr, 0, 0, rc.right - rc.left + 40, rc.bottom - rc.top + 40,
                       SWP_NOMOVE | SWP_NOZORDER);
        ::UpdateWindow(h.hWnd);
        h.Pump();
        std::printf("resize with %d entries: %.0f\n", fillEntries, MsSince(start));
        ms = Command(h, ID_BROWSE_EXPAND_ALL);
        std::printf("expand all %d entries: %.0f (%d items)\n", fillEntries, ms, CountItems(tree));
        ms = Command(h, ID_BROWSE_COLLAPSE_ALL);
        std::printf("collapse all %d entries: %.0f\n", fillEntries, ms);
        Command(h, ID_BROWSE_EXPAND_ALL);
        ms = ActivateBrowse(h, settings, u"fill.mrn");
        std::printf("refill %d entries after expand all: %.0f\n", fillEntries, ms);

        ActivateBrowse(h, settings, u"expand.mrn");
        ms = Command(h, ID_BROWSE_EXPAND_ALL);
        std::printf("expand all %d entries: %.0f (%d items)\n", expandEntries, ms,
                    CountItems(tree));
        ms = Command(h, ID_BROWSE_EXPAND_ALL);
        std::printf("expand all again %d entries: %.0f\n", expandEntries, ms);
        ms = Command(h, ID_BROWSE_COLLAPSE_ALL);
        std::printf("collapse all %d entries: %.0f (%d items)\n", expandEntries, ms,
                    CountItems(tree));

        // The plain way, for comparison.
        ms = PlainFill(tree, fillEntries);
        std::printf("plain fill %d entries (every item at once): %.0f (%d items)\n", fillEntries,
                    ms, CountItems(tree));
        PlainFill(tree, plainExpandEntries);
        ms = PlainExpandAll(tree, TVE_EXPAND);
        std::printf("plain expand all %d entries (TVM_EXPAND each): %.0f\n", plainExpandEntries,
                    ms);
        ms = PlainExpandAll(tree, TVE_COLLAPSE);
        std::printf("plain collapse all %d entries (TVM_EXPAND each): %.0f\n", plainExpandEntries,
                    ms);
    }
    return 0;
}
