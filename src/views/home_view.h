#pragma once
// The home view: the word files of the data folder, the selection that takes part in testing,
// the commands that manage the files, and the buttons to the other views. It is also where a
// change made to the data folder from outside is reported and reloaded.

#include <string>

#include "data/selection.h"
#include "view/view_base.h"
#include "win/accessible.h"

class CHomeView : public CViewBase {
public:
    // The timer of the pending-change check and its period.
    static constexpr UINT_PTR kPendingChangeTimer = 100;
    static constexpr UINT kPendingChangePeriodMs = 250;

    explicit CHomeView(const ViewContext& context);

    // All zero until the list has been filled.
    const SelectionSummary& Summary() const { return m_summary; }
    // What Browse and Test need; the frame's menu bar reads it too.
    bool HasWordsSelected() const { return m_summary.selectedWords > 0; }
    // Replaces the counts after the list or its selection changed.
    void SetSummary(const SelectionSummary& summary) { m_summary = summary; }

    // Insert, Delete and Ctrl+A run their command while its File item is enabled; Enter on
    // the list starts a test.
    BOOL PreTranslateMessage(MSG* msg) override;

    BEGIN_MSG_MAP(CHomeView)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_VIEW_ACTIVATE, OnViewActivate)
        MESSAGE_HANDLER(WM_VIEW_DEACTIVATE, HandOverPendingChange)
        MESSAGE_HANDLER(WM_DESTROY, HandOverPendingChange)
        MSG_WM_SIZE(OnSize)
        MSG_WM_TIMER(OnTimer)
        MSG_WM_CONTEXTMENU(OnContextMenu)
        COMMAND_CODE_HANDLER(IDC_FILE_LIST, LBN_SELCHANGE, OnSelectionChanged)
        COMMAND_CODE_HANDLER(IDC_FILE_LIST, LBN_DBLCLK, StartTest)
        COMMAND_FILTER(DropUnavailableCommand)
        COMMAND_ID_HANDLER(IDOK, StartTest)  // "Test >", also Enter
        COMMAND_RANGE_HANDLER(IDC_HOME_BROWSE, IDC_HOME_ABOUT, OnGoToButton)
        COMMAND_ID_HANDLER(ID_FILE_NEW, OnNew)
        COMMAND_ID_HANDLER(ID_FILE_EDIT, OnEdit)
        COMMAND_ID_HANDLER(ID_FILE_RENAME, OnRename)
        COMMAND_ID_HANDLER(ID_FILE_DELETE, OnDelete)
        COMMAND_ID_HANDLER(ID_FILE_SELECT_ALL, OnSelectAll)
        COMMAND_ID_HANDLER(ID_FILE_REFRESH, OnRefresh)
        COMMAND_ID_HANDLER(ID_FILE_OPEN_FOLDER, OnOpenFolder)
        CHAIN_MSG_MAP(CViewBase)
    END_MSG_MAP()

private:
    BOOL OnInitDialog();
    void OnViewActivate();
    void OnSize(UINT, int width, int height);
    void OnTimer(UINT_PTR id);
    void OnContextMenu(HWND source, POINT screen) const;
    // A File command whose item is grayed does nothing, however it came.
    void DropUnavailableCommand(UINT id, UINT code);
    void OnGoToButton(UINT button) const;
    bool OnKeyDown(WPARAM key);

    // The list's items are the library's files; refilled whenever the cache holds another build
    // of the library than the one listed.
    void FillList();
    // Counts, SelectionList and the status line from the list's current selection.
    void UpdateSummary();
    void UpdateCommandStates();
    // The rule of the File items, also kept by commands that arrive by other ways.
    bool IsCommandAvailable(UINT command) const;
    void StartTest() const;

    void OnSelectionChanged();
    void OnSelectAll();
    void OnRefresh();
    void OnNew();
    void OnEdit();
    void OnRename();
    void OnDelete();
    void OnOpenFolder();
    void CheckPendingChange();
    // Leaves the message to the default processing.
    void HandOverPendingChange();

    // Asks for a name under `label`, starting from `name`; the typed text after OK, nothing
    // after Cancel.
    bool AskName(UINT label, std::wstring& name) const;
    void Warn(UINT text) const;
    HWND FrameWindow() const { return GetParent(); }

    HWND m_list = nullptr;
    CAccessible m_listName;  // the list has no label before it
    SelectionSummary m_summary;
    unsigned m_listedBuild = 0;  // the cache's build of the library the list shows
    bool m_reportsHeld = false;  // a box or a file command of the view is open
};
