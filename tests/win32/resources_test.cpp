// The program's resources as the running module holds them: every string, menu 128,
// accelerator table 128, the dialog templates in their three font sizes, icon 107, the
// version and the manifest. Outside tools and the views find these by number and text, so a
// typo in an id, a text, a style or a variant is a real fault.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

std::wstring LoadResourceString(UINT id) {
    const wchar_t* text = nullptr;
    // A zero buffer size returns a pointer into the resource and the exact length.
    int length = LoadStringW(Module(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::vector<unsigned char> ResourceBytes(LPCWSTR type, LPCWSTR name) {
    HRSRC info = FindResourceW(Module(), name, type);
    if (!info) return {};
    HGLOBAL handle = LoadResource(Module(), info);
    auto* data = static_cast<const unsigned char*>(LockResource(handle));
    DWORD size = SizeofResource(Module(), info);
    return data ? std::vector<unsigned char>(data, data + size) : std::vector<unsigned char>();
}

// --- strings --------------------------------------------------------------------------------

struct StringCase {
    UINT id;
    const wchar_t* text;
};

// Leading blanks, "%%" and the line breaks are part of the texts: the status lines are
// formatted with them and the message boxes break where "\n" stands.
// A table reads best laid out by hand.
// clang-format off
const StringCase kStrings[] = {
    {128, L"Memorion 1.2 by Dorsel"},
    {800, L"Memorion"},
    {801, L"&Yes"},
    {802, L"&No"},
    {810, L" Selected Words: (%u of %u), Files: (%u of %u)"},
    {811, L" (%u of %u), Wrong: (%u of %u), Score: %u%%"},
    {812, L" %u record(s), The latest score: %u%%"},
    {820, L"Normal (1st => 2nd)"},
    {821, L"Reverse (2nd => 1st)"},
    {822, L"Random"},
    {830, L"Random"},
    {831, L"Alphabetical"},
    {832, L"Normal"},
    {835, L"Normal"},
    {836, L"Large"},
    {837, L"Extra Large"},
    {840, L"n/a"},
    {841, L"*****"},
    {850, L"Progress >>>"},
    {851, L"Create a new file:"},
    {852, L"New %u"},
    {853, L"Rename the existing file:"},
    {860, L"Are you sure you want to delete the selected file(s)?"},
    {861, L"Are you sure you want to terminate the current testing session?\n"
          L"(Your score will not be recorded.)"},
    {862, L"This change takes effect only after Memorion is restarted.\n"
          L"Would you like to restart it now?"},
    {870, L"The data folder has been changed.\nThe content will be reloaded."},
    {871, L"Choose Data Location:"},
    {880, L"Could not rename the file!\nPlease try another name."},
    {881, L"Unable to edit the selected file!\n(It might be in use by another application.)"},
    {882, L"Could not delete the selected file(s)!"},
    {883, L"Could not create the file!\nPlease try another name."},
    {884, L"The file already exists!\nPlease try another name."},
    {885, L"Unable to access the data folder!\nPlease check the path in the program settings."},
    {892, L"Word files"}, {893, L"Entries"}, {894, L"Progress"}, {895, L"%u of %u"},
    {896, L"Choose the data folder"}, {897, L"Scores"}, {898, L"No scores"}, {899, L"Open"},
};
// clang-format on

TEST(Resources, EveryStringHasItsExactText) {
    for (const StringCase& c : kStrings) {
        EXPECT_EQ(LoadResourceString(c.id), std::wstring(c.text)) << "string " << c.id;
    }
}

TEST(Resources, NoStringBetweenTheNumberedOnes) {
    // A string under a mistyped id would be missed by its reader and show up here.
    for (UINT id = 129; id < 1000; ++id) {
        bool listed = false;
        for (const StringCase& c : kStrings) listed = listed || c.id == id;
        if (!listed) {
            EXPECT_EQ(LoadResourceString(id), L"") << "unexpected string " << id;
        }
    }
}

// --- menu -----------------------------------------------------------------------------------

struct MenuItemCase {
    UINT id;  // 0: separator
    const wchar_t* text;
};

struct PopupCase {
    const wchar_t* text;
    std::vector<MenuItemCase> items;
};

// A table reads best laid out by hand.
// clang-format off
const PopupCase kPopups[] = {
    {L"&GoTo",
     {{200, L"&Home\tF1"}, {0, nullptr}, {201, L"&Browse\tF3"}, {202, L"&Test\tF7"},
      {203, L"&Graph\tF8"}, {0, nullptr}, {204, L"&Setup\tF9"}, {205, L"Ab&out\tF10"},
      {0, nullptr}, {57665, L"E&xit"}}},
    {L"&File",
     {{221, L"&New\tIns"}, {0, nullptr}, {220, L"&Edit\tF4"}, {222, L"&Rename\tF2"},
      {223, L"&Delete\tDel"}, {0, nullptr}, {224, L"Select &All\tCtrl+A"}, {0, nullptr},
      {225, L"Re&fresh\tF5"}, {226, L"&Open Folder\tF6"}}},
    {L"&Browse", {{230, L"Ex&pand All\t+"}, {231, L"Co&llapse All\t-"}}},
    {L"&Graph", {{240, L"&Clear\tDel"}}},
};
// clang-format on

struct MenuItemRead {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::wstring text;
};

MenuItemRead ReadMenuItem(HMENU menu, int position) {
    wchar_t buffer[128] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 128;
    MenuItemRead read;
    if (GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) {
        read.type = info.fType;
        read.state = info.fState;
        read.id = info.wID;
        read.submenu = info.hSubMenu;
        read.text = buffer;
    }
    return read;
}

TEST(Resources, MenuHasItsPopupsItemsAndSeparators) {
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    // The views find their popup by position, so the order of the popups matters.
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    for (int p = 0; p < 4; ++p) {
        const PopupCase& expected = kPopups[p];
        MenuItemRead popup = ReadMenuItem(menu, p);
        EXPECT_EQ(popup.text, expected.text) << "popup " << p;
        ASSERT_NE(popup.submenu, nullptr) << "popup " << p;
        ASSERT_EQ(GetMenuItemCount(popup.submenu), static_cast<int>(expected.items.size()))
            << expected.text;
        for (size_t i = 0; i < expected.items.size(); ++i) {
            const MenuItemCase& item = expected.items[i];
            MenuItemRead read = ReadMenuItem(popup.submenu, static_cast<int>(i));
            SCOPED_TRACE(testing::Message() << "popup " << p << " item " << i);
            EXPECT_EQ(read.submenu, nullptr);
            if (item.id == 0) {
                EXPECT_TRUE(read.type & MFT_SEPARATOR);
                continue;
            }
            EXPECT_FALSE(read.type & MFT_SEPARATOR);
            EXPECT_EQ(read.id, item.id);
            EXPECT_EQ(read.text, item.text);
            // The frame grays items itself; the resource must start with all enabled.
            EXPECT_EQ(read.state, 0u);
        }
    }
    DestroyMenu(menu);
}

// --- accelerators ---------------------------------------------------------------------------

TEST(Resources, AcceleratorsAreThePlainFunctionKeys) {
    struct {
        WORD key;
        WORD command;
    } const expected[] = {
        {VK_F1, 200},  {VK_F3, 201}, {VK_F7, 202}, {VK_F8, 203}, {VK_F9, 204},
        {VK_F10, 205}, {VK_F4, 220}, {VK_F2, 222}, {VK_F5, 225}, {VK_F6, 226},
    };
    HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32] = {};
    int count = CopyAcceleratorTableW(table, entries, 32);
    ASSERT_EQ(count, 10);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << "accelerator " << i);
        // A modifier or a character key here would make the key do nothing or the wrong thing.
        EXPECT_EQ(entries[i].fVirt & 0x7F, FVIRTKEY);
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].cmd, expected[i].command);
    }
    DestroyAcceleratorTable(table);
}

