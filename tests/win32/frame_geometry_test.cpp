// The placement and layout rules, checked without windows.

#include <gtest/gtest.h>

#include <windows.h>

#include "app/frame_geometry.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "view/view_base.h"
#include "view/view_layout.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(FrameGeometry, CentringKeepsTheWindowOnTheWorkArea) {
    struct Row {
        const char* fault;
        SIZE size;
        RECT workArea;
        POINT expected;
    } rows[] = {
        {"plain centre", {400, 300}, {0, 0, 1024, 768}, {312, 234}},
        {"work area not at the origin (a task bar on the left or top)",
         {400, 300},
         {100, 40, 1124, 808},
         {412, 274}},
        {"odd sizes halve toward zero", {401, 301}, {0, 0, 1025, 769}, {312, 234}},
        {"wider and taller than the work area: starts at its left and top",
         {2000, 1000},
         {0, 0, 1024, 768},
         {0, 0}},
        {"a second monitor's work area left of the primary",
         {400, 300},
         {-1280, 0, 0, 1024},
         {-840, 362}},
    };
    for (const Row& row : rows) {
        const POINT pos = CentredPosition(row.size, row.workArea);
        EXPECT_EQ(pos.x, row.expected.x) << row.fault;
        EXPECT_EQ(pos.y, row.expected.y) << row.fault;
    }
}

