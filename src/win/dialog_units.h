#pragma once
// Dialog units of a dialog's font, and their conversion to pixels. The conversion is a pure
// function of the measured base units, so layout code can be computed and tested without a
// window; only Measure needs one.

#include <windows.h>

struct DialogUnits {
    // Pixels per 4 horizontal and per 8 vertical dialog units: the dialog's base units.
    int cx = 0;
    int cy = 0;

    // Measured with MapDialogRect on `dialog`; zero when it is not a dialog.
    static DialogUnits Measure(HWND dialog);

    // As MapDialogRect converts: each coordinate scaled and rounded half away from zero.
    int X(int dluX) const { return Scale(dluX, cx, 4); }
    int Y(int dluY) const { return Scale(dluY, cy, 8); }

    RECT ToPixels(const RECT& dlu) const {
        return RECT{X(dlu.left), Y(dlu.top), X(dlu.right), Y(dlu.bottom)};
    }
    // A rectangle given as left, top, width, height in dialog units, as templates list them.
    RECT ToPixels(int left, int top, int width, int height) const {
        return ToPixels(RECT{left, top, left + width, top + height});
    }
    SIZE ToPixels(SIZE dlu) const { return SIZE{X(dlu.cx), Y(dlu.cy)}; }

    bool operator==(const DialogUnits&) const = default;

private:
    static int Scale(int value, int numerator, int denominator) {
        long long product = static_cast<long long>(value) * numerator;
        long long half = denominator / 2;
        return static_cast<int>(product >= 0 ? (product + half) / denominator
                                             : (product - half) / denominator);
    }
};