// --- dialog templates -----------------------------------------------------------------------

struct TemplateItem {
    DWORD style = 0;
    DWORD id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring className;
    std::wstring text;
};

struct Template {
    bool valid = false;
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::wstring caption;
    WORD points = 0;
    std::wstring typeface;
    std::vector<TemplateItem> items;
};

// Reads an extended dialog template (DIALOGEX) into its parts.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}

    Template Read() {
        Template t;
        if (bytes_.size() < 26 || Word() != 1 || Word() != 0xFFFF) return t;
        Dword();  // help id
        Dword();  // extended style
        t.style = Dword();
        WORD count = Word();
        Short();  // x
        Short();  // y
        t.cx = Short();
        t.cy = Short();
        SizeOrOrdinal();  // menu
        SizeOrOrdinal();  // class
        t.caption = String();
        if (t.style & DS_SETFONT) {
            t.points = Word();
            Word();  // weight
            Word();  // italic, character set
            t.typeface = String();
        }
        for (WORD i = 0; i < count && ok_; ++i) {
            pos_ = (pos_ + 3) & ~size_t{3};
            TemplateItem item;
            Dword();  // help id
            Dword();  // extended style
            item.style = Dword();
            item.x = Short();
            item.y = Short();
            item.cx = Short();
            item.cy = Short();
            item.id = Dword();
            item.className = SizeOrOrdinal(true);
            item.text = SizeOrOrdinal();
            pos_ += Word();  // creation data
            t.items.push_back(item);
        }
        t.valid = ok_;
        return t;
    }

