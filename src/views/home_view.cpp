#include "views/home_view.h"

#include <utility>
#include <vector>

#include "base/wide_text.h"
#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "data/word_file_commands.h"
#include "settings/app_settings.h"
#include "view/message_boxes.h"
#include "view/view_layout.h"
#include "views/string_dlg.h"
#include "views/word_file_ops.h"
#include "win/app_module.h"
#include "win/defer_window_pos.h"

namespace {

// The buttons to the other views and the GoTo command each posts to the frame.
constexpr std::pair<UINT, UINT> kGoToButtons[] = {{IDC_HOME_BROWSE, ID_GOTO_BROWSE},
                                                  {IDC_HOME_GRAPH, ID_GOTO_GRAPH},
                                                  {IDC_HOME_SETUP, ID_GOTO_SETUP},
                                                  {IDC_HOME_ABOUT, ID_GOTO_ABOUT}};

// While the view shows a box or a file command's dialogs, a change is reported after them: a
// reload inside the command would change the list the command acts on.
class ReportsHeld {
public:
    explicit ReportsHeld(bool& held) : m_held(held), m_before(std::exchange(held, true)) {}
    ~ReportsHeld() { m_held = m_before; }
    ReportsHeld(const ReportsHeld&) = delete;
    ReportsHeld& operator=(const ReportsHeld&) = delete;

private:
    bool& m_held;
    bool m_before;
};

void EnableItem(HMENU menu, UINT command, bool enabled) {
    if (menu) ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

CHomeView::CHomeView(const ViewContext& context)
    : CViewBase(context, IDD_HOME, kFileMenu, /*hasBack*/ false) {}

BOOL CHomeView::OnInitDialog() {
    m_list = GetDlgItem(IDC_FILE_LIST);
    m_listName.AttachName(m_list, LoadResString(IDS_ACC_FILE_LIST));
    ::SetTimer(m_hWnd, kPendingChangeTimer, kPendingChangePeriodMs, nullptr);
    UpdateCommandStates();  // a view never filled offers nothing to act on
    return FALSE;           // activation sets the focus
}

void CHomeView::OnViewActivate() {
    // A data folder that was gone may be back: it is watched again from when home shows it.
    m_watcher.WatchAgainIfEnded(m_settings.DataFolderPath());
    ShowOwnMenu();
    // The list's positions stand for the library's files: a library built anew by another view
    // (a test or browse gathers its pool over it) may hold other files in those places.
    if (!m_cache.HasLibrary() || m_cache.LibraryBuild() != m_listedBuild) FillList();
    UpdateCommandStates();
    ::SetFocus(m_list);
}

namespace {

// Room for every item at once, rather than a little more at each.
void ReserveItems(HWND list, const WordLibrary& library) {
    size_t textBytes = 0;
    for (const WordFile& file : library) {
        textBytes += (file.displayText.size() + 1) * sizeof(wchar_t);
    }
    ::SendMessageW(list, LB_INITSTORAGE, library.size(), static_cast<LPARAM>(textBytes));
}

// Selects the restored files a run of neighbours at a time. Caret, anchor and top item end
// as selecting the files one by one and then putting the caret on the first leaves them:
// the anchor (where the caret returns after a resize) on the last selected file, the caret on
// the first, and the list scrolled to show the last fully and then the first.
void SelectRestored(HWND list, const RestoredSelection& restored) {
    const std::vector<size_t>& positions = restored.positions;
    if (positions.empty()) return;
    for (size_t first = 0; first < positions.size();) {
        size_t last = first;
        while (last + 1 < positions.size() && positions[last + 1] == positions[last] + 1) ++last;
        ::SendMessageW(list, LB_SELITEMRANGEEX, positions[first], positions[last]);
        first = last + 1;
    }
    ::SendMessageW(list, LB_SETCARETINDEX, positions.back(), FALSE);
    ::SendMessageW(list, LB_SETANCHORINDEX, positions.back(), 0);
    if (restored.caret) ::SendMessageW(list, LB_SETCARETINDEX, *restored.caret, FALSE);
}

}  // namespace

// A refill comes while the list shows, where drawing every step costs a hundred times the
// fill at start, before the frame shows: the list is drawn once, at the end.
void CHomeView::FillList() {
    {
        const CRedrawOff quiet(m_list);
        ::SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
        const WordLibrary& library = m_cache.GetLibrary();
        m_listedBuild = m_cache.LibraryBuild();
        ReserveItems(m_list, library);
        for (const WordFile& file : library) {
            ::SendMessageW(m_list, LB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(Wide(file.displayText).c_str()));
        }
        SelectRestored(m_list, RestoreSelection(library, m_settings.Selection()));
    }
    UpdateSummary();
    m_cache.DropPool();
}

void CHomeView::UpdateSummary() {
    const LRESULT count = ::SendMessageW(m_list, LB_GETCOUNT, 0, 0);
    const LRESULT selectedCount = ::SendMessageW(m_list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> selected(selectedCount > 0 ? static_cast<size_t>(selectedCount) : 0);
    if (!selected.empty()) {
        const LRESULT got = ::SendMessageW(m_list, LB_GETSELITEMS, selected.size(),
                                           reinterpret_cast<LPARAM>(selected.data()));
        selected.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    std::vector<size_t> positions(selected.begin(), selected.end());

    std::vector<std::u16string> names;
    m_summary = ComputeSelectionSummary(
        m_cache.GetLibrary(), count > 0 ? static_cast<size_t>(count) : 0, positions, names);
    m_settings.SetSelection(std::move(names));

    const std::wstring status =
        FormatResString(IDS_HOME_STATUS, m_summary.selectedWords, m_summary.totalWords,
                        m_summary.selectedFiles, m_summary.totalFiles);
    SetControlText(IDC_STATUS, status);
    ::InvalidateRect(GetDlgItem(IDC_STATUS), nullptr, TRUE);
}

bool CHomeView::IsCommandAvailable(UINT command) const {
    switch (command) {
    case ID_FILE_EDIT:
    case ID_FILE_RENAME:
        return m_summary.selectedFiles == 1;
    case ID_FILE_DELETE:
        return m_summary.selectedFiles > 0;
    case ID_FILE_SELECT_ALL:
        return m_summary.totalFiles > 0;
    default:
        return true;
    }
}

void CHomeView::UpdateCommandStates() {
    const bool words = HasWordsSelected();
    EnableControl(IDC_HOME_BROWSE, words);
    EnableControl(IDOK, words);

    HMENU menu = FrameMenu();
    if (!menu) return;
    EnableWordViews(menu, words);
    HMENU file = ::GetSubMenu(menu, 1);
    for (UINT command : {ID_FILE_EDIT, ID_FILE_RENAME, ID_FILE_DELETE, ID_FILE_SELECT_ALL,
                         ID_FILE_NEW, ID_FILE_REFRESH, ID_FILE_OPEN_FOLDER}) {
        EnableItem(file, command, IsCommandAvailable(command));
    }
}

void CHomeView::OnSize(UINT, int width, int height) {
    const HomeLayout layout = LayoutHomeView(width, height, Units());
    {
        CDeferWindowPos batch(7);
        PlaceShownOrHidden(batch, GetDlgItem(IDC_HOME_GRAPH), layout.graph, layout.tall);
        PlaceShownOrHidden(batch, GetDlgItem(IDC_HOME_SETUP), layout.setup, layout.tall);
        PlaceShownOrHidden(batch, GetDlgItem(IDC_HOME_ABOUT), layout.about, layout.tall);
        PlaceShownOrHidden(batch, GetDlgItem(IDC_HOME_BROWSE), layout.browse, layout.tall);
        PlaceShownOrHidden(batch, GetDlgItem(IDOK), layout.test, layout.tall);
        PlaceShownOrHidden(batch, GetDlgItem(IDC_STATUS), layout.status, layout.tall);
        batch.Move(m_list, layout.list);
    }
    // The list's new height may have scrolled the item the user works at out of sight.
    const LRESULT anchor = ::SendMessageW(m_list, LB_GETANCHORINDEX, 0, 0);
    if (anchor >= 0) ::SendMessageW(m_list, LB_SETCARETINDEX, anchor, TRUE);
}

void CHomeView::OnTimer(UINT_PTR id) {
    const bool pendingChangeCheck = id == kPendingChangeTimer;
    if (pendingChangeCheck) CheckPendingChange();
    SetMsgHandled(pendingChangeCheck);
}

// The change is reported only while the user can see what is reloaded: a change left pending
// when another view was opened is reported on return. A running test is safe either way, as
// its session keeps the pool it started with.
void CHomeView::CheckPendingChange() {
    if (!m_watcher.changePending || m_reportsHeld || ::GetForegroundWindow() != FrameWindow() ||
        !::IsWindowVisible(m_hWnd)) {
        return;
    }
    m_watcher.changePending = false;
    {
        const ReportsHeld held(m_reportsHeld);
        InfoBox(m_hWnd, LoadResString(IDS_FOLDER_CHANGED).c_str());
    }
    OnRefresh();  // also takes the changes that came while the box was open
}

// A change is pending only while home shows. One that the check has not reported when home
// is left is treated as a change that came while another view showed: the library is dropped
// and rebuilt, without a message, when home shows again. Left pending, it would be reported
// later, by then about nothing the user can see, and even by the home view of a frame built
// anew after a restart.
void CHomeView::HandOverPendingChange() {
    SetMsgHandled(false);
    if (!m_watcher.changePending) return;
    m_watcher.changePending = false;
    m_cache.DropLibrary();
}

void CHomeView::OnContextMenu(HWND source, POINT screen) const {
    TrackOwnPopupOver(m_list, source, screen);
}

void CHomeView::DropUnavailableCommand(UINT id, UINT) {
    SetMsgHandled(!IsCommandAvailable(id));
}

void CHomeView::OnGoToButton(UINT button) const {
    for (const auto& [id, command] : kGoToButtons) {
        if (id == button) PostToFrame(command);
    }
}

BOOL CHomeView::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && OnKeyDown(msg->wParam)) return TRUE;
    return CViewBase::PreTranslateMessage(msg);
}

bool CHomeView::OnKeyDown(WPARAM key) {
    UINT command = 0;
    switch (key) {
    case VK_INSERT:
        command = ID_FILE_NEW;
        break;
    case VK_DELETE:
        command = ID_FILE_DELETE;
        break;
    case 'A':
        // The state that came with this key message, not the key's state now: a quick
        // typist or an input tool may have let go of Ctrl before the A is read.
        if (::GetKeyState(VK_CONTROL) >= 0) return false;
        command = ID_FILE_SELECT_ALL;
        break;
    case VK_RETURN:
        if (::GetFocus() != m_list) return false;
        StartTest();
        return true;
    default:
        return false;
    }
    // A grayed item leaves the key to the focused control.
    if (!IsOwnCommandEnabled(command)) return false;
    SendMessage(WM_COMMAND, command);
    return true;
}

void CHomeView::StartTest() const {
    if (HasWordsSelected()) PostToFrame(ID_GOTO_TEST);
}

void CHomeView::OnSelectionChanged() {
    UpdateSummary();
    m_cache.DropPool();
    UpdateCommandStates();
}

void CHomeView::OnSelectAll() {
    const LRESULT count = ::SendMessageW(m_list, LB_GETCOUNT, 0, 0);
    if (count <= 0) return;
    ::SendMessageW(m_list, LB_SELITEMRANGEEX, 0, count - 1);
    OnSelectionChanged();
}

void CHomeView::OnRefresh() {
    // The list read anew holds every change so far: none is left to report.
    m_watcher.changePending = false;
    m_cache.DropLibrary();
    OnViewActivate();
}

bool CHomeView::AskName(UINT label, std::wstring& name) const {
    CStringDlg dialog(LoadResString(label), name);
    if (dialog.Run(::GetActiveWindow()) != IDOK) return false;
    name = dialog.Text();
    return true;
}

void CHomeView::Warn(UINT text) const {
    WarningBox(m_hWnd, LoadResString(text).c_str());
}

void CHomeView::OnNew() {
    const std::u16string folder = m_settings.DataFolderPath();
    const DWORD folderError = CreateDataFolder(folder);
    if (folderError == ERROR_SUCCESS) {
        m_watcher.Restart(folder);  // the old watcher had no folder to watch
    } else if (folderError != ERROR_ALREADY_EXISTS) {
        Warn(IDS_ERR_DATA_FOLDER);
        return;
    }

    const ReportsHeld held(m_reportsHeld);
    std::wstring name = FormatResString(IDS_NEW_FILE_NAME, NewFileCounter());
    while (AskName(IDS_NEW_FILE_LABEL, name)) {
        const std::u16string fileName = U16(name) + u".mrn";
        DWORD error = ERROR_INVALID_NAME;
        if (IsPlainFileName(U16(name))) {
            WatcherPause pause(m_watcher, folder);
            error = CreateEmptyFile(folder + fileName);
        }
        if (error == ERROR_SUCCESS) {
            m_settings.SetSelection({fileName});
            OnRefresh();
            ++NewFileCounter();
            return;
        }
        // A plain name in a folder that refuses it: no other name would do better.
        if (error == ERROR_ACCESS_DENIED) {
            Warn(IDS_ERR_DATA_FOLDER);
            return;
        }
        Warn(error == ERROR_FILE_EXISTS ? IDS_ERR_FILE_EXISTS : IDS_ERR_CREATE);
    }
}

void CHomeView::OnEdit() {
    const SelectionNames selection = m_settings.Selection();
    if (selection.empty()) return;
    if (StartEditor(m_settings.DataFolderPath() + selection.front()) != ERROR_SUCCESS) {
        Warn(IDS_ERR_EDIT);
    }
}

void CHomeView::OnRename() {
    const SelectionNames selection = m_settings.Selection();
    if (selection.empty()) return;
    const std::u16string folder = m_settings.DataFolderPath();
    const std::u16string oldPath = folder + selection.front();

    const ReportsHeld held(m_reportsHeld);
    std::wstring name = Wide(RenameProposal(selection.front()));
    while (AskName(IDS_RENAME_LABEL, name)) {
        const std::u16string fileName = U16(name) + u".mrn";
        DWORD error = ERROR_INVALID_NAME;
        if (IsPlainFileName(U16(name))) {
            WatcherPause pause(m_watcher, folder);
            error = RenameFile(oldPath, folder + fileName);
        }
        if (error == ERROR_SUCCESS) {
            m_settings.SetSelection({fileName});
            OnRefresh();
            return;
        }
        Warn(IDS_ERR_RENAME);
    }
}

void CHomeView::OnDelete() {
    const SelectionNames names = m_settings.Selection();
    if (names.empty()) return;
    if (QuestionBox(m_hWnd, LoadResString(IDS_CONFIRM_DELETE).c_str()) != IDYES) return;

    // Decided while the library still lists the files about to go.
    SelectionNames afterDelete = SelectionAfterDelete(m_cache.GetLibrary(), names, names);
    const std::u16string folder = m_settings.DataFolderPath();
    DWORD error = ERROR_SUCCESS;
    {
        WatcherPause pause(m_watcher, folder);
        error = DeleteFiles(folder, names);
    }
    if (error == ERROR_SUCCESS) {
        m_settings.SetSelection(std::move(afterDelete));
    } else {
        // The selection stays: the files that could not be deleted remain selected.
        Warn(IDS_ERR_DELETE);
    }
    OnRefresh();
}

void CHomeView::OnOpenFolder() {
    OpenFolderWindow(m_settings.DataFolderPath());
}
