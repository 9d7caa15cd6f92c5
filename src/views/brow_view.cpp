#include "views/brow_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/messages.h"
#include "app/view_layout.h"
#include "data/vocabulary_cache.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "settings/user_font_win32.h"
#include "test/lower_case.h"
#include "test/random_source.h"
#include "test/test_session.h"
#include "win/defer_window_pos.h"
#include "win/menu_position.h"

namespace {

constexpr UINT kExpandedStates = TVIS_EXPANDED | TVIS_EXPANDEDONCE;

HTREEITEM InsertItem(HWND tree, TVINSERTSTRUCTW& insert, std::u16string_view text,
                     std::wstring& buffer) {
    buffer.assign(text.begin(), text.end());
    insert.item.pszText = buffer.data();
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item = nullptr) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void SelectItem(HWND tree, UINT how, HTREEITEM item) {
    ::SendMessageW(tree, TVM_SELECTITEM, how, reinterpret_cast<LPARAM>(item));
}

}  // namespace

CBrowView::CBrowView(AppSettings& settings)
    : CViewBase(settings, IDD_BROWSE, /*menuPosition Browse*/ 2, /*hasBack*/ true) {}

CBrowView::~CBrowView() = default;

BOOL CBrowView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(result);
    case WM_VIEW_ACTIVATE:
        return OnViewActivate(result);
    case WM_SIZE:
        return OnSize(LOWORD(lParam), HIWORD(lParam), result);
    case WM_CONTEXTMENU:
        return OnContextMenu(reinterpret_cast<HWND>(wParam), lParam, result);
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), result)) return TRUE;
        return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    default:
        return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    }
}

BOOL CBrowView::OnInitDialog(LRESULT& result) {
    m_tree = GetDlgItem(IDC_TREE);
    m_backButton = GetDlgItem(IDCANCEL);
    result = FALSE;
    return TRUE;
}

BOOL CBrowView::OnViewActivate(LRESULT& result) {
    Refill();
    result = 0;
    return TRUE;
}

BOOL CBrowView::OnSize(int width, int height, LRESULT& result) {
    result = 0;
    if (!m_tree) return TRUE;  // before the controls exist
    const BackLayout layout = LayoutBackAndContent(width, height, Units());
    {
        CDeferWindowPos batch(2);
        PlaceShownOrHidden(batch, m_backButton, layout.back, layout.tall);
        batch.Move(m_tree, layout.content);
    }
    SetTreeRedraw(false);
    if (HTREEITEM selected = NextItem(m_tree, TVGN_CARET)) {
        ::SendMessageW(m_tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(selected));
    }
    ScrollTreeLeft();
    SetTreeRedraw(true);
    return TRUE;
}

BOOL CBrowView::OnContextMenu(HWND source, LPARAM position, LRESULT& result) {
    result = 0;
    POINT pt{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (pt.x < 0 || pt.y < 0) {
        // From the keyboard: open at the tree's top-left corner.
        pt = POINT{0, 0};
        ::ClientToScreen(m_tree, &pt);
    } else if (source != m_tree) {
        return TRUE;
    }
    pt = ClampMenuX(pt);
    if (HMENU popup = ::GetSubMenu(FrameMenu(), 1)) {
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    }
    return TRUE;
}

BOOL CBrowView::OnCommand(UINT id, LRESULT& result) {
    switch (id) {
    case ID_BROWSE_EXPAND_ALL:
        ExpandAll();
        break;
    case ID_BROWSE_COLLAPSE_ALL:
        CollapseAll();
        break;
    default:
        return FALSE;
    }
    result = 0;
    return TRUE;
}

BOOL CBrowView::OnNotify(const NMHDR* header, LRESULT& result) {
    if (!header || header->hwndFrom != m_tree || header->code != TVN_ITEMEXPANDINGW) {
        return FALSE;
    }
    // However the tree came to expand a question (mouse, arrow keys, Toggle), its answer and
    // hint are there before it is drawn open.
    const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
    if ((change->action & (TVE_EXPAND | TVE_COLLAPSE)) != TVE_COLLAPSE) EnsureChildren(change->itemNew.hItem);
    result = FALSE;  // let it expand
    return TRUE;
}

BOOL CBrowView::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        if (msg->wParam == VK_ADD || msg->wParam == VK_SUBTRACT) {
            const UINT command =
                msg->wParam == VK_ADD ? ID_BROWSE_EXPAND_ALL : ID_BROWSE_COLLAPSE_ALL;
            if (IsOwnCommandEnabled(command)) {
                SetAllExpanded(command == ID_BROWSE_EXPAND_ALL);
                return TRUE;
            }
        } else if ((msg->wParam == VK_RETURN || msg->wParam == VK_SPACE) &&
                   ::GetFocus() == m_tree) {
            Toggle();
            return TRUE;
        }
    }
    if (PostHomeOnBackMouseButton(msg)) return TRUE;
    // The tree would select and highlight the item under the cursor; its release still
    // raises the context menu.
    if (msg->message == WM_RBUTTONDOWN && msg->hwnd == m_tree) return TRUE;
    return DialogNavigation(msg);
}

