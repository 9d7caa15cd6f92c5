#pragma once
// The program's three message boxes, captioned "Memorion". Each opens centred over the
// window in the foreground (over the desktop when that window is minimized or maximized).

#include <windows.h>

int WarningBox(HWND owner, const wchar_t* text);
int InfoBox(HWND owner, const wchar_t* text);
// OK and Cancel relabelled "&Yes" and "&No": IDYES for OK, IDNO for Cancel, Escape and the
// close box.
int QuestionBox(HWND owner, const wchar_t* text);

// Where a box or dialog of rectangle `box` goes: centred on `reference`, then moved as little
// as needed into `workArea`, its left and top edges winning where it is larger. A monitor left
// of or above the primary has negative coordinates: they are kept.
POINT CentredInWorkArea(const RECT& box, const RECT& reference, const RECT& workArea);

// The work area of the monitor that holds most of `window` (the nearest one when none does).
RECT WorkAreaOf(HWND window);
