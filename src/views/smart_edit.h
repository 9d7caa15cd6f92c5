#pragma once
// The answer field: an edit control that flashes its background after each answer, on a
// timer of its own, and tells the test view when the flash is over.

#include <windows.h>

#include <cstdint>

#include "base/handles_win32.h"
#include "quiz/answer_flash.h"
#include "win/reflection.h"
#include "win/window.h"

// The four background colours of the answer field with a solid brush each, shared by every
// answer field. Made once at program start (the window colour is read then, and again when the
// system's colours change) and deleted at its end; tests make it for themselves. Making it
// again while it exists does nothing.
struct FlashColorTable {
    COLORREF colors[4]{};
    GdiObject<HBRUSH> brushes[4];
};
void CreateFlashColorTable();
void DeleteFlashColorTable();
// Null while the table does not exist: the field then keeps the system's colours.
const FlashColorTable* FlashColors();

class CSmartEdit : public CWindowImpl<CSmartEdit> {
public:
    static constexpr UINT_PTR kTimerId = 100;
    static constexpr UINT kTimerInterval = 100;  // ms

    // Takes over the edit control, clears the flash state and starts the timer.
    BOOL Attach(HWND edit);

    // The first colour change comes with the next tick.
    void StartFlash(FlashMode mode);
    // Changes the background and repaints the whole field.
    void SetColorIndex(std::uint32_t index);

    BEGIN_MSG_MAP(CSmartEdit)
        MSG_OCM_CTLCOLOREDIT(OnCtlColorEdit)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_SYSCOLORCHANGE, OnSysColorChange)
    END_MSG_MAP()

private:
    HBRUSH OnCtlColorEdit(HDC dc);
    void OnTimer();
    void OnSysColorChange();

    std::uint32_t m_tick = 0;
    std::uint32_t m_flashStart = 0;
    FlashMode m_flashMode = FlashMode::Idle;
    std::uint32_t m_colorIndex = kFlashNormal;
};
