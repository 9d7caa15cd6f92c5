// The score chart: its geometry without pixels, one drawing into a memory bitmap, and the
// graph view in a real frame.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "views/graph_ctl.h"

namespace {

using harness::FrameHarness;
using harness::TestSettings;
using harness::Text;

TEST(GraphGeometry, GridAndPointsForTwoAndElevenValues) {
    // 210 x 110 client: plot 200 x 100 at (5, 5).
    const GraphGeometry two = ComputeGraphGeometry(210, 110, {0, 100});
    EXPECT_EQ(two.plot.left, 5);
    EXPECT_EQ(two.plot.top, 5);
    EXPECT_EQ(two.plot.right, 205);
    EXPECT_EQ(two.plot.bottom, 105);
    ASSERT_EQ(two.gridY.size(), 11u);
    EXPECT_EQ(two.gridY.front(), 5) << "100 % at the plot's top";
    EXPECT_EQ(two.gridY[5], 55);
    EXPECT_EQ(two.gridY.back(), 105) << "0 % at its bottom";
    EXPECT_EQ(two.gridX, (std::vector<int>{5, 205})) << "only the edges for two values";
    ASSERT_EQ(two.points.size(), 2u);
    EXPECT_EQ(two.points[0].y, two.gridY.back()) << "0 on the bottom line";
    EXPECT_EQ(two.points[1].y, two.gridY.front()) << "100 on the top line";

    const std::vector<std::int32_t> eleven{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    const GraphGeometry g = ComputeGraphGeometry(210, 110, eleven);
    ASSERT_EQ(g.gridX.size(), 11u);
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(g.gridX[i], 5 + static_cast<int>(i) * 20) << "every tenth of the width";
        EXPECT_EQ(g.points[i].x, g.gridX[i]) << "points sit on the vertical lines";
        EXPECT_EQ(g.points[i].y, g.gridY[10 - i]) << "each tenth on its grid line";
    }
}

TEST(GraphGeometry, LabelsKeepTheirOffsetsAndOddSizesTruncate) {
    const GraphGeometry g = ComputeGraphGeometry(107, 63, {50, 50});  // plot 97 x 53
    EXPECT_EQ(g.label100.x, 8);
    EXPECT_EQ(g.label100.y, 8);
    EXPECT_EQ(g.label50.y, 5 + 26 - 6);
    EXPECT_EQ(g.label0.y, 5 + 53 - 3);
    EXPECT_EQ(g.labelProgress.x, 5 + 48);
    EXPECT_EQ(g.labelArrows.x, 5 + 97 - 3);
    EXPECT_EQ(g.gridY[3], 5 + 159 / 10);
    EXPECT_EQ(g.points[0].y, 5 + 53 - 26) << "50 of 53 truncates";
}

TEST(GraphGeometry, OutOfRangeScoresAndTinyControlsStayInside) {
    // A stored history is loaded unchecked; a control can be squeezed below its insets.
    const GraphGeometry g = ComputeGraphGeometry(210, 110, {-5, 250, 2147483647});
    EXPECT_EQ(g.points[0].y, 105);
    EXPECT_EQ(g.points[1].y, 5);
    EXPECT_EQ(g.points[2].y, 5);
    const GraphGeometry tiny = ComputeGraphGeometry(6, 3, {10, 20});
    EXPECT_EQ(tiny.plot.right, tiny.plot.left);
    EXPECT_EQ(tiny.plot.bottom, tiny.plot.top);
}

// A 32-bit bitmap to draw into, pre-filled with a colour the chart never uses.
class Canvas {
public:
    Canvas(int w, int h) : m_w(w), m_h(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < w * h; ++i) static_cast<DWORD*>(m_bits)[i] = 0x000000FF;  // blue
    }
    ~Canvas() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    RECT Rect() const { return RECT{0, 0, m_w, m_h}; }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const DWORD bgr = static_cast<const DWORD*>(m_bits)[y * m_w + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }

private:
    int m_w, m_h;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(GraphPainting, FrameGridDataLineAndBackgroundOnABitmap) {
    Canvas canvas(210, 110);
    PaintGraph(canvas.Dc(), canvas.Rect(), nullptr, {50, 50});
    for (POINT corner : {POINT{0, 0}, POINT{209, 0}, POINT{209, 109}, POINT{0, 109}}) {
        EXPECT_EQ(canvas.At(corner.x, corner.y), kBlack) << corner.x << "," << corner.y;
    }
    EXPECT_EQ(canvas.At(105, 0), kBlack);
    EXPECT_EQ(canvas.At(1, 1), kWhite) << "between the frame and the plot";
    EXPECT_EQ(canvas.At(150, 20), kWhite) << "between two grid lines";
    EXPECT_EQ(canvas.At(150, 15), kGrey) << "the second horizontal grid line";
    EXPECT_EQ(canvas.At(5, 80), kGrey) << "the left edge line";
    EXPECT_EQ(canvas.At(150, 55), kRed) << "50 % on the middle line, over the grid";

    // The pen the DC held before is back, and no pen of ours is left selected.
    HGDIOBJ pen = ::GetCurrentObject(canvas.Dc(), OBJ_PEN);
    EXPECT_EQ(pen, ::GetStockObject(BLACK_PEN));
}

TEST(GraphPainting, FewerThanTwoValuesDrawNothingAtAll) {
    for (const std::vector<std::int32_t>& values :
         {std::vector<std::int32_t>{}, std::vector<std::int32_t>{70}}) {
        Canvas canvas(50, 40);
        PaintGraph(canvas.Dc(), canvas.Rect(), nullptr, values);
        EXPECT_EQ(canvas.At(0, 0), kBlue);
        EXPECT_EQ(canvas.At(25, 20), kBlue);
    }
}

class GraphViewTest : public ::testing::Test {
protected:
    ~GraphViewTest() override { m_harness.reset(); }

