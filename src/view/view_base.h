#pragma once
// What the six views share as children of the main frame: what the frame hands them, the
// template variant picked from the font size, the way back to the home view ("< Back",
// Escape, the mouse's back button), the pre-translation hook the frame calls while the view
// is active, and the frame's menu bar.
//
// A view derives from CViewBase and ends its message table with CHAIN_MSG_MAP(CViewBase). To
// extend the hook, override PreTranslateMessage, try the view's own keys first and end with
// CViewBase::PreTranslateMessage (or with the two helpers it is made of, in the order the
// view needs).

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <type_traits>

#include "res/resource.h"
#include "view/messages.h"
#include "win/app_module.h"
#include "win/dialog.h"
#include "win/dialog_units.h"

class AppSettings;
class CDeferWindowPos;
class VocabularyCache;
struct WatcherSlot;

// What a view asks of the frame that shows it; the frame is the view's parent window too.
class CViewFrame {
public:
    // Menu bar: GoTo plus the popup at `position` of menu 128 (0: GoTo alone), with the
    // active view's GoTo item grayed, and Browse and Test grayed while no word is selected.
    virtual void ShowViewMenu(int position) = 0;
    virtual ~CViewFrame() = default;
};

// Browse and Test have nothing to show without a selected word: their GoTo items follow this
// wherever the menu bar is made or the selection changes.
void EnableWordViews(HMENU menu, bool wordsSelected);

// What the frame hands every view it builds: itself, the records the views read, and the
// watcher of the data folder that the views stop and start around their own changes.
struct ViewContext {
    CViewFrame& frame;
    AppSettings& settings;
    VocabularyCache& cache;
    WatcherSlot& watcher;
};

class CViewBase : public CDialogImplBase {
public:
    // The views' own popups by their position in menu 128, GoTo's being 0; kNoOwnMenu selects
    // the menu bar with the GoTo popup alone.
    enum MenuPopup : int { kNoOwnMenu = 0, kFileMenu = 1, kBrowseMenu = 2, kGraphMenu = 3 };

    // The first of three consecutive template ids (8, 10, 18 point) and the variant that a
    // FontSize selects: 1 the second, 2 the third, anything else the first.
    static UINT PickTemplate(UINT firstTemplateId, std::int32_t fontSize);

    // Called by the frame for every message its accelerators did not take while this view is
    // active. TRUE when consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);

    BEGIN_MSG_MAP(CViewBase)
        // The "< Back" button, and Escape through the dialog manager, which sends its id.
        COMMAND_ID_HANDLER(IDCANCEL, OnBack)
    END_MSG_MAP()

protected:
    // hasBack: the template has a "< Back" button (id 2) and the view leaves on Escape and
    // on the mouse's back button. Every view but home has one.
    CViewBase(const ViewContext& context, UINT firstTemplateId, int menuPosition, bool hasBack);

    // Sets the frame's menu bar to GoTo plus this view's popup.
    void ShowOwnMenu() const { m_frame.ShowViewMenu(m_menuPosition); }
    // The frame's current menu bar. After ShowOwnMenu the view's own popup is at position 1.
    HMENU FrameMenu() const { return ::GetMenu(GetParent()); }
    // A command of the view's own popup may run only while its item's state is zero
    // (enabled, unchecked), whatever the key or menu it came from.
    bool IsOwnCommandEnabled(UINT command) const;
    // The view's context menu, its own popup of the frame's menu, opened at `screen` (pulled
    // into a monitor's work area) with the view as its owner.
    void TrackOwnPopup(POINT screen) const;
    // The context menu of a view whose one control with a menu is `control`: where the
    // button went up over it, or at its top left corner when the keyboard asked (`screen`
    // negative); nothing for a click elsewhere.
    void TrackOwnPopupOver(HWND control, HWND source, POINT screen) const;

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

    CViewFrame& m_frame;
    AppSettings& m_settings;
    VocabularyCache& m_cache;
    WatcherSlot& m_watcher;
    const int m_menuPosition;
    const bool m_hasBack;

private:
    void OnBack() const;
};

// A string-table format whose fields are all %u, filled in. At most 255 units, the room the
// status lines always had.
template <class... Numbers>
std::wstring FormatResString(UINT id, Numbers... numbers) {
    static_assert((std::is_same_v<Numbers, unsigned> && ...), "the formats take %u only");
    const std::wstring format = LoadResString(id);
    wchar_t text[256]{};
    std::swprintf(text, 256, format.c_str(), numbers...);
    return text;
}