void CBrowView::Refill() {
    ShowOwnMenu();
    // The same queue a test started now would ask: same order, same directions, same draws.
    const QueueOrder order{static_cast<std::uint32_t>(m_settings.TestingDirection),
                           static_cast<std::uint32_t>(m_settings.WordOrder)};
    m_session = std::make_unique<TestSession>(VocabularyCache::Instance().GetPool(), order,
                                              RuntimeRandomSource(), PlatformLowerCase);
    if (!m_tree) return;

    SetTreeRedraw(false);
    HFONT font = m_settings.CustomFont ? UserFontHandle(m_settings) : nullptr;
    if (!font) font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ::SendMessageW(m_tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Populate(/*expanded*/ false);
    ScrollTreeLeft();
    SetTreeRedraw(true);
    ::SetFocus(m_tree);
}

void CBrowView::Populate(bool expanded) {
    ::SendMessageW(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_questions.clear();
    m_entryOf.clear();
    if (!m_session) return;

    const auto count = static_cast<std::uint32_t>(m_session->Items().size());
    m_questions.reserve(count);
    m_entryOf.reserve(count);
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    // Every entry has at least its answer, so the button shows before the children exist.
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_STATE;
    insert.item.cChildren = 1;
    insert.item.stateMask = kExpandedStates;
    insert.item.state = expanded ? kExpandedStates : 0;
    std::wstring buffer;
    for (std::uint32_t k = 0; k < count; ++k) {
        m_session->SetCurrent(k);
        HTREEITEM question = InsertItem(m_tree, insert, m_session->CurrentQuestion().question,
                                        buffer);
        m_questions.push_back(question);
        m_entryOf.emplace(question, k);
    }
    // All questions first: the tree inserts children faster under questions that are
    // already in place than with questions and children interleaved.
    if (expanded) {
        for (std::uint32_t k = 0; k < count; ++k) InsertChildren(k, m_questions[k]);
    }
}

void CBrowView::InsertChildren(std::uint32_t entry, HTREEITEM question) {
    m_session->SetCurrent(entry);
    const Question texts = m_session->CurrentQuestion();
    TVINSERTSTRUCTW insert{};
    insert.hParent = question;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    std::wstring buffer;
    InsertItem(m_tree, insert, texts.answer, buffer);
    if (!texts.hint.empty()) InsertItem(m_tree, insert, texts.hint, buffer);
}

void CBrowView::EnsureChildren(HTREEITEM item) {
    const auto found = m_entryOf.find(item);
    if (found == m_entryOf.end() || NextItem(m_tree, TVGN_CHILD, item)) return;
    InsertChildren(found->second, item);
}

bool CBrowView::FindPlace(HTREEITEM item, Place& place) const {
    if (!item) return false;
    if (const auto found = m_entryOf.find(item); found != m_entryOf.end()) {
        place = Place{found->second, -1};
        return true;
    }
    const auto parent = m_entryOf.find(NextItem(m_tree, TVGN_PARENT, item));
    if (parent == m_entryOf.end()) return false;
    int child = 0;
    for (HTREEITEM sibling = NextItem(m_tree, TVGN_CHILD, parent->first);
         sibling && sibling != item; sibling = NextItem(m_tree, TVGN_NEXT, sibling)) {
        ++child;
    }
    place = Place{parent->second, child};
    return true;
}

HTREEITEM CBrowView::ItemAt(const Place& place) const {
    if (place.entry >= m_questions.size()) return nullptr;
    HTREEITEM question = m_questions[place.entry];
    if (place.child < 0) return question;
    HTREEITEM item = NextItem(m_tree, TVGN_CHILD, question);
    for (int i = 0; item && i < place.child; ++i) item = NextItem(m_tree, TVGN_NEXT, item);
    return item ? item : question;
}

// Expanding or collapsing the entries one by one costs the tree a pass over all its items
// each time, so the tree is rebuilt in the new shape instead. What the user sees is the same:
// every question open (or closed), the selected item and the top item kept, a selected answer
// or hint giving way to its question when that closes.
void CBrowView::SetAllExpanded(bool expanded) {
    if (!m_tree) return;
    SetTreeRedraw(false);
    Place selected, top;
    const bool hasSelected = FindPlace(NextItem(m_tree, TVGN_CARET), selected);
    const bool hasTop = FindPlace(NextItem(m_tree, TVGN_FIRSTVISIBLE), top);
    if (!expanded) selected.child = top.child = -1;

    Populate(expanded);
    // The tree may leave the positions of items inserted with redrawing off to be worked out
    // when redrawing resumes, so the scrolling waits for that. The painting waits anyway.
    SetTreeRedraw(true);
    if (hasTop) SelectItem(m_tree, TVGN_FIRSTVISIBLE, ItemAt(top));
    if (hasSelected) {
        HTREEITEM item = ItemAt(selected);
        SelectItem(m_tree, TVGN_CARET, item);
        ::SendMessageW(m_tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    }
    ScrollTreeLeft();
}

// Flash cards: the first press shows the answer and hint, the second hides them and moves on
// to the next question.
void CBrowView::Toggle() {
    HTREEITEM selected = NextItem(m_tree, TVGN_CARET);
    if (!selected) return;
    const bool wasExpanded =
        (::SendMessageW(m_tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(selected),
                        TVIS_EXPANDED) &
         TVIS_EXPANDED) != 0;
    EnsureChildren(selected);
    ::SendMessageW(m_tree, TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(selected));
    if (!wasExpanded) return;
    if (HTREEITEM next = NextItem(m_tree, TVGN_NEXT, selected)) {
        SelectItem(m_tree, TVGN_CARET, next);
    }
}

void CBrowView::SetTreeRedraw(bool on) const {
    ::SendMessageW(m_tree, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) ::InvalidateRect(m_tree, nullptr, TRUE);
}

void CBrowView::ScrollTreeLeft() const {
    ::SendMessageW(m_tree, WM_HSCROLL, SB_LEFT, 0);
}