    void Open() {
        m_harness = std::make_unique<FrameHarness>(m_settings);
        ASSERT_TRUE(m_harness->hWnd);
        m_harness->Command(ID_GOTO_GRAPH);
        ASSERT_EQ(m_harness->frame.ActiveView(), View().m_hWnd);
    }
    CGraphView& View() { return m_harness->frame.GraphView(); }
    std::wstring Status() { return Text(View().GetDlgItem(IDC_STATUS)); }

    TestSettings m_settings;
    std::unique_ptr<FrameHarness> m_harness;
};

TEST_F(GraphViewTest, ValuesAndStatusFollowTheHistory) {
    struct Row {
        ScoreList scores;
        std::vector<std::int32_t> values;
        const wchar_t* status;
    };
    const Row rows[] = {
        {{}, {0, 0}, L" 0 record(s), The latest score: 0%"},
        {{70}, {70, 70}, L" 1 record(s), The latest score: 70%"},
        // The newest, rightmost score, not the highest.
        {{90, 40}, {90, 40}, L" 2 record(s), The latest score: 40%"},
    };
    ASSERT_NO_FATAL_FAILURE(Open());
    const harness::WinEvents changes(EVENT_OBJECT_VALUECHANGE);
    for (const Row& row : rows) {
        m_settings->SetScores(row.scores);
        m_harness->Command(ID_GOTO_HOME);
        m_harness->Command(ID_GOTO_GRAPH);
        EXPECT_EQ(View().Graph().Values(), row.values);
        EXPECT_EQ(Status(), row.status);
        // A screen reader hears of the new history; the first row shows what Open showed.
        EXPECT_TRUE(harness::PumpUntil(*m_harness, [&] {
            return changes.windows.count(View().Graph()) == static_cast<size_t>(&row - rows);
        }));
    }
    EXPECT_EQ(::GetFocus(), View().GetDlgItem(IDCANCEL));
}

TEST_F(GraphViewTest, DeleteClearsAtOnceWithoutAQuestion) {
    m_settings->SetScores({10, 20, 30});
    ASSERT_NO_FATAL_FAILURE(Open());
    harness::DialogScript boxes(false);
    const harness::WinEvents changes(EVENT_OBJECT_VALUECHANGE);
    m_harness->Key(VK_DELETE);
    EXPECT_TRUE(
        harness::PumpUntil(*m_harness, [&] { return changes.windows.count(View().Graph()); }));
    EXPECT_TRUE(boxes.BoxTexts().empty());
    EXPECT_TRUE(m_settings->Scores().empty());
    EXPECT_EQ(Status(), L" 0 record(s), The latest score: 0%");
    EXPECT_EQ(View().Graph().Values(), (std::vector<std::int32_t>{0, 0}));
}

TEST_F(GraphViewTest, ContextMenuOpensOnlyOverTheGraph) {
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND graph = View().GetDlgItem(IDC_GRAPH);
    POINT corner{2, 2};
    ::ClientToScreen(graph, &corner);
    // As WM_CONTEXTMENU brings them.
    const std::optional<POINT> keyboard =
        View().ContextMenuPoint(View().m_hWnd, PointOf(MAKELPARAM(-1, -1)));
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(keyboard->x, corner.x);
    EXPECT_EQ(keyboard->y, corner.y);

    RECT rc{};
    ::GetWindowRect(graph, &rc);
    const POINT inside = PointOf(MAKELPARAM(rc.left + 10, rc.top + 10));
    EXPECT_TRUE(View().ContextMenuPoint(View().m_hWnd, inside));
    ::GetWindowRect(View().GetDlgItem(IDC_STATUS), &rc);
    EXPECT_FALSE(
        View().ContextMenuPoint(View().m_hWnd, PointOf(MAKELPARAM(rc.left + 10, rc.top + 2))))
        << "the status line";
    EXPECT_FALSE(View().ContextMenuPoint(View().m_hWnd, PointOf(MAKELPARAM(-300, -200))))
        << "a click on a monitor left of and above the primary taken for the keyboard";
    const HWND back = View().GetDlgItem(IDCANCEL);
    EXPECT_FALSE(View().ContextMenuPoint(back, inside)) << "only from the view itself";
}

TEST_F(GraphViewTest, AShortViewHidesStatusAndBack) {
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND view = View();
    const DialogUnits du = DialogUnits::Measure(view);
    for (int height : {du.Y(121), du.Y(121) + 1}) {
        ::SetWindowPos(view, nullptr, 0, 0, du.X(269), height, SWP_NOZORDER | SWP_NOMOVE);
        const bool tall = height > du.Y(121);
        EXPECT_EQ(::IsWindowVisible(View().GetDlgItem(IDC_STATUS)) != 0, tall) << height;
        EXPECT_EQ(::IsWindowVisible(View().GetDlgItem(IDCANCEL)) != 0, tall) << height;
        RECT rc{};
        ::GetClientRect(View().GetDlgItem(IDC_GRAPH), &rc);
        if (!tall) {
            EXPECT_EQ(rc.bottom, height - 2 * du.Y(1)) << "the whole height";
        }
    }
}

}  // namespace
