#include "win/reflection.h"

#include <algorithm>
#include <iterator>

namespace {

// The child a notification comes from, or null when the message is not a notification that
// is reflected or names no child (menu and accelerator commands, for instance).
HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsCtlColorMessage(msg)) return reinterpret_cast<HWND>(lParam);
    switch (msg) {
    case WM_COMMAND:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
        switch (LOWORD(wParam)) {
        case WM_CREATE:
        case WM_DESTROY:
            return reinterpret_cast<HWND>(lParam);
        default:
            return ::GetDlgItem(parent, HIWORD(wParam));
        }
    // The item messages name a control only when wParam (the control id) is not zero: zero
    // means a menu item.
    case WM_DRAWITEM:
        return wParam && lParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem
                                : nullptr;
    case WM_MEASUREITEM:
        return wParam && lParam
                   ? ::GetDlgItem(parent,
                                  static_cast<int>(
                                      reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID))
                   : nullptr;
    case WM_COMPAREITEM:
        return wParam && lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem
                                : nullptr;
    case WM_DELETEITEM:
        return wParam && lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem
                                : nullptr;
    default:
        return nullptr;
    }
}

bool IsReflectedMessage(UINT msg) {
    // Every message ReflectionTarget may find a child for.
    constexpr UINT kReflectable[] = {WM_COMMAND,     WM_NOTIFY,      WM_PARENTNOTIFY, WM_DRAWITEM,
                                     WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM,   WM_VKEYTOITEM,
                                     WM_CHARTOITEM,  WM_HSCROLL,     WM_VSCROLL};
    const UINT original = msg - OCM__BASE;
    return msg >= OCM__BASE &&
           (IsCtlColorMessage(original) ||
            std::ranges::find(kReflectable, original) != std::end(kReflectable));
}

}  // namespace

BOOL ReflectNotifications(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = ReflectionTarget(parent, msg, wParam, lParam);
    // Only the parent's own children: a scroll message from a stand-alone scroll bar of some
    // other window is none of theirs.
    if (!child || child == parent || !::IsWindow(child) || ::GetParent(child) != parent) {
        return FALSE;
    }
    result = ::SendMessageW(child, OCM__BASE + msg, wParam, lParam);
    return TRUE;
}

BOOL DefaultReflectionHandler(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!IsReflectedMessage(msg)) return FALSE;
    result = ::DefWindowProcW(hWnd, msg - OCM__BASE, wParam, lParam);
    return TRUE;
}
