#pragma once
// What the six views share as children of the main frame: the template variant picked from
// the font size, the way back to the home view ("< Back", Escape, the mouse's back button),
// the pre-translation hook the frame calls while the view is active, and access to the
// frame's menu bar.
//
// A view derives from CViewBase, handles its own messages in ProcessWindowMessage and passes
// what it does not handle to CViewBase::ProcessWindowMessage. To extend the hook, override
// PreTranslateMessage, try the view's own keys first and end with
// CViewBase::PreTranslateMessage (or with the two helpers it is made of, in the order the
// view needs).

#include <windows.h>

#include <cstdint>

#include "win/dialog.h"
#include "win/dialog_units.h"

class AppSettings;
class CDeferWindowPos;

class CViewBase : public CDialogImplBase {
public:
    // 0 selects the menu bar with the GoTo popup alone.
    static constexpr int kNoOwnMenu = 0;

    // The first of three consecutive template ids (8, 10, 18 point) and the variant that a
    // FontSize selects: 1 the second, 2 the third, anything else the first.
    static UINT PickTemplate(UINT firstTemplateId, std::int32_t fontSize);

    // Called by the frame for every message its accelerators did not take while this view is
    // active. TRUE when consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // The position in menu 128 of the popup shown with this view.
    int MenuPosition() const { return m_menuPosition; }
    AppSettings& Settings() const { return m_settings; }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

protected:
    // hasBack: the template has a "< Back" button (id 2) and the view leaves on Escape and
    // on the mouse's back button. Every view but home has one.
    CViewBase(AppSettings& settings, UINT firstTemplateId, int menuPosition, bool hasBack);

    // Sets the frame's menu bar to GoTo plus this view's popup. Does nothing outside a frame.
    void ShowOwnMenu() const;
    // The frame's current menu bar (null outside a frame). After ShowOwnMenu the view's own
    // popup is at position 1.
    static HMENU FrameMenu();
    // A command of the view's own popup may run only while its item's state is zero
    // (enabled, unchecked), whatever the key or menu it came from.
    static bool IsOwnCommandEnabled(UINT command);

    // Posts WM_COMMAND `command` (lParam 0) to the parent, which is the frame.
    void PostToFrame(UINT command) const;

    // The two halves of the default hook. The mouse's first extended button, released
    // anywhere, goes back home; consumed.
    BOOL PostHomeOnBackMouseButton(const MSG* msg) const;
    // Tab, Enter and Escape among the view's controls.
    BOOL DialogNavigation(MSG* msg) const;

    // Lower controls of a short view are hidden rather than squeezed.
    static void PlaceShownOrHidden(CDeferWindowPos& batch, HWND control, const RECT& rc,
                                   bool shown);

    // The view's dialog units, measured on its own font.
    DialogUnits Units() const { return DialogUnits::Measure(m_hWnd); }

    AppSettings& m_settings;
    const int m_menuPosition;
    const bool m_hasBack;
};