TEST(FrameGeometry, StoredPositionIsUsedOnlyWhenSetAndOnSomeMonitor) {
    const std::vector<RECT> monitors{{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    const SIZE size{600, 400};
    struct Row {
        const char* fault;
        int x, y;
        bool expected;
    } rows[] = {
        {"first start", PositionUnset, PositionUnset, false},
        {"only x unset", PositionUnset, 100, false},
        {"only y unset", 100, PositionUnset, false},
        {"on the primary monitor", 100, 100, true},
        {"on the second monitor", 2500, 200, true},
        {"partly off the screen to the left: reopens there", -500, 100, true},
        {"partly below the screen", 100, 1000, true},
        {"where an unplugged third monitor was", 3300, 100, false},
        {"far above every monitor", 100, -2000, false},
        {"touching the left edge from outside shares no pixel", -600, 100, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(UseStoredPosition(row.x, row.y, size, monitors), row.expected) << row.fault;
    }
    EXPECT_FALSE(UseStoredPosition(10, 10, size, {})) << "no monitor information at all";
}

TEST(FrameGeometry, AStoredPlacementReturnsToWhereItWasWhateverTheTaskbarTakes) {
    const RECT primary{0, 0, 1920, 1080};
    const RECT right{1920, 0, 3200, 1024};
    struct Row {
        const char* taskbar;
        RECT primaryWork;
        POINT stored, screen;
        SIZE before{600, 400};  // the size the window had when it was stored
    } rows[] = {
        {"at the bottom: the two agree", {0, 0, 1920, 1040}, {100, 100}, {100, 100}},
        {"at the top", {0, 40, 1920, 1080}, {100, 100}, {100, 140}},
        {"at the left", {60, 0, 1920, 1080}, {100, 100}, {160, 100}},
        {"at the top, window on the other monitor", {0, 40, 1920, 1080}, {2000, 50}, {2000, 50}},
        {"at the top, stored where no monitor is", {0, 40, 1920, 1080}, {5000, 50}, {5000, 50}},
        {"at the bottom, grown past it (a larger font): moved in, no further",
         {0, 0, 1920, 1040},
         {1500, 800},
         {1320, 640},
         {400, 200}},
        {"left partly off the screen: reopens there", {0, 0, 1920, 1040}, {1500, 800}, {1500, 800}},
        {"partly off and grown: only the growth comes back",
         {0, 0, 1920, 1040},
         {1500, 800},
         {1400, 700},
         {500, 300}},
        {"partly off to the left and grown: stays where it was",
         {0, 0, 1920, 1040},
         {-300, 10},
         {-300, 10},
         {500, 300}},
    };
    for (const Row& row : rows) {
        const std::vector<MonitorArea> monitors{{primary, row.primaryWork}, {right, right}};
        const POINT screen = WorkspaceToScreen(row.stored, SIZE{600, 400}, row.before, monitors);
        EXPECT_EQ(screen.x, row.screen.x) << row.taskbar;
        EXPECT_EQ(screen.y, row.screen.y) << row.taskbar;
    }
}

TEST(FrameGeometry, ClientSizeInDialogUnitsRoundTripsTheFirstStartSize) {
    // Base units of common dialog fonts: 8, 10 and 18 point at 96 and 120 dpi.
    const DialogUnits fonts[] = {{6, 13}, {7, 16}, {13, 29}, {8, 16}, {9, 20}, {16, 36}};
    for (const DialogUnits& du : fonts) {
        const SIZE pixels = du.ToPixels(SIZE{269, 164});
        const SIZE dlu = ClientSizeInDialogUnits(pixels, du);
        EXPECT_NEAR(dlu.cx, 269, 1) << du.cx;
        EXPECT_NEAR(dlu.cy, 164, 1) << du.cy;
    }
    // 1000 units of a 6 x 13 font are 1500 x 1625 pixels.
    const SIZE dlu = ClientSizeInDialogUnits(SIZE{750, 1625}, DialogUnits{6, 13});
    EXPECT_EQ(dlu.cx, 500);
    EXPECT_EQ(dlu.cy, 1000);
    const SIZE unmeasured = ClientSizeInDialogUnits(SIZE{750, 600}, DialogUnits{});
    EXPECT_EQ(unmeasured.cx, 0) << "no division by zero without a dialog font";
}

TEST(FrameGeometry, FrameSizeAddsTheNonClientAreaToTheClientUnits) {
    const DialogUnits du{6, 13};
    const DWORD style = WS_OVERLAPPEDWINDOW, exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    RECT expected{0, 0, 150, 125};  // 100 x 77 units
    ::AdjustWindowRectEx(&expected, style, TRUE, exStyle);
    const SIZE size = FrameSizeForClient(SIZE{100, 77}, du, style, exStyle);
    EXPECT_EQ(size.cx, expected.right - expected.left);
    EXPECT_EQ(size.cy, expected.bottom - expected.top);
    EXPECT_GT(size.cy, 125) << "the menu bar and caption must be added";
}

TEST(ViewTemplates, FontSizePicksTheVariant) {
    struct Row {
        int fontSize;
        UINT expected;
    } rows[] = {{0, IDD_BROWSE}, {1, IDD_BROWSE_10PT}, {2, IDD_BROWSE_18PT},
                {3, IDD_BROWSE}, {-1, IDD_BROWSE},     {100, IDD_BROWSE}};
    for (const Row& row : rows) {
        EXPECT_EQ(CViewBase::PickTemplate(IDD_BROWSE, row.fontSize), row.expected)
            << "FontSize " << row.fontSize;
    }
}

// 8 pt at 96 dpi: one unit is 1.5 pixels across and 1.625 down.
const DialogUnits kUnits{6, 13};

TEST(ViewLayout, BackButtonAndContentOfATallView) {
    // 269 x 164 units.
    const BackLayout layout = LayoutBackAndContent(404, 267, kUnits);
    EXPECT_TRUE(layout.tall);
    // mx = 2 (1.5 rounds up), my = 2, bh = 26; the width leaves 2·my, not 2·mx.
    EXPECT_TRUE(SameRect(layout.back, RECT{2, 239, 402, 265}));
    EXPECT_TRUE(SameRect(layout.content, RECT{2, 2, 402, 2 + 267 - 6 - 26}));
}

TEST(ViewLayout, ShortViewsHideTheButtonAndGiveTheRoomToTheContent) {
    const int threshold = kUnits.Y(kTallViewDlu);
    EXPECT_TRUE(LayoutBackAndContent(400, threshold + 1, kUnits).tall);
    const BackLayout at = LayoutBackAndContent(400, threshold, kUnits);
    EXPECT_FALSE(at.tall) << "121 units exactly is not tall";
    EXPECT_TRUE(SameRect(at.content, RECT{2, 2, 398, threshold - 2}));

    const GraphLayout graph = LayoutGraphView(400, threshold, kUnits);
    EXPECT_FALSE(graph.tall);
    EXPECT_TRUE(SameRect(graph.graph, RECT{2, 2, 398, threshold - 2}));
    EXPECT_FALSE(LayoutHomeView(400, threshold, kUnits).tall);
}

TEST(ViewLayout, GraphStacksStatusLineAndButtonUnderTheGraph) {
    const GraphLayout layout = LayoutGraphView(404, 267, kUnits);
    const int sh = kUnits.Y(kStatusHeightDlu);  // 18
    EXPECT_TRUE(SameRect(layout.back, RECT{2, 239, 402, 265}));
    EXPECT_TRUE(SameRect(layout.status, RECT{2, 239 - 2 - sh, 402, 239 - 2}));
    EXPECT_EQ(layout.graph.bottom, layout.status.top - 2);
}

TEST(ViewLayout, BrowseBackButtonWidthUsesTheVerticalUnit) {
    // Different horizontal and vertical units, so that a mix-up shows.
    const DialogUnits units{10, 13};  // mx = 3 (2.5 rounds up), my = 2
    const BackLayout browse = LayoutBackAndContent(400, 300, units);
    EXPECT_EQ(browse.back.right, 3 + 400 - 4) << "browse keeps its 2·my width";
}

TEST(ViewLayout, HomeButtonsShareTheRowsAndTheListReachesTheStatusLine) {
    const HomeLayout layout = LayoutHomeView(404, 267, kUnits);
    ASSERT_TRUE(layout.tall);
    // Bottom row: three buttons, the last one taking what the division left over.
    EXPECT_EQ(layout.graph.left, 2);
    EXPECT_EQ(layout.setup.left, layout.graph.right + 2);
    EXPECT_EQ(layout.about.left, layout.setup.right + 2);
    EXPECT_EQ(layout.about.right, 402);
    EXPECT_EQ(layout.graph.bottom, 265);
    // Second row, one unit above.
    EXPECT_EQ(layout.browse.bottom, layout.graph.top - 2);
    EXPECT_EQ(layout.test.left, layout.browse.right + 2);
    EXPECT_EQ(layout.test.right, 402);
    // Status line above the rows and the list down to one unit above it.
    EXPECT_EQ(layout.status.bottom, layout.browse.top - 2);
    EXPECT_EQ(layout.list.bottom, layout.status.top - 2);
    EXPECT_EQ(layout.list.top, 2);
}

}  // namespace
