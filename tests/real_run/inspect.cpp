// Looks at the running program from outside, as a screen reader does: through the window
// tree, the window texts and the control ids, never through the program's own code.
//
//   memorion_inspect layout     checks the view that shows now; prints each fault, exit 1
//   memorion_inspect text ID    prints the text of control ID of that view (UTF-8)
//   memorion_inspect accessible ID   prints role|name|value of that control's accessible
//                                    object, as a screen reader in another process reads it
//
// The checks are what a user would see go wrong under another DPI setting, dialog font or
// code page: a control outside its view, a text cut off, a "< Back" button not where the
// layout puts it (across the bottom).

#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "../text_fit.h"

namespace {

int g_faults = 0;

void Fault(const wchar_t* what, HWND control, const std::wstring& detail) {
    ++g_faults;
    std::wprintf(L"FAULT: %ls: control %d: %ls\n", what, ::GetDlgCtrlID(control), detail.c_str());
}

// GetWindowText gives another process's control only the text it was created with: the
// message asks the control itself, as a screen reader does.
std::wstring Text(HWND hWnd) {
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::wstring ClassOf(HWND hWnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hWnd, name, 64);
    return name;
}

BOOL CALLBACK FindFrame(HWND hWnd, LPARAM found) {
    if (Text(hWnd).rfind(L"Memorion ", 0) == 0 && ClassOf(hWnd) != L"#32770") {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The view that shows: the frame's visible child dialog.
HWND ShownView() {
    HWND frame = nullptr;
    ::EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&frame));
    if (!frame) return nullptr;
    for (HWND c = ::GetWindow(frame, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::IsWindowVisible(c) && ClassOf(c) == L"#32770") return c;
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::IsWindowVisible(c)) children.push_back(c);
    }
    return children;
}

RECT RectIn(HWND control, HWND parent) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The program's dialog font: "MS Shell Dlg" at the stored size's points (8, 10 or 18), as the
// view templates ask for it. Fonts are not shared between processes; this one measures alike.
HFONT DialogFont() {
    DWORD fontSize = 0, size = sizeof fontSize;
    ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Korvanta\\Memorion", L"FontSize",
                   RRF_RT_REG_DWORD, nullptr, &fontSize, &size);
    const int points = fontSize == 1 ? 10 : fontSize == 2 ? 18 : 8;
    HDC screen = ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(lf.lfFaceName, L"MS Shell Dlg");
    return ::CreateFontIndirectW(&lf);
}

struct Measure {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HFONT font = DialogFont();
    HGDIOBJ old = ::SelectObject(dc, font);
    ~Measure() {
        ::SelectObject(dc, old);
        ::DeleteObject(font);
        ::DeleteDC(dc);
    }
    int LineHeight() const {
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc, &tm);
        return tm.tmHeight;
    }
};

void CheckTextWhole(HWND control, const Measure& measure) {
    const std::wstring cut = CutOffText(control, Text(control), measure.font);
    if (!cut.empty()) Fault(L"text cut off", control, cut);
}

int Layout() {
    HWND view = ShownView();
    if (!view) {
        std::wprintf(L"FAULT: no view shows\n");
        return 1;
    }
    RECT client{};
    ::GetClientRect(view, &client);
    const Measure measure;
    const int unitY = measure.LineHeight() / 8;  // one vertical dialog unit, near enough
    for (HWND c : Children(view)) {
        const RECT rc = RectIn(c, view);
        if (rc.left < 0 || rc.top < 0 || rc.right > client.right || rc.bottom > client.bottom) {
            Fault(L"outside its view", c,
                  std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L" - " +
                      std::to_wstring(rc.right) + L"," + std::to_wstring(rc.bottom) + L" in " +
                      std::to_wstring(client.right) + L" x " + std::to_wstring(client.bottom));
        }
        CheckTextWhole(c, measure);
        if (ClassOf(c) == L"#32770") {  // a pane: its lines and boxes must show whole too
            for (HWND inner : Children(c)) CheckTextWhole(inner, measure);
        }
        if (::GetDlgCtrlID(c) == IDCANCEL &&
            (rc.right - rc.left < client.right / 2 || client.bottom - rc.bottom > 3 * unitY)) {
            Fault(L"\"< Back\" is not across the bottom", c,
                  std::to_wstring(rc.right - rc.left) + L" px wide, " +
                      std::to_wstring(client.bottom - rc.bottom) + L" px above the bottom");
        }
    }
    std::wprintf(L"%ls view %d x %d: %d fault(s)\n", g_faults ? L"checked" : L"ok",
                 static_cast<int>(client.right), static_cast<int>(client.bottom), g_faults);
    return g_faults ? 1 : 0;
}

HWND FindControl(HWND parent, int id) {
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(c) == id) return c;
        if (HWND inner = FindControl(c, id)) return inner;
    }
    return nullptr;
}

HWND ShownControl(int id) {
    HWND view = ShownView();
    return view ? FindControl(view, id) : nullptr;
}

void PrintUtf8(const std::wstring& text) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                            nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(),
                          bytes, nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
}

int PrintText(int id) {
    HWND control = ShownControl(id);
    if (!control) return 1;
    PrintUtf8(Text(control));
    return 0;
}

int PrintAccessible(int id) {
    HWND control = ShownControl(id);
    IAccessible* object = nullptr;
    ::CoInitialize(nullptr);
    if (!control || FAILED(::AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                                        reinterpret_cast<void**>(&object)))) {
        return 1;
    }
    VARIANT self{}, role{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr, value = nullptr;
    object->get_accRole(self, &role);
    object->get_accName(self, &name);
    object->get_accValue(self, &value);
    PrintUtf8(std::to_wstring(role.vt == VT_I4 ? role.lVal : -1) + L"|" + (name ? name : L"") +
              L"|" + (value ? value : L""));
    ::SysFreeString(name);
    ::SysFreeString(value);
    object->Release();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wstring(argv[1]) == L"layout") return Layout();
    if (argc >= 3 && std::wstring(argv[1]) == L"text")
        return PrintText(std::wcstol(argv[2], nullptr, 10));
    if (argc >= 3 && std::wstring(argv[1]) == L"accessible")
        return PrintAccessible(std::wcstol(argv[2], nullptr, 10));
    std::fwprintf(stderr, L"usage: memorion_inspect layout | text ID | accessible ID\n");
    return 2;
}
