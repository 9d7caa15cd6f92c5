#include "win/dialog_units.h"

DialogUnits DialogUnits::Measure(HWND dialog) {
    // 4 by 8 dialog units are, by definition, exactly the base units in pixels.
    RECT rc{0, 0, 4, 8};
    if (!dialog || !::MapDialogRect(dialog, &rc)) return {};
    return DialogUnits{rc.right, rc.bottom};
}
