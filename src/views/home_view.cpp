#include "views/home_view.h"

#include <cstdio>
#include <vector>

#include "view/message_boxes.h"
#include "view/messages.h"
#include "views/string_dlg.h"
#include "view/view_layout.h"
#include "views/word_file_ops.h"
#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "data/word_file_commands.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "win/app_module.h"
#include "win/defer_window_pos.h"
#include "win/menu_position.h"

namespace {

const wchar_t* W(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring Format(UINT id, unsigned a, unsigned b = 0, unsigned c = 0, unsigned d = 0) {
    const std::wstring format = LoadResString(id);
    wchar_t text[256]{};
    std::swprintf(text, 256, format.c_str(), a, b, c, d);
    return text;
}

void EnableItem(HMENU menu, UINT command, bool enabled) {
    if (menu) ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

CHomeView::CHomeView(AppSettings& settings)
    : CViewBase(settings, IDD_HOME, /*menuPosition File*/ 1, /*hasBack*/ false) {}

BOOL CHomeView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(result);
    case WM_VIEW_ACTIVATE:
        return OnViewActivate(result);
    case WM_VIEW_DEACTIVATE:
    case WM_DESTROY:
        HandOverPendingChange();
        return FALSE;
    case WM_SIZE:
        return OnSize(LOWORD(lParam), HIWORD(lParam), result);
    case WM_TIMER:
        return OnTimer(wParam, result);
    case WM_CONTEXTMENU:
        return OnContextMenu(reinterpret_cast<HWND>(wParam), lParam, result);
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), result)) return TRUE;
        break;
    default:
        break;
    }
    return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
}

BOOL CHomeView::OnInitDialog(LRESULT& result) {
    m_list = GetDlgItem(IDC_FILE_LIST);
    m_status = GetDlgItem(IDC_STATUS);
    m_browseButton = GetDlgItem(IDC_HOME_BROWSE);
    m_testButton = GetDlgItem(IDOK);
    m_graphButton = GetDlgItem(IDC_HOME_GRAPH);
    m_setupButton = GetDlgItem(IDC_HOME_SETUP);
    m_aboutButton = GetDlgItem(IDC_HOME_ABOUT);
    ::SetTimer(m_hWnd, kPendingChangeTimer, kPendingChangePeriodMs, nullptr);
    UpdateCommandStates();  // a view never filled offers nothing to act on
    result = FALSE;         // activation sets the focus
    return TRUE;
}

BOOL CHomeView::OnViewActivate(LRESULT& result) {
    // A data folder that was gone may be back: it is watched again from when home shows it.
    TheWatcherSlot().WatchAgainIfEnded(m_settings.DataFolderPath(), FrameWindow());
    ShowOwnMenu();
    if (!VocabularyCache::Instance().HasLibrary()) FillList();
    UpdateCommandStates();
    ::SetFocus(m_list);
    result = 0;
    return TRUE;
}

void CHomeView::FillList() {
    VocabularyCache& cache = VocabularyCache::Instance();
    ::SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    const WordLibrary& library = cache.GetLibrary();
    for (const WordFile& file : library) {
        ::SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(file.displayText)));
    }
    const RestoredSelection restored = RestoreSelection(library, m_settings.Selection());
    for (size_t position : restored.positions) {
        ::SendMessageW(m_list, LB_SETSEL, TRUE, static_cast<LPARAM>(position));
    }
    if (restored.caret) {
        ::SendMessageW(m_list, LB_SETCARETINDEX, *restored.caret, FALSE);
    }
    UpdateSummary();
    cache.DropPool();
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
    m_summary = ComputeSelectionSummary(VocabularyCache::Instance().GetLibrary(),
                                        count > 0 ? static_cast<size_t>(count) : 0, positions,
                                        names);
    m_settings.SetSelection(std::move(names));

    const std::wstring status = Format(IDS_HOME_STATUS, m_summary.selectedWords,
                                       m_summary.totalWords, m_summary.selectedFiles,
                                       m_summary.totalFiles);
    ::SetWindowTextW(m_status, status.c_str());
    ::InvalidateRect(m_status, nullptr, TRUE);
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
    const bool words = m_summary.selectedWords > 0;
    ::EnableWindow(m_browseButton, words);
    ::EnableWindow(m_testButton, words);

    HMENU menu = FrameMenu();
    if (!menu) return;
    HMENU goTo = ::GetSubMenu(menu, 0);
    EnableItem(goTo, ID_GOTO_BROWSE, words);
    EnableItem(goTo, ID_GOTO_TEST, words);
    HMENU file = ::GetSubMenu(menu, 1);
    for (UINT command : {ID_FILE_EDIT, ID_FILE_RENAME, ID_FILE_DELETE, ID_FILE_SELECT_ALL,
                         ID_FILE_NEW, ID_FILE_REFRESH, ID_FILE_OPEN_FOLDER}) {
        EnableItem(file, command, IsCommandAvailable(command));
    }
}

