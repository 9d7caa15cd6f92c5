#pragma once
// The main window's placement and size rules, as pure functions of rectangles and dialog
// units so that they can be checked without a window.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "win/dialog_units.h"

// Where a window of `size` goes to be centred on the work area: the centre, then pushed right
// to the left edge when it starts left of it, else pulled left to end at the right edge when
// it sticks out; the same downwards. A window larger than the work area starts at its left
// and top edges.
POINT CentredPosition(SIZE size, const RECT& workArea);

// True when `window` shares at least one pixel with one of `monitors`.
bool IsOnAnyMonitor(const RECT& window, const std::vector<RECT>& monitors);

// The stored position is used when it is set and the window placed there would be visible on
// some monitor; a window left where no monitor is now (one was unplugged) opens centred.
bool UseStoredPosition(std::int32_t x, std::int32_t y, SIZE size,
                       const std::vector<RECT>& monitors);

// A monitor and its work area, in screen coordinates.
struct MonitorArea {
    RECT monitor{};
    RECT work{};
};

// A window placement's normal position is in workspace coordinates: relative to the work area
// of the window's monitor, so that they differ from screen coordinates by the room a taskbar
// at the top or the left takes. The screen position of a window stored at `workspace` with
// `size`, on the monitor that holds most of it. A window shown at `before` and now larger (a
// restart to a larger font) moves as little as needed to keep its growth inside that monitor's
// work area; otherwise, also partly off the screen, it goes back where it was. Unchanged where
// no monitor takes it (the visibility check decides then).
POINT WorkspaceToScreen(POINT workspace, SIZE size, SIZE before,
                        const std::vector<MonitorArea>& monitors);

// The client size in dialog units that WM_SIZE stores: measured against 1000 x 1000 units
// converted to pixels, in integer arithmetic. A zero measure gives zero.
SIZE ClientSizeInDialogUnits(SIZE clientPixels, const DialogUnits& du);

// The outer size of a frame window whose client area is `clientDlu` dialog units, for the
// given styles and a one-line menu bar.
SIZE FrameSizeForClient(SIZE clientDlu, const DialogUnits& du, DWORD style, DWORD exStyle);

// The monitors with their work areas as the system gives them now, and their rectangles.
std::vector<MonitorArea> MonitorAreas();
std::vector<RECT> MonitorRectangles(const std::vector<MonitorArea>& areas = MonitorAreas());
