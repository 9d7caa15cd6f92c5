#pragma once
// Where a context menu opens.

#include <windows.h>

// A menu asked for at a point on no monitor (a keyboard-invoked menu of a window partly off
// the screen, say) would open out of sight: its x is pulled into the nearest monitor's work
// area. y is left alone, and a point on a monitor is returned as it is.
POINT ClampMenuX(POINT pt);

// The keyboard (Shift+F10, the menu key) asks with exactly (-1, -1). Any other point is the
// mouse's, negative ones too: a monitor left of or above the primary has only those.
inline bool IsKeyboardMenuPoint(POINT pt) {
    return pt.x == -1 && pt.y == -1;
}
