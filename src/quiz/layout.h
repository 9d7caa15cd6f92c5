#pragma once
// Where the test view puts its controls, as a pure function of the client size and the
// view's dialog units in pixels, so that the three heights can be checked without a window.
#include <cstdint>

struct LayoutBox {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const LayoutBox&, const LayoutBox&) = default;
};

// Lengths in pixels, converted from the view's dialog units by the caller.
struct TestLayoutUnits {
    int ux = 0;            // 1 horizontal unit
    int uy = 0;            // 1 vertical unit
    int buttonHeight = 0;  // 16 vertical units
    int h11 = 0;           // 11 vertical units: labels and the status line
    int h13 = 0;           // 13 vertical units: one-line fields
    int mediumLimit = 0;   // 76 vertical units
    int tallLimit = 0;     // 121 vertical units
};

struct TestLayout {
    bool tall = false;    // hint label, status line and Back are shown
    bool medium = false;  // answer label and hint field are shown
    LayoutBox back, progress, status, answer, answerLabel, hint, hintLabel;
    // The question field keeps its place from the template: only its size is given.
    int questionWidth = 0;
    int questionHeight = 0;
};

// answerHeight: h13, or AnswerHeightForFont with a custom font.
TestLayout LayoutTestView(int width, int height, const TestLayoutUnits& units, int answerHeight);

// A custom font's answer field is half as tall again as the font, plus room for the border.
// A font given by its cell height (zero or positive) never makes the field lower than `h13`.
int AnswerHeightForFont(std::int32_t lfHeight, int h13) noexcept;
