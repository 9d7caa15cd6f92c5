#include "win/hyperlink.h"

#include <oleacc.h>
#include <shellapi.h>

#include "win/contrast.h"

namespace {

bool ShellOpen(HWND owner, const std::wstring& target) {
    const auto code = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return code > 32;  // the documented threshold between errors and success
}

bool ReadColorValue(HKEY key, const wchar_t* name, COLORREF& color) {
    wchar_t text[64]{};
    // The last unit stays zero, so the text ends even when the stored value does not.
    DWORD type = 0, size = sizeof text - sizeof(wchar_t);
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    return ParseAnchorColor(text, color);  // up to the stored terminator, if any
}

}  // namespace

bool ParseAnchorColor(const std::wstring& text, COLORREF& color) {
    int parts[3]{};
    size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        while (pos < text.size() && text[pos] == L' ') ++pos;
        int value = 0, digits = 0;
        while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9' && digits < 4) {
            value = value * 10 + (text[pos++] - L'0');
            ++digits;
        }
        while (pos < text.size() && text[pos] == L' ') ++pos;
        if (digits == 0 || value > 255) return false;
        parts[i] = value;
        const wchar_t expected = i < 2 ? L',' : L'\0';
        if (expected && (pos >= text.size() || text[pos] != expected)) return false;
        if (expected) ++pos;
    }
    if (pos != text.size()) return false;
    color = RGB(parts[0], parts[1], parts[2]);
    return true;
}

LinkColors ReadLinkColors(HKEY root, const wchar_t* subKey) {
    LinkColors colors;
    RegKey key;
    if (::RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return colors;
    ReadColorValue(key, L"Anchor Color", colors.link);
    ReadColorValue(key, L"Anchor Color Visited", colors.visited);
    return colors;
}

RECT LinkTextRect(const RECT& client, SIZE text, DWORD style) {
    const LONG width = client.right - client.left;
    const LONG cx = text.cx < width ? text.cx : width;
    const DWORD align = style & SS_TYPEMASK;
    const LONG left = client.left + (align == SS_CENTER  ? (width - cx) / 2
                                     : align == SS_RIGHT ? width - cx
                                                         : 0);
    return RECT{left, client.top, left + cx, client.top + text.cy};
}

CHyperLink::CHyperLink() : m_open(&ShellOpen) {
    SetActionName(L"");
}

void CHyperLink::SetActionName(std::wstring name) {
    m_accessible.SetAnswers(AccessibleAnswers{
        ROLE_SYSTEM_LINK, [this] { return GetWindowText(); }, [this] { return m_target; },
        [this] { return STATE_SYSTEM_LINKED | (m_visited ? STATE_SYSTEM_TRAVERSED : 0); },
        std::move(name), [this] { Navigate(); }});
}

CHyperLink::~CHyperLink() {
    // A link that outlives its object would call into freed memory.
    if (m_hWnd) UnsubclassWindow();
    ReleaseResources();
}

BOOL CHyperLink::SubclassWindow(HWND hWnd) {
    if (!CWindowImplBase::SubclassWindow(hWnd)) return FALSE;
    m_hand = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
    m_colors = ReadLinkColors(HKEY_CURRENT_USER, kBrowserSettingsKey);
    MakeUnderlinedFont();
    UpdateLinkRect();
    MakeToolTip();
    Invalidate();
    return TRUE;
}

void CHyperLink::SetHyperLink(std::wstring target) {
    m_target = std::move(target);
    if (!m_toolTip) return;
    TTTOOLINFOW tool = ToolInfo();
    ::SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

COLORREF CHyperLink::TextColor() const {
    if (IsHighContrast()) return ::GetSysColor(COLOR_HOTLIGHT);
    return m_visited ? m_colors.visited : m_colors.link;
}

bool CHyperLink::Navigate() {
    if (m_target.empty() || !m_open(::GetAncestor(m_hWnd, GA_ROOT), m_target)) return false;
    m_visited = true;
    Invalidate();
    NotifyAccessible(EVENT_OBJECT_STATECHANGE, m_hWnd);
    return true;
}

// The tooltip is fed here rather than by subclassing the link itself: a second subclass on top
// of ours would keep ours from ever being taken out again.
void CHyperLink::RelayToToolTip(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_toolTip) {
        MSG relayed{m_hWnd, msg, wParam, lParam, 0, {0, 0}};
        ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    SetMsgHandled(false);
}

void CHyperLink::OnPaint() {
    const PaintDC dc(m_hWnd);
    RECT client = GetClientRect();
    // The parent's background, as the static itself would have asked for it.
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
        GetParent(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)),
        reinterpret_cast<LPARAM>(m_hWnd)));
    ::FillRect(dc, &client, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
    const std::wstring text = GetWindowText();
    const SelectedObject font(dc, m_font ? m_font : GetFont());
    ::SetTextColor(dc, TextColor());
    ::SetBkMode(dc, TRANSPARENT);
    RECT rc = m_linkRect;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT CHyperLink::OnSetCursor() {
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    if (!IsOverLink(pt) || !m_hand) {
        SetMsgHandled(false);
        return 0;
    }
    ::SetCursor(m_hand);
    return TRUE;
}

void CHyperLink::OnLButtonDown(POINT pt) {
    if (IsOverLink(pt)) ::SetCapture(m_hWnd);
}

void CHyperLink::OnLButtonUp(POINT pt) {
    // Only a press that began on the link counts, and only where it is released over it.
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        if (IsOverLink(pt)) Navigate();
    }
}

// The static does its part first; the text's place follows from the result.
LRESULT CHyperLink::OnTextOrSizeChange(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProc(msg, wParam, lParam);
    if (msg == WM_SETFONT) MakeUnderlinedFont();
    UpdateLinkRect();
    return result;
}

void CHyperLink::OnDestroy() {
    ReleaseResources();
    SetMsgHandled(false);
}

bool CHyperLink::IsOverLink(POINT client) const {
    return ::PtInRect(&m_linkRect, client) != FALSE;
}

void CHyperLink::MakeUnderlinedFont() {
    m_font.Reset();
    HFONT base = GetFont();
    LOGFONTW lf{};
    if (!::GetObjectW(base ? base : ::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) return;
    lf.lfUnderline = TRUE;
    m_font.Reset(::CreateFontIndirectW(&lf));
}

void CHyperLink::UpdateLinkRect() {
    const std::wstring text = GetWindowText();
    SIZE extent{};
    if (const WindowDC dc(m_hWnd); dc) {
        const SelectedObject font(dc, m_font ? m_font : GetFont());
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }
    m_linkRect = LinkTextRect(GetClientRect(), extent, GetStyle());
    if (m_toolTip) {
        TTTOOLINFOW tool = ToolInfo();
        ::SendMessageW(m_toolTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CHyperLink::MakeToolTip() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    m_toolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  AppModule().GetModuleInstance(), nullptr);
    if (!m_toolTip) return;
    TTTOOLINFOW tool = ToolInfo();
    ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The link's one tool: its text's rectangle, with the address as its tip.
TTTOOLINFOW CHyperLink::ToolInfo() {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = 1;
    tool.rect = m_linkRect;
    tool.lpszText = m_target.data();
    return tool;
}

void CHyperLink::ReleaseResources() {
    if (m_toolTip && ::IsWindow(m_toolTip)) ::DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
    m_font.Reset();
}