private:
    WORD Word() {
        if (pos_ + 2 > bytes_.size()) {
            ok_ = false;
            return 0;
        }
        WORD w;
        std::memcpy(&w, &bytes_[pos_], 2);
        pos_ += 2;
        return w;
    }
    short Short() { return static_cast<short>(Word()); }
    DWORD Dword() {
        DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    std::wstring String() {
        std::wstring s;
        for (WORD c = Word(); c != 0 && ok_; c = Word()) s += static_cast<wchar_t>(c);
        return s;
    }
    // A string, or an ordinal: for a class, the predefined class atoms become their names.
    std::wstring SizeOrOrdinal(bool isClass = false) {
        if (pos_ + 2 > bytes_.size()) {
            ok_ = false;
            return {};
        }
        WORD first;
        std::memcpy(&first, &bytes_[pos_], 2);
        if (first == 0) {
            pos_ += 2;
            return {};
        }
        if (first != 0xFFFF) return String();
        pos_ += 2;
        WORD ordinal = Word();
        if (isClass) {
            static const wchar_t* const kAtoms[] = {L"Button",  L"Edit",      L"Static",
                                                    L"ListBox", L"ScrollBar", L"ComboBox"};
            if (ordinal >= 0x80 && ordinal <= 0x85) return kAtoms[ordinal - 0x80];
        }
        return L"#" + std::to_wstring(ordinal);
    }

    const std::vector<unsigned char>& bytes_;
    size_t pos_ = 0;
    bool ok_ = true;
};

Template ReadTemplate(UINT id) {
    std::vector<unsigned char> bytes = ResourceBytes(RT_DIALOG, MAKEINTRESOURCEW(id));
    return TemplateReader(bytes).Read();
}

