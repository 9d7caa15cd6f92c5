#pragma once
// A static text turned into a link to a web address: drawn underlined in the browser's link
// colour, the hand cursor and a tooltip with the address over the text, and a left click
// released over the text opens the address with the shell, after which the link shows in the
// visited colour. The static needs SS_NOTIFY, or it never sees the mouse. A screen reader hears
// a link: its text, the address, whether it was visited, and an action that opens it.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "base/handles_win32.h"
#include "win/accessible.h"
#include "win/window.h"

struct LinkColors {
    COLORREF link = RGB(0, 0, 255);
    COLORREF visited = RGB(128, 0, 128);
};

// Where browsers keep the user's link colours, under HKEY_CURRENT_USER.
constexpr wchar_t kBrowserSettingsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// "red,green,blue" in decimal, as browsers store their link colours; false for anything else,
// leaving `color` alone.
bool ParseAnchorColor(const std::wstring& text, COLORREF& color);
// The default colours, each replaced by "Anchor Color" / "Anchor Color Visited" under
// root\subKey where the user has one that parses.
LinkColors ReadLinkColors(HKEY root, const wchar_t* subKey);
// Where a static of `style` draws a single line of text of size `text` in `client`.
RECT LinkTextRect(const RECT& client, SIZE text, DWORD style);

class CHyperLink : public CWindowImpl<CHyperLink> {
public:
    // Opens `target`; true when the shell took it.
    using Opener = std::function<bool(HWND owner, const std::wstring& target)>;

    CHyperLink();
    ~CHyperLink() override;

    // Takes over the static, reads the user's link colours and makes the tooltip.
    BOOL SubclassWindow(HWND hWnd);
    void SetHyperLink(std::wstring target);
    const std::wstring& GetHyperLink() const { return m_target; }

    // Opens the address; on success the link is visited from then on.
    bool Navigate();
    // The shell by default; tests put a recorder here.
    void SetOpener(Opener opener) { m_open = std::move(opener); }
    // What a screen reader calls the opening of the link.
    void SetActionName(std::wstring name);

    bool IsVisited() const { return m_visited; }
    const LinkColors& Colors() const { return m_colors; }
    // The system's link colour, visited or not, while a contrast theme is on.
    COLORREF TextColor() const;
    // The text's rectangle in client coordinates: only there is the control a link.
    const RECT& LinkRect() const { return m_linkRect; }
    HWND ToolTip() const { return m_toolTip; }

    BEGIN_MSG_MAP(CHyperLink)
        MESSAGE_RANGE_HANDLER_EX(WM_MOUSEFIRST, WM_MOUSELAST, RelayToToolTip)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_LBUTTONUP(OnLButtonUp)
        MESSAGE_HANDLER_EX(WM_SETFONT, OnTextOrSizeChange)
        MESSAGE_HANDLER_EX(WM_SETTEXT, OnTextOrSizeChange)
        MESSAGE_HANDLER_EX(WM_SIZE, OnTextOrSizeChange)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        ACCESSIBLE_OBJECT_HANDLER(m_accessible)
    END_MSG_MAP()

private:
    void RelayToToolTip(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    LRESULT OnSetCursor();
    void OnLButtonDown(POINT pt);
    void OnLButtonUp(POINT pt);
    LRESULT OnTextOrSizeChange(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    bool IsOverLink(POINT client) const;
    void MakeUnderlinedFont();
    void UpdateLinkRect();
    void MakeToolTip();
    TTTOOLINFOW ToolInfo();
    void ReleaseResources();

    std::wstring m_target;
    LinkColors m_colors;
    bool m_visited = false;
    RECT m_linkRect{};
    GdiObject<HFONT> m_font;  // the static's font, underlined
    HWND m_toolTip = nullptr;
    HCURSOR m_hand = nullptr;
    Opener m_open;
    CAccessible m_accessible;
};
