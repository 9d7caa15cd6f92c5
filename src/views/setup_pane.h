#pragma once
// Every setting on one scrolling pane. Each control writes straight into the settings record
// the moment it changes; there is nothing to confirm or cancel. The pane keeps no copy: it
// reloads every control from the record each time the setup view is shown.

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <string>

#include "win/scroll_impl.h"

#include "view/view_base.h"
#include "win/accessible.h"

// A pane shorter than this many vertical dialog units scrolls over its full height.
constexpr int kSetupPaneHeightDlu = 210;

// The scroll extent for a pane `height` pixels high: 0 when everything fits.
int SetupPaneScrollHeight(int height, const DialogUnits& du);

// The "..." button keeps its size and top and moves so that its right edge stays g + 1 pixels
// from the pane's right edge (g: four horizontal units); the folder edit keeps its place and
// height and ends one horizontal unit before the button.
struct FolderRow {
    RECT edit{};
    RECT button{};
};
FolderRow LayoutFolderRow(int paneWidth, const DialogUnits& du, const RECT& edit,
                          const RECT& button);

// A folder chosen in the folder dialog always ends with a backslash.
std::wstring WithTrailingBackslash(std::wstring folder);

// The requests the two common dialogs are opened with, apart from the dialogs themselves.
// The file system folder the shell's `item` stands for, however long; empty for none.
std::wstring FolderPath(PCIDLIST_ABSOLUTE item);
// The folder dialog starts at `*start`, which must outlive it (see PreselectFolder).
BROWSEINFOW FolderDialogRequest(HWND owner, const wchar_t* title, const std::wstring* start);
// Screen fonts only, starting from `*font`; no effects, so no colour, underline or strikeout.
CHOOSEFONTW FontDialogRequest(HWND owner, LOGFONTW* font);
// The folder dialog's callback: once the dialog is up, it selects the folder that
// FolderDialogRequest was given.
int CALLBACK PreselectFolder(HWND dialog, UINT msg, LPARAM lParam, LPARAM data);

class CSetupPane : public CDialogImpl<CSetupPane>, public CScrollImpl<CSetupPane> {
public:
    explicit CSetupPane(const ViewContext& context);

    // Puts a folder picked with "..." into the edit, which applies it.
    void PutPickedFolder(std::wstring folder);

    BEGIN_MSG_MAP(CSetupPane)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_VIEW_ACTIVATE, Load)
        MSG_WM_SIZE(OnSize)
        COMMAND_CODE_HANDLER(IDC_DIRECTION, CBN_SELCHANGE, OnComboChange)
        COMMAND_CODE_HANDLER(IDC_ORDER, CBN_SELCHANGE, OnComboChange)
        COMMAND_CODE_HANDLER(IDC_FONT_SIZE, CBN_SELCHANGE, OnFontSizeChange)
        COMMAND_CODE_HANDLER(IDC_CASE_SENSITIVE, BN_CLICKED, OnCheckBoxChange)
        COMMAND_CODE_HANDLER(IDC_LAZY_REPEAT, BN_CLICKED, OnCheckBoxChange)
        COMMAND_CODE_HANDLER(IDC_SHOW_HINT, BN_CLICKED, OnCheckBoxChange)
        COMMAND_CODE_HANDLER(IDC_CONFIRM_EXIT, BN_CLICKED, OnCheckBoxChange)
        COMMAND_CODE_HANDLER(IDC_CUSTOM_FONT, BN_CLICKED, OnCheckBoxChange)
        COMMAND_CODE_HANDLER(IDC_FOLDER, EN_CHANGE, OnDataFolderChange)
        COMMAND_ID_HANDLER(IDC_FOLDER_BROWSE, OnBrowseForFolder)
        COMMAND_ID_HANDLER(IDC_FOLDER_DEFAULT, OnUseDefaultFolder)
        COMMAND_ID_HANDLER(IDC_CHOOSE_FONT, OnChooseCustomFont)
        CHAIN_SCROLL_MAP()
    END_MSG_MAP()

private:
    BOOL OnInitDialog();
    void OnSize(UINT, int width, int height);

    // Every control from the record.
    void Load();
    // Any list stores all three; a new font size asks for a restart.
    void OnComboChange();
    void OnFontSizeChange();
    void OnCheckBoxChange();
    void OnDataFolderChange();
    void OnBrowseForFolder();
    void OnUseDefaultFolder();
    void OnChooseCustomFont();

    // The frame, which is closed for a restart.
    HWND Frame() const { return ::GetAncestor(m_hWnd, GA_ROOT); }

    AppSettings& m_settings;
    VocabularyCache& m_cache;
    WatcherSlot& m_watcher;
    CAccessible m_folderButtonName;  // "..." says nothing to a screen reader
};
