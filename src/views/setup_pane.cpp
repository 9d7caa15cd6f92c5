#include "views/setup_pane.h"

#include "base/handles_win32.h"
#include "base/wide_text.h"
#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "settings/app_settings.h"
#include "settings/user_font_win32.h"
#include "view/message_boxes.h"
#include "win/app_module.h"
#include "win/defer_window_pos.h"

namespace {

// The three lists, each item at the index that is stored for it, and the check boxes, each
// with the setting it shows.
struct ComboItems {
    int control;
    std::int32_t AppSettings::*setting;
    UINT strings[3];
};
constexpr ComboItems kComboItems[] = {
    {IDC_DIRECTION,
     &AppSettings::TestingDirection,
     {IDS_DIRECTION_NORMAL, IDS_DIRECTION_REVERSE, IDS_DIRECTION_RANDOM}},
    {IDC_ORDER,
     &AppSettings::WordOrder,
     {IDS_ORDER_RANDOM, IDS_ORDER_ALPHABETICAL, IDS_ORDER_NORMAL}},
    {IDC_FONT_SIZE,
     &AppSettings::FontSize,
     {IDS_FONT_NORMAL, IDS_FONT_LARGE, IDS_FONT_EXTRA_LARGE}}};
constexpr std::pair<int, bool AppSettings::*> kCheckBoxes[] = {
    {IDC_CASE_SENSITIVE, &AppSettings::CaseSensitive},
    {IDC_LAZY_REPEAT, &AppSettings::LazyRepeat},
    {IDC_SHOW_HINT, &AppSettings::ShowHint},
    {IDC_CONFIRM_EXIT, &AppSettings::ConfirmExit},
    {IDC_CUSTOM_FONT, &AppSettings::CustomFont}};

// A value from outside the list (put in the registry by hand) selects nothing.
void SelectStored(HWND combo, std::int32_t value) {
    const WPARAM index = value >= 0 && value < 3 ? static_cast<WPARAM>(value) : WPARAM(-1);
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
}

std::int32_t Selected(HWND combo) {
    return static_cast<std::int32_t>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));  // -1: none
}

}  // namespace

int SetupPaneScrollHeight(int height, const DialogUnits& du) {
    const int full = du.Y(kSetupPaneHeightDlu);
    return height < full ? full : 0;
}

FolderRow LayoutFolderRow(int paneWidth, const DialogUnits& du, const RECT& edit,
                          const RECT& button) {
    const int mx = du.X(1), g = du.X(4);
    const LONG buttonWidth = button.right - button.left;
    FolderRow row;
    row.button = button;
    row.button.left = paneWidth - 1 - g - buttonWidth;
    row.button.right = row.button.left + buttonWidth;
    row.edit = edit;
    row.edit.right = row.button.left - mx;
    return row;
}

std::wstring WithTrailingBackslash(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring FolderPath(PCIDLIST_ABSOLUTE item) {
    // A folder deeper than the old limit of 260 characters is the user's to choose too.
    for (DWORD length = MAX_PATH; length <= 32768; length *= 2) {
        std::wstring path(length, L'\0');
        if (::SHGetPathFromIDListEx(item, path.data(), length, GPFIDL_DEFAULT)) {
            path.resize(path.find(L'\0'));
            return path;
        }
    }
    return {};
}

BROWSEINFOW FolderDialogRequest(HWND owner, const wchar_t* title, const std::wstring* start) {
    BROWSEINFOW request{};
    request.hwndOwner = owner;
    request.lpszTitle = title;
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = &PreselectFolder;
    request.lParam = reinterpret_cast<LPARAM>(start);
    return request;
}

CHOOSEFONTW FontDialogRequest(HWND owner, LOGFONTW* font) {
    CHOOSEFONTW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpLogFont = font;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    return request;
}

int CALLBACK PreselectFolder(HWND dialog, UINT msg, LPARAM, LPARAM data) {
    const auto* start = reinterpret_cast<const std::wstring*>(data);
    if (msg == BFFM_INITIALIZED && start) {
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->c_str()));
    }
    return 0;
}

CSetupPane::CSetupPane(const ViewContext& context)
    : CDialogImpl(CViewBase::PickTemplate(IDD_SETUP_PANE, context.settings.FontSize)),
      m_settings(context.settings),
      m_cache(context.cache),
      m_watcher(context.watcher) {}

void CSetupPane::PutPickedFolder(std::wstring folder) {
    SetControlText(IDC_FOLDER, WithTrailingBackslash(std::move(folder)));
}