BOOL CHomeView::OnSize(int width, int height, LRESULT& result) {
    const HomeLayout layout = LayoutHomeView(width, height, Units());
    {
        CDeferWindowPos batch(7);
        PlaceShownOrHidden(batch, m_graphButton, layout.graph, layout.tall);
        PlaceShownOrHidden(batch, m_setupButton, layout.setup, layout.tall);
        PlaceShownOrHidden(batch, m_aboutButton, layout.about, layout.tall);
        PlaceShownOrHidden(batch, m_browseButton, layout.browse, layout.tall);
        PlaceShownOrHidden(batch, m_testButton, layout.test, layout.tall);
        PlaceShownOrHidden(batch, m_status, layout.status, layout.tall);
        batch.Move(m_list, layout.list);
    }
    // The list's new height may have scrolled the item the user works at out of sight.
    const LRESULT anchor = ::SendMessageW(m_list, LB_GETANCHORINDEX, 0, 0);
    if (anchor >= 0) ::SendMessageW(m_list, LB_SETCARETINDEX, anchor, TRUE);
    result = 0;
    return TRUE;
}

BOOL CHomeView::OnTimer(UINT_PTR id, LRESULT& result) {
    if (id != kPendingChangeTimer) return FALSE;
    CheckPendingChange();
    result = 0;
    return TRUE;
}

// The change is reported only while the user can see what is reloaded: a change left pending
// when another view was opened is reported on return. A running test is safe either way, as
// its session keeps the pool it started with.
void CHomeView::CheckPendingChange() {
    if (m_reportingChange || ::GetForegroundWindow() != FrameWindow() ||
        !::IsWindowVisible(m_hWnd)) {
        return;
    }
    WatcherSlot& slot = TheWatcherSlot();
    if (!slot.changePending) return;
    slot.changePending = false;
    m_reportingChange = true;
    InfoBox(m_hWnd, LoadResString(IDS_FOLDER_CHANGED).c_str());
    m_reportingChange = false;
    // Changes that came while the box was open are in the reload below.
    slot.changePending = false;
    OnRefresh();
}

// A change is pending only while home shows. One that the check has not reported when home
// is left is treated as a change that came while another view showed: the library is dropped
// and rebuilt, without a message, when home shows again. Left pending, it would be reported
// later, by then about nothing the user can see, and even by the home view of a frame built
// anew after a restart.
void CHomeView::HandOverPendingChange() {
    WatcherSlot& slot = TheWatcherSlot();
    if (!slot.changePending) return;
    slot.changePending = false;
    VocabularyCache::Instance().DropLibrary();
}

