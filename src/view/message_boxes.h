#pragma once
// The program's three message boxes, captioned "Memorion". Each opens centred over the
// window in the foreground (over the desktop when that window is minimized or maximized).

#include <windows.h>

int WarningBox(HWND owner, const wchar_t* text);
int InfoBox(HWND owner, const wchar_t* text);
// OK and Cancel relabelled "&Yes" and "&No": IDYES for OK, IDNO for Cancel, Escape and the
// close box.
int QuestionBox(HWND owner, const wchar_t* text);

// Where a box of rectangle `box` goes to be centred on `reference` without leaving the
// desktop to the right or below, nor starting left of or above 0.
POINT CentredBoxPosition(const RECT& box, const RECT& reference, const RECT& desktop);