BOOL CSetupPane::OnInitDialog() {
    for (const ComboItems& combo : kComboItems) {
        for (UINT id : combo.strings) {
            const std::wstring text = LoadResString(id);
            SendDlgItemMessageW(m_hWnd, combo.control, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    m_folderButtonName.AttachName(GetDlgItem(IDC_FOLDER_BROWSE),
                                  LoadResString(IDS_ACC_CHOOSE_FOLDER));
    return FALSE;  // the view decides where the focus goes
}

void CSetupPane::Load() {
    for (const ComboItems& combo : kComboItems) {
        SelectStored(GetDlgItem(combo.control), m_settings.*combo.setting);
    }
    for (const auto& [box, setting] : kCheckBoxes) CheckControl(box, m_settings.*setting);
    // The edit's change notification applies the folder once more, so every visit to this
    // view ends with the library dropped and the watcher on the stored folder.
    SetControlText(IDC_FOLDER, Wide(m_settings.DataFolder));
    SetScrollOffset(0, 0);
    EnableControl(IDC_CHOOSE_FONT, m_settings.CustomFont);
}

void CSetupPane::OnSize(UINT, int width, int height) {
    const DialogUnits du = DialogUnits::Measure(m_hWnd);
    const CWindow folder = GetDlgItem(IDC_FOLDER), browse = GetDlgItem(IDC_FOLDER_BROWSE);
    const FolderRow row =
        LayoutFolderRow(width, du, folder.GetRectInParent(), browse.GetRectInParent());
    {
        CDeferWindowPos batch(2);
        batch.Move(browse, row.button);
        batch.Move(folder, row.edit);
    }
    SetScrollSize(0, SetupPaneScrollHeight(height, du));
}

void CSetupPane::OnComboChange() {
    for (const ComboItems& combo : kComboItems) {
        m_settings.*combo.setting = Selected(GetDlgItem(combo.control));
    }
}

void CSetupPane::OnFontSizeChange() {
    const std::int32_t previousFontSize = m_settings.FontSize;
    OnComboChange();
    if (m_settings.FontSize == previousFontSize) return;
    // Every view picked its template when it was built: only a new frame shows the new size.
    // The value stays stored whatever the answer and takes effect at the next start.
    if (QuestionBox(m_hWnd, LoadResString(IDS_CONFIRM_RESTART).c_str()) == IDYES) {
        m_settings.RestartRequested = true;
        ::PostMessageW(Frame(), WM_CLOSE, 0, 0);
    }
}

void CSetupPane::OnCheckBoxChange() {
    for (const auto& [box, setting] : kCheckBoxes) m_settings.*setting = IsControlChecked(box);
    EnableControl(IDC_CHOOSE_FONT, m_settings.CustomFont);
}

void CSetupPane::OnDataFolderChange() {
    // Taken as typed, keystroke by keystroke: nothing is trimmed or checked here, and a
    // half-typed folder that does not exist is simply not watched.
    m_settings.DataFolder = U16(ControlText(IDC_FOLDER));
    m_watcher.Restart(m_settings.DataFolderPath());
    m_cache.DropLibrary();
}

void CSetupPane::OnBrowseForFolder() {
    const std::wstring title = LoadResString(IDS_CHOOSE_FOLDER);
    const std::wstring start = Wide(m_settings.DataFolderPath());
    BROWSEINFOW request = FolderDialogRequest(m_hWnd, title.c_str(), &start);
    // The shell's folder dialog needs COM on this thread.
    const ComScope com(COINIT_APARTMENTTHREADED);
    if (const CoTaskMemory<PIDLIST_ABSOLUTE> item(::SHBrowseForFolderW(&request)); item) {
        if (std::wstring path = FolderPath(item); !path.empty()) PutPickedFolder(std::move(path));
    }
}

void CSetupPane::OnUseDefaultFolder() {
    m_settings.DataFolder = m_settings.DefaultDataFolder;
    m_watcher.Restart(m_settings.DataFolderPath());
    SetControlText(IDC_FOLDER, Wide(m_settings.DataFolder));
}

void CSetupPane::OnChooseCustomFont() {
    LOGFONTW font = ToLogFontW(m_settings.UserFont());
    CHOOSEFONTW request = FontDialogRequest(::GetActiveWindow(), &font);
    // Shown from the next activation of the views that use it; nothing is repainted now.
    if (::ChooseFontW(&request)) m_settings.SetUserFont(FromLogFontW(font));
}