bool SameClass(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

// Style bits a control must have (on) and must not have (off). Control types are values
// under a mask, so a type is both: its bits on and the rest of its mask off.
struct Bits {
    DWORD on = 0;
    DWORD off = 0;
};
// clang-format off
constexpr Bits operator|(Bits a, Bits b) { return {a.on | b.on, a.off | b.off}; }
constexpr Bits Has(DWORD bits) { return {bits, 0}; }
constexpr Bits Lacks(DWORD bits) { return {0, bits}; }
constexpr Bits Type(DWORD value, DWORD mask) { return {value, mask & ~value}; }
// clang-format on

constexpr Bits kPush = Type(BS_PUSHBUTTON, BS_TYPEMASK) | Has(WS_TABSTOP);
constexpr Bits kCheck = Type(BS_AUTOCHECKBOX, BS_TYPEMASK) | Has(WS_TABSTOP);
constexpr Bits kLabel = Type(SS_LEFT, SS_TYPEMASK);
constexpr Bits kGroupLabel = kLabel | Has(WS_GROUP);
constexpr Bits kStatus = Type(SS_SIMPLE, SS_TYPEMASK) | Has(SS_NOPREFIX | SS_SUNKEN);
constexpr Bits kDropList = Type(CBS_DROPDOWNLIST, 3) | Has(WS_TABSTOP);
constexpr Bits kLineEdit = Has(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL) | Lacks(ES_MULTILINE);

constexpr short kAny = -1;

struct ControlCase {
    DWORD id;
    const wchar_t* className;
    const wchar_t* text;  // nullptr: not checked
    Bits bits;
    short x, y, cx, cy;  // kAny: set by the view's layout, not checked
};

struct TemplateCase {
    const char* name;
    UINT base;
    int variants;                       // 3: base, base + 1, base + 2 at 8, 10, 18 points
    short cx, cy;                       // kAny: not checked
    std::vector<ControlCase> controls;  // in tab order
};

const ControlCase kBack = {IDCANCEL, L"Button", L"< Back", kPush, kAny, kAny, 45, 16};

// A table reads best laid out by hand.
// clang-format off
const TemplateCase kTemplates[] = {
    {"home", IDD_HOME, 3, kAny, kAny,
     {{600, L"ListBox", nullptr,
       Has(LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER |
           WS_TABSTOP) | Lacks(LBS_SORT),
       kAny, kAny, kAny, kAny},
      {506, L"Static", L"", kStatus, kAny, kAny, kAny, kAny},
      {501, L"Button", L"Browse >", kPush, kAny, kAny, kAny, kAny},
      {IDOK, L"Button", L"Test >", kPush, kAny, kAny, kAny, kAny},
      {503, L"Button", L"Graph >", kPush, kAny, kAny, kAny, kAny},
      {504, L"Button", L"Setup >", kPush, kAny, kAny, kAny, kAny},
      {505, L"Button", L"About >", kPush, kAny, kAny, kAny, kAny}}},
    {"browse", IDD_BROWSE, 3, kAny, kAny,
     {{601, L"SysTreeView32", nullptr,
       Has(WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_FULLROWSELECT) |
           Lacks(TVS_HASLINES | TVS_CHECKBOXES | TVS_EDITLABELS),
       kAny, kAny, kAny, kAny},
      kBack}},
    {"test", IDD_TEST, 3, 250, 250,
     {{602, L"Static", L"Question:", kLabel, 1, 2, 100, 8},
      {603, L"Edit", L"", Has(ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP),
       1, 12, 100, 13},
      {604, L"Static", L"Hint:", kLabel, 1, 30, 100, 8},
      {605, L"Edit", L"", kLineEdit | Has(ES_READONLY), 1, 40, 100, 13},
      {606, L"Static", L"Your Answer:", kLabel, 1, 58, 100, 8},
      {607, L"Edit", L"", kLineEdit | Lacks(ES_READONLY), 1, 68, 100, 13},
      {608, L"msctls_progress32", nullptr, Has(WS_BORDER), 0, 0, 0, 0},
      {506, L"Static", L"", kStatus, 0, 0, 0, 11},
      {IDCANCEL, L"Button", L"< Back", kPush, 0, 0, 45, 16}}},
    {"graph", IDD_GRAPH, 3, kAny, kAny,
     {// Clicks on the graph must reach the view, which opens the context menu.
      {609, L"Static", L"", Lacks(SS_NOTIFY), kAny, kAny, kAny, kAny},
      {506, L"Static", L"", kStatus, kAny, kAny, kAny, kAny},
      kBack}},
    {"setup", IDD_SETUP, 3, kAny, kAny, {kBack}},
    {"about", IDD_ABOUT, 3, kAny, kAny, {kBack}},
    {"setup pane", IDD_SETUP_PANE, 3, 100, 200,
     {{610, L"Static", L"Testing Direction:", kGroupLabel, 4, 4, 120, 8},
      {611, L"ComboBox", nullptr, kDropList, 4, 14, 90, 100},
      {612, L"Static", L"Word Order:", kGroupLabel, 4, 30, 120, 8},
      {613, L"ComboBox", nullptr, kDropList, 4, 40, 90, 100},
      {614, L"Button", L"Case Sensitive", kCheck, 10, 58, 120, 10},
      {615, L"Button", L"Lazy Repeat", kCheck, 10, 69, 120, 10},
      {616, L"Button", L"Show Hint", kCheck, 10, 80, 120, 10},
      {621, L"Button", L"Confirm Exit", kCheck, 10, 91, 120, 10},
      {617, L"Static", L"Data Folder:", kGroupLabel, 4, 108, 120, 8},
      {618, L"Edit", L"", kLineEdit, 4, 118, 120, 13},
      {619, L"Button", L"...", kPush, 92, 118, 15, 13},
      {620, L"Button", L"Use Default Data Folder", kPush, 4, 132, 90, 14},
      {622, L"Static", L"General Font Size:", kGroupLabel, 4, 154, 120, 8},
      {623, L"ComboBox", nullptr, kDropList, 4, 164, 90, 100},
      {624, L"Button", L"Use Custom Font", kCheck, 10, 182, 120, 10},
      {625, L"Button", L"Choose Custom Font", kPush, 4, 192, 90, 14}}},
    {"about pane", IDD_ABOUT_PANE, 3, 100, 40,
     {{626, L"Static", L"Memorion 1.2", Type(SS_CENTER, SS_TYPEMASK), kAny, 8, 100, 8},
      {627, L"Static", L"By the Memorion developers", Type(SS_CENTER, SS_TYPEMASK), kAny, 18,
       100, 8},
      // A placeholder under the reserved example.org domain until there is a home page.
      {628, L"Static", L"https://memorion.example.org/", Type(SS_CENTER, SS_TYPEMASK), kAny, 28,
       100, 8}}},
    {"text entry", IDD_STRING, 1, 150, 55,
     {{629, L"Static", L"Label:", kLabel, 4, 4, 100, 8},
      {630, L"Edit", L"", kLineEdit, 4, 16, 142, 13},
      {IDOK, L"Button", L"OK", kPush, 42, 35, 50, 14},
      {IDCANCEL, L"Button", L"Cancel", kPush, 95, 35, 50, 14}}},
};
// clang-format on

const WORD kPoints[] = {8, 10, 18};

void ExpectRect(short actual, short expected, const char* what) {
    if (expected != kAny) {
        EXPECT_EQ(actual, expected) << what;
    }
}

TEST(Resources, TemplatesHoldTheirControlsInEveryFontSize) {
    for (const TemplateCase& c : kTemplates) {
        for (int v = 0; v < c.variants; ++v) {
            UINT id = c.base + static_cast<UINT>(v);
            SCOPED_TRACE(testing::Message() << c.name << " template " << id);
            Template t = ReadTemplate(id);
            ASSERT_TRUE(t.valid);
            EXPECT_EQ(t.points, kPoints[v]);
            EXPECT_EQ(t.typeface, L"MS Shell Dlg");
            EXPECT_EQ(t.style & DS_SHELLFONT, static_cast<DWORD>(DS_SHELLFONT));
            ExpectRect(t.cx, c.cx, "template width");
            ExpectRect(t.cy, c.cy, "template height");
            ASSERT_EQ(t.items.size(), c.controls.size());
            for (size_t i = 0; i < c.controls.size(); ++i) {
                const ControlCase& expected = c.controls[i];
                const TemplateItem& item = t.items[i];
                SCOPED_TRACE(testing::Message() << "control " << expected.id);
                EXPECT_EQ(item.id, expected.id) << "tab position " << i;
                EXPECT_TRUE(SameClass(item.className, expected.className));
                if (expected.text) {
                    EXPECT_EQ(item.text, expected.text);
                }
                EXPECT_EQ(item.style & (WS_CHILD | WS_VISIBLE),
                          static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
                EXPECT_EQ(item.style & expected.bits.on, expected.bits.on);
                EXPECT_EQ(item.style & expected.bits.off, 0u);
                ExpectRect(item.x, expected.x, "x");
                ExpectRect(item.y, expected.y, "y");
                ExpectRect(item.cx, expected.cx, "width");
                ExpectRect(item.cy, expected.cy, "height");
            }
        }
    }
}

TEST(Resources, ViewsAreVisibleChildrenAndTheTextEntryIsAModalPopup) {
    for (const TemplateCase& c : kTemplates) {
        for (int v = 0; v < c.variants; ++v) {
            UINT id = c.base + static_cast<UINT>(v);
            Template t = ReadTemplate(id);
            ASSERT_TRUE(t.valid) << id;
            if (id == IDD_STRING) {
                EXPECT_EQ(t.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
                          static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
                EXPECT_EQ(t.caption, L"Memorion");
            } else {
                // Views and panes live inside the frame; WS_VISIBLE makes the home view show
                // from its creation on.
                EXPECT_EQ(t.style & (WS_CHILD | WS_VISIBLE),
                          static_cast<DWORD>(WS_CHILD | WS_VISIBLE))
                    << id;
                EXPECT_EQ(t.style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), 0u) << id;
            }
        }
    }
    // The text entry dialog does not follow the font size.
    EXPECT_EQ(FindResourceW(Module(), MAKEINTRESOURCEW(IDD_STRING + 1), RT_DIALOG), nullptr);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring s = name;
    // An activation context may report a versioned class name ("6.0.x!SysTreeView32").
    size_t bang = s.rfind(L'!');
    return bang == std::wstring::npos ? s : s.substr(bang + 1);
}

TEST(Resources, TemplatesCreateWithTheirControlsAndGrowWithTheFont) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr,
                                  nullptr, Module(), nullptr);
    ASSERT_NE(parent, nullptr);
    for (const TemplateCase& c : kTemplates) {
        LONG previousHeight = 0;
        for (int v = 0; v < c.variants; ++v) {
            UINT id = c.base + static_cast<UINT>(v);
            SCOPED_TRACE(testing::Message() << c.name << " template " << id);
            HWND dialog =
                CreateDialogParamW(Module(), MAKEINTRESOURCEW(id), parent, PlainDialogProc, 0);
            ASSERT_NE(dialog, nullptr);
            for (const ControlCase& expected : c.controls) {
                HWND control = GetDlgItem(dialog, static_cast<int>(expected.id));
                ASSERT_NE(control, nullptr) << "control " << expected.id;
                EXPECT_TRUE(SameClass(ClassOf(control), expected.className))
                    << "control " << expected.id;
            }
            // A variant that lost its font falls back to the system font at one size.
            RECT units = {0, 0, 100, 100};
            MapDialogRect(dialog, &units);
            EXPECT_GT(units.bottom, previousHeight) << "at " << kPoints[v] << " points";
            previousHeight = units.bottom;
            DestroyWindow(dialog);
        }
    }
    DestroyWindow(parent);
}