BOOL CHomeView::OnContextMenu(HWND source, LPARAM position, LRESULT& result) {
    result = 0;
    POINT pt{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (pt.x < 0 || pt.y < 0) {  // from the keyboard: at the list's top left corner
        pt = POINT{0, 0};
        ::ClientToScreen(m_list, &pt);
    } else if (source != m_list) {
        return TRUE;
    }
    pt = ClampMenuX(pt);
    if (HMENU file = ::GetSubMenu(FrameMenu(), 1)) {
        ::TrackPopupMenu(file, TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    }
    return TRUE;
}

BOOL CHomeView::OnCommand(UINT id, UINT code, LRESULT& result) {
    result = 0;
    if (id == IDC_FILE_LIST) {
        if (code == LBN_SELCHANGE) OnSelectionChanged();
        if (code == LBN_DBLCLK) StartTest();
        return TRUE;
    }
    if (!IsCommandAvailable(id)) return TRUE;
    switch (id) {
    case IDOK:  // "Test >", also Enter
        StartTest();
        return TRUE;
    case IDC_HOME_BROWSE:
        PostToFrame(ID_GOTO_BROWSE);
        return TRUE;
    case IDC_HOME_GRAPH:
        PostToFrame(ID_GOTO_GRAPH);
        return TRUE;
    case IDC_HOME_SETUP:
        PostToFrame(ID_GOTO_SETUP);
        return TRUE;
    case IDC_HOME_ABOUT:
        PostToFrame(ID_GOTO_ABOUT);
        return TRUE;
    case ID_FILE_NEW:
        OnNew();
        return TRUE;
    case ID_FILE_EDIT:
        OnEdit();
        return TRUE;
    case ID_FILE_RENAME:
        OnRename();
        return TRUE;
    case ID_FILE_DELETE:
        OnDelete();
        return TRUE;
    case ID_FILE_SELECT_ALL:
        OnSelectAll();
        return TRUE;
    case ID_FILE_REFRESH:
        OnRefresh();
        return TRUE;
    case ID_FILE_OPEN_FOLDER:
        OnOpenFolder();
        return TRUE;
    default:
        return FALSE;
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
    LRESULT ignored = 0;
    OnCommand(command, 0, ignored);
    return true;
}

void CHomeView::StartTest() {
    if (m_summary.selectedWords > 0) PostToFrame(ID_GOTO_TEST);
}

void CHomeView::OnSelectionChanged() {
    UpdateSummary();
    VocabularyCache::Instance().DropPool();
    UpdateCommandStates();
}

void CHomeView::OnSelectAll() {
    const LRESULT count = ::SendMessageW(m_list, LB_GETCOUNT, 0, 0);
    if (count <= 0) return;
    ::SendMessageW(m_list, LB_SELITEMRANGEEX, 0, count - 1);
    OnSelectionChanged();
}

void CHomeView::OnRefresh() {
    VocabularyCache::Instance().DropLibrary();
    LRESULT ignored = 0;
    OnViewActivate(ignored);
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
    switch (CreateDataFolder(folder)) {
    case FolderCreation::Created:
        RestartFolderWatcher(folder, FrameWindow());  // the old watcher had no folder to watch
        break;
    case FolderCreation::Existed:
        break;
    case FolderCreation::Failed:
        Warn(IDS_ERR_DATA_FOLDER);
        return;
    }

    std::wstring name = Format(IDS_NEW_FILE_NAME, NewFileCounter());
    while (AskName(IDS_NEW_FILE_LABEL, name)) {
        const std::u16string fileName = U16(name) + u".mrn";
        DWORD error = ERROR_SUCCESS;
        {
            WatcherPause pause(folder, FrameWindow());
            error = CreateEmptyFile(folder + fileName);
        }
        if (error == ERROR_SUCCESS) {
            m_settings.SetSelection({fileName});
            OnRefresh();
            ++NewFileCounter();
            return;
        }
        Warn(error == ERROR_FILE_EXISTS ? IDS_ERR_FILE_EXISTS : IDS_ERR_CREATE);
    }
}

void CHomeView::OnEdit() {
    const SelectionNames selection = m_settings.Selection();
    if (selection.empty()) return;
    if (!StartEditor(m_settings.DataFolderPath() + selection.front())) Warn(IDS_ERR_EDIT);
}

void CHomeView::OnRename() {
    const SelectionNames selection = m_settings.Selection();
    if (selection.empty()) return;
    const std::u16string folder = m_settings.DataFolderPath();
    const std::u16string oldPath = folder + selection.front();

    const std::u16string proposal = RenameProposal(selection.front());
    std::wstring name(proposal.begin(), proposal.end());
    while (AskName(IDS_RENAME_LABEL, name)) {
        const std::u16string fileName = U16(name) + u".mrn";
        bool renamed = false;
        {
            WatcherPause pause(folder, FrameWindow());
            renamed = RenameFile(oldPath, folder + fileName);
        }
        if (renamed) {
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
    SelectionNames afterDelete =
        SelectionAfterDelete(VocabularyCache::Instance().GetLibrary(), names, names);
    const std::u16string folder = m_settings.DataFolderPath();
    std::size_t deleted = 0;
    {
        WatcherPause pause(folder, FrameWindow());
        deleted = DeleteFiles(folder, names);
    }
    if (deleted == names.size()) {
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
