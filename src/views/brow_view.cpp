#include "views/brow_view.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "data/vocabulary_cache.h"
#include "quiz/random_source.h"
#include "quiz/session.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "settings/user_font_win32.h"
#include "view/view_layout.h"
#include "win/defer_window_pos.h"

namespace {

constexpr UINT kExpandedStates = TVIS_EXPANDED | TVIS_EXPANDEDONCE;

// When a new visit rebuilds the tree instead of keeping the last visit's questions. Under
// Wine's tree view (measured on 100,000 entries) deleting all items costs about 10 us an item,
// while one question deleted from the end costs about 0.2 ms, closing an open entry about
// 16 ms, and dropping the children of a closed one about 0.1 ms; on Windows every step is
// much cheaper, and either way gives the same tree.
constexpr std::size_t kMostSingleDeletions = 2048;
constexpr std::size_t kMostOpenToClose = 16;
constexpr std::size_t kMostChildrenToDrop = 2048;

HTREEITEM InsertItem(HWND tree, TVINSERTSTRUCTW& insert, std::u16string_view text,
                     std::wstring& buffer) {
    buffer.assign(text.begin(), text.end());
    insert.item.pszText = buffer.data();
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

LPARAM ItemData(HWND tree, HTREEITEM item) {
    TVITEMW tv{};
    tv.mask = TVIF_HANDLE | TVIF_PARAM;
    tv.hItem = item;
    if (!::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return -1;
    return tv.lParam;
}

bool IsExpanded(HWND tree, HTREEITEM item) {
    return (::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item = nullptr) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void SelectItem(HWND tree, UINT how, HTREEITEM item) {
    ::SendMessageW(tree, TVM_SELECTITEM, how, reinterpret_cast<LPARAM>(item));
}

}  // namespace

CBrowView::CBrowView(const ViewContext& context)
    : CViewBase(context, IDD_BROWSE, kBrowseMenu, /*hasBack*/ true) {}

BOOL CBrowView::OnInitDialog() {
    m_tree = GetDlgItem(IDC_TREE);
    m_treeName.AttachName(m_tree, LoadResString(IDS_ACC_TREE));
    m_treeNotices.view = this;
    m_treeNotices.PutInFront(m_hWnd);
    return FALSE;
}

bool CBrowView::TreeNotices::Take(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) const {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (msg != WM_NOTIFY || !header || header->hwndFrom != view->m_tree) return false;
    if (header->code == TVN_GETDISPINFOW) {
        view->AnswerText(*reinterpret_cast<NMTVDISPINFOW*>(lParam));
    } else if (header->code != TVN_DELETEITEMW) {  // nothing is attached to an item
        return false;
    }
    result = 0;
    return true;
}

void CBrowView::AnswerText(NMTVDISPINFOW& info) {
    if (!(info.item.mask & TVIF_TEXT)) return;
    std::u16string_view text;
    const auto entry = static_cast<std::size_t>(info.item.lParam);
    if (m_session && entry < m_session->Items().size()) {
        m_session->SetCurrent(static_cast<std::uint32_t>(entry));
        text = m_session->CurrentQuestion().question;
    }
    const auto room = static_cast<std::size_t>(std::max(info.item.cchTextMax, 0));
    if (info.item.pszText && text.size() < room) {
        *std::copy(text.begin(), text.end(), info.item.pszText) = L'\0';
    } else {
        // Too long for the tree's buffer: it may read ours instead, until the next request.
        m_text.assign(text.begin(), text.end());
        info.item.pszText = m_text.data();
    }
}

void CBrowView::OnSize(UINT, int width, int height) {
    if (!m_tree) return;  // before the controls exist
    const BackLayout layout = LayoutBackAndContent(width, height, Units());
    {
        CDeferWindowPos batch(2);
        PlaceShownOrHidden(batch, GetDlgItem(IDCANCEL), layout.back, layout.tall);
        batch.Move(m_tree, layout.content);
    }
    SetTreeRedraw(false);
    if (HTREEITEM selected = NextItem(m_tree, TVGN_CARET)) {
        ::SendMessageW(m_tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(selected));
    }
    ScrollTreeLeft();
    SetTreeRedraw(true);
}

void CBrowView::OnContextMenu(HWND source, POINT screen) const {
    TrackOwnPopupOver(m_tree, source, screen);
}

BOOL CBrowView::OnItemExpanding(const NMHDR* header) {
    const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
    if ((change->action & (TVE_EXPAND | TVE_COLLAPSE)) != TVE_COLLAPSE) {
        EnsureChildren(change->itemNew.hItem, static_cast<std::uint32_t>(change->itemNew.lParam));
    }
    return FALSE;  // let it expand
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
    const QueueOrder order{m_settings.TestingDirection, m_settings.WordOrder};
    m_session = std::make_unique<TestSession>(m_cache.GetPool(), order, RuntimeRandomSource());
    if (!m_tree) return;

    SetTreeRedraw(false);
    HFONT font = m_settings.CustomFont ? UserFontHandle(m_settings) : nullptr;
    if (!font) font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    // Also has the tree measure every item again: the kept questions have new texts.
    ::SendMessageW(m_tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!ReuseQuestions(static_cast<std::uint32_t>(m_session->Items().size()))) {
        Populate(/*expanded*/ false);
    }
    ScrollTreeLeft();
    SetTreeRedraw(true);
    ::SetFocus(m_tree);
}

bool CBrowView::ReuseQuestions(std::uint32_t count) {
    const std::size_t held = m_questions.size();
    if (held == 0 || count == 0) return false;
    // Only a tree exactly as the view left it.
    if (static_cast<std::size_t>(::SendMessageW(m_tree, TVM_GETCOUNT, 0, 0)) !=
        held + m_childCount) {
        return false;
    }
    if (held > count && held - count > kMostSingleDeletions) return false;
    if (m_withChildren.size() > kMostChildrenToDrop) return false;
    const auto open = std::count_if(
        m_withChildren.begin(), m_withChildren.end(),
        [&](std::uint32_t k) { return k < count && IsExpanded(m_tree, m_questions[k]); });
    if (static_cast<std::size_t>(open) > kMostOpenToClose) return false;

    while (m_questions.size() > count) {
        ::SendMessageW(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(m_questions.back()));
        m_questions.pop_back();
    }
    // Closed without children and without the expanded-once mark, the entry asks for its new
    // children the next time it opens, however that happens. The reset is meant to drop the
    // children of a closed entry too; whatever a tree leaves is deleted.
    for (std::uint32_t k : m_withChildren) {
        if (k >= count) continue;
        ::SendMessageW(m_tree, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET,
                       reinterpret_cast<LPARAM>(m_questions[k]));
        while (HTREEITEM child = NextItem(m_tree, TVGN_CHILD, m_questions[k])) {
            ::SendMessageW(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
        }
    }
    m_withChildren.clear();
    m_childCount = 0;
    AppendQuestions(static_cast<std::uint32_t>(held), count, /*expanded*/ false);
    // As a fresh tree: nothing selected, the first question at the top.
    SelectItem(m_tree, TVGN_CARET, nullptr);
    SelectItem(m_tree, TVGN_FIRSTVISIBLE, m_questions.front());
    // The texts changed behind the tree's back.
    ::InvalidateRect(m_tree, nullptr, TRUE);
    return true;
}

void CBrowView::Populate(bool expanded) {
    ::SendMessageW(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_questions.clear();
    m_withChildren.clear();
    m_childCount = 0;
    if (!m_session) return;
    AppendQuestions(0, static_cast<std::uint32_t>(m_session->Items().size()), expanded);
}

void CBrowView::AppendQuestions(std::uint32_t from, std::uint32_t to, bool expanded) {
    if (from >= to) return;
    m_questions.reserve(to);
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    // Every entry has at least its answer, so the button shows before the children exist.
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE;
    insert.item.pszText = LPSTR_TEXTCALLBACKW;
    insert.item.cChildren = 1;
    insert.item.stateMask = kExpandedStates;
    insert.item.state = expanded ? kExpandedStates : 0;
    for (std::uint32_t k = from; k < to; ++k) {
        insert.item.lParam = static_cast<LPARAM>(k);
        m_questions.push_back(reinterpret_cast<HTREEITEM>(
            ::SendMessageW(m_tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
    }
    // All questions first: the tree inserts children faster under questions that are
    // already in place than with questions and children interleaved.
    if (expanded) {
        for (std::uint32_t k = from; k < to; ++k) InsertChildren(k, m_questions[k]);
    }
}

void CBrowView::InsertChildren(std::uint32_t entry, HTREEITEM question) {
    m_session->SetCurrent(entry);
    const Question texts = m_session->CurrentQuestion();
    TVINSERTSTRUCTW insert{};
    insert.hParent = question;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.lParam = static_cast<LPARAM>(entry);
    std::wstring buffer;
    InsertItem(m_tree, insert, texts.answer, buffer);
    ++m_childCount;
    if (!texts.hint.empty()) {
        InsertItem(m_tree, insert, texts.hint, buffer);
        ++m_childCount;
    }
    m_withChildren.push_back(entry);
}

void CBrowView::EnsureChildren(HTREEITEM item, std::uint32_t entry) {
    if (entry >= m_questions.size() || m_questions[entry] != item ||
        NextItem(m_tree, TVGN_CHILD, item)) {
        return;
    }
    InsertChildren(entry, item);
}

bool CBrowView::FindPlace(HTREEITEM item, Place& place) const {
    if (!item) return false;
    const LPARAM data = ItemData(m_tree, item);
    if (data < 0 || static_cast<std::size_t>(data) >= m_questions.size()) return false;
    const auto entry = static_cast<std::uint32_t>(data);
    HTREEITEM question = m_questions[entry];
    if (item == question) {
        place = Place{entry, -1};
        return true;
    }
    int child = 0;
    HTREEITEM sibling = NextItem(m_tree, TVGN_CHILD, question);
    for (; sibling && sibling != item; sibling = NextItem(m_tree, TVGN_NEXT, sibling)) ++child;
    if (!sibling) return false;
    place = Place{entry, child};
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
    const bool wasExpanded = IsExpanded(m_tree, selected);
    EnsureChildren(selected, static_cast<std::uint32_t>(ItemData(m_tree, selected)));
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
