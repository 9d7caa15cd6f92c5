#pragma once
// Where the views put their controls, as pure functions of the client size and the view's
// dialog units, so that the rules can be checked without a window. The views apply the
// rectangles in one deferred batch.

#include <windows.h>

#include "win/dialog_units.h"

// A view is "tall" while its client height exceeds this many vertical dialog units; shorter
// views hide their lower controls and give the room to their main control.
constexpr int kTallViewDlu = 121;
// Every "< Back" button and every button row.
constexpr int kButtonHeightDlu = 16;
// The sunken status lines of the home and graph views.
constexpr int kStatusHeightDlu = 11;

bool IsTallView(int height, const DialogUnits& du);

// Browse and setup views: one main control above a full-width "< Back" button. The button's
// width leaves two vertical units of margin (not horizontal ones), as the program always had.
struct BackLayout {
    bool tall = false;  // the button is shown
    RECT back{};
    RECT content{};
};
BackLayout LayoutBackAndContent(int width, int height, const DialogUnits& du);

// Graph view: the graph over a status line over the button.
struct GraphLayout {
    bool tall = false;  // button and status line are shown
    RECT back{};
    RECT status{};
    RECT graph{};
};
GraphLayout LayoutGraphView(int width, int height, const DialogUnits& du);

// Home view: the file list over the status line and two rows of buttons.
struct HomeLayout {
    bool tall = false;  // the five buttons and the status line are shown
    RECT list{};
    RECT status{};
    RECT browse{}, test{};           // second row
    RECT graph{}, setup{}, about{};  // bottom row
};
HomeLayout LayoutHomeView(int width, int height, const DialogUnits& du);

// About view: the pane keeps its size `pane`, centred across the view and in the height
// above the button (in the whole height when the button is hidden).
struct AboutLayout {
    bool tall = false;  // the button is shown
    RECT back{};
    POINT pane{};  // the pane's top-left corner
};
AboutLayout LayoutAboutView(int width, int height, const DialogUnits& du, SIZE pane);
