// Colours under another scheme: white on black set with SetSysColors while the program runs
// (every process on the Wine server sees it: it is put back at the end), and a contrast theme,
// which Wine cannot switch on, stood in for by the override.

#include <gtest/gtest.h>

#include "harness.h"
#include "views/graph_ctl.h"
#include "views/smart_edit.h"
#include "win/contrast.h"
#include "win/hyperlink.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
constexpr COLORREF kCyan = RGB(26, 235, 255), kYellow = RGB(255, 255, 0);

// Also put back when a test fails half-way.
struct WhiteOnBlack {
    static constexpr INT kElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                                        COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT};
    COLORREF old[5]{};
    WhiteOnBlack() {
        for (int i = 0; i < 5; ++i) old[i] = ::GetSysColor(kElements[i]);
        const COLORREF scheme[5] = {kBlack, kWhite, kCyan, kBlack, kYellow};
        ::SetSysColors(5, kElements, scheme);
    }
    ~WhiteOnBlack() { ::SetSysColors(5, kElements, old), OverrideHighContrast(std::nullopt); }
};

// What a window paints, read back through PrintWindow.
struct Shot {
    Owned<HDC, &::DeleteDC> dc{::CreateCompatibleDC(nullptr)};
    GdiObject<HBITMAP> bitmap;
    SelectedObject selected;
    Shot(HWND window, int w, int h)
        : bitmap(::CreateCompatibleBitmap(WindowDC(nullptr), w, h)), selected(dc, bitmap) {
        if (window) ::PrintWindow(window, dc, PW_CLIENTONLY);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }
};

TEST(Contrast, EveryTextStaysReadableAndAContrastThemeGivesTheSchemesColours) {
    harness::TestSettings settings;
    settings.folder.Write(L"words.mrn", "one\\eins\n");
    settings->SetSelection({u"words.mrn"});
    CreateFlashColorTable();
    harness::FrameHarness h(settings);
    h.Command(ID_GOTO_TEST);
    HWND answer = h.frame.TestView().GetDlgItem(IDC_ANSWER);
    ::KillTimer(answer, CSmartEdit::kTimerId);
    ::SetWindowTextW(answer, L"WWWW");
    auto& field = static_cast<CSmartEdit&>(*CWindowImplRoot::FromHandle(answer));

    const WhiteOnBlack scheme;  // switched while the program runs
    h.Pump();
    // clang-format off
    struct Row { bool contrast; std::uint32_t index; COLORREF background; };
    const Row rows[] = {
        {false, kFlashNormal, kBlack},           // the window colour read again, white text on it
        {false, kFlashRed, RGB(255, 144, 144)},  // a dark text on the light flash colours
        // Under a contrast theme, four states told apart by the scheme's own colours.
        {true, kFlashNormal, kBlack}, {true, kFlashGreen, kCyan},
        {true, kFlashRed, kWhite},    {true, kFlashRetype, kYellow},
    };
    // clang-format on
    const RECT rc = CWindow(answer).GetClientRect();
    for (const Row& row : rows) {
        OverrideHighContrast(row.contrast);
        field.SetColorIndex(row.index);
        const Shot shot(answer, rc.right, rc.bottom);
        EXPECT_EQ(shot.At(rc.right - 1, rc.bottom - 1), row.background) << row.index;
        int text = 0;
        for (int i = 0; i < rc.right * rc.bottom; ++i) {
            text += shot.At(i % rc.right, i / rc.right) != row.background;
        }
        EXPECT_GT(text, 10) << row.index << ": the typed text shows";

        // The chart and the link, white and blue and red only while no contrast theme is on.
        const Shot graph(nullptr, 60, 40);
        PaintGraph(graph.dc, RECT{0, 0, 60, 40}, nullptr, {20, 80});
        EXPECT_EQ(graph.At(1, 1), row.contrast ? kBlack : kWhite) << "the background";
        EXPECT_EQ(graph.At(30, 20), row.contrast ? kCyan : RGB(255, 0, 0)) << "the score line";
        EXPECT_EQ(CHyperLink().TextColor(), row.contrast ? kYellow : RGB(0, 0, 255));
    }
}

}  // namespace
