// Whether a control shows its caption whole, the one rule for the layout test in process and
// for the inspector that looks at the real program from outside.
#pragma once

#include <windows.h>

#include <string>

// What is cut off of `text`, the caption of `control`, in `font`: empty when it shows whole
// or the control is not one whose caption can be cut (a static with room to wrap, a group
// box, anything that is neither a static nor a button).
inline std::wstring CutOffText(HWND control, const std::wstring& text, HFONT font) {
    wchar_t name[16] = {};
    ::GetClassNameW(control, name, 16);
    const std::wstring cls = name;
    if (text.empty() || (cls != L"Static" && cls != L"Button")) return L"";
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    RECT extent{};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
                DT_CALCRECT | DT_SINGLELINE);  // '&' marks a mnemonic, as on screen
    ::SelectObject(dc, old);
    ::DeleteDC(dc);

    RECT client{};
    ::GetClientRect(control, &client);
    int room = client.right;
    if (cls == L"Button") {
        const LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_GROUPBOX) return L"";
        const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                         type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
        room -= box ? ::GetSystemMetrics(SM_CXMENUCHECK) + 2 : 4;
    } else if (client.bottom >= 2 * metrics.tmHeight) {
        return L"";  // room for more lines: a static wraps its text
    }
    if (extent.right <= room) return L"";
    return L"\"" + text + L"\" (control " + std::to_wstring(::GetDlgCtrlID(control)) + L") needs " +
           std::to_wstring(extent.right) + L" px, has " + std::to_wstring(room);
}