// --- icon, version, manifest ----------------------------------------------------------------

TEST(Resources, IconHasEverySizeIn32BitColour) {
    std::vector<unsigned char> group =
        ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_MAINFRAME));
    ASSERT_GE(group.size(), 6u);
    WORD count;
    std::memcpy(&count, &group[4], 2);
    ASSERT_EQ(group.size(), 6u + 14u * count);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const unsigned char* entry = &group[6 + 14 * i];
        WORD bits;
        std::memcpy(&bits, entry + 6, 2);
        EXPECT_EQ(bits, 32) << "entry " << i;
        sizes.push_back(entry[0] == 0 ? 256 : entry[0]);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));

    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(Resources, VersionMatchesTheTitle) {
    std::vector<unsigned char> version = ResourceBytes(RT_VERSION, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(version.empty());
    const DWORD signature = 0xFEEF04BD;
    for (size_t i = 0; i + sizeof(VS_FIXEDFILEINFO) <= version.size(); i += 4) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, &version[i], sizeof fixed);
        if (fixed.dwSignature != signature) continue;
        // The title says "Memorion 1.2".
        EXPECT_EQ(fixed.dwFileVersionMS, 0x00010002u);
        EXPECT_EQ(fixed.dwProductVersionMS, 0x00010002u);
        EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
        EXPECT_EQ(fixed.dwFileFlags & fixed.dwFileFlagsMask & VS_FF_DEBUG, 0u);
        return;
    }
    FAIL() << "no fixed file information";
}

TEST(Resources, ManifestAsksForCommonControls6) {
    std::vector<unsigned char> manifest =
        ResourceBytes(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find("<dpiAware"), std::string::npos);
}

}  // namespace
