#pragma once
// The browse view: the selected entries as a tree of questions with their answers and hints,
// in the order and directions a test started now would ask them.
//
// A large selection must neither keep the learner waiting nor stall the tree control, which
// pays for every item it holds, for every item it deletes, and for every single expand or
// collapse in proportion to its size. So:
// - the questions are the only items the tree is filled with, each marked as having children;
//   an entry's answer and hint are inserted the moment the entry is first expanded (by the
//   user, Toggle or Expand All), so that they exist before anyone can see them;
// - a question's text is not stored in the tree but asked for (TVN_GETDISPINFO) from the
//   queue, by the item's position, which the item carries as its data. A new visit therefore
//   keeps the questions of the last one and only adds or removes the difference in number,
//   closing again the entries that were opened (and dropping their children); deleting and
//   re-inserting a large tree would take seconds;
// - Expand All and Collapse All rebuild the tree in its new shape in one pass, keeping the
//   selected and the top item, instead of reshaping it one entry at a time;
// - the tree's notifications that come by the hundred thousand (texts, deletions) are
//   answered before the dialog manager and the view's message table see them.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "view/view_base.h"
#include "win/accessible.h"

class TestSession;

class CBrowView : public CViewBase {
public:
    explicit CBrowView(const ViewContext& context);

    // Keypad plus and minus while their command is enabled, Enter and Space on the tree, the
    // mouse's back button, and the right button kept from the tree; then dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The tree control (for tests and the timing harness).
    HWND Tree() const { return m_tree; }

    BEGIN_MSG_MAP(CBrowView)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_VIEW_ACTIVATE, Refill)
        MSG_WM_SIZE(OnSize)
        MSG_WM_CONTEXTMENU(OnContextMenu)
        NOTIFY_HANDLER(IDC_TREE, TVN_ITEMEXPANDINGW, OnItemExpanding)
        COMMAND_ID_HANDLER(ID_BROWSE_EXPAND_ALL, ExpandAll)
        COMMAND_ID_HANDLER(ID_BROWSE_COLLAPSE_ALL, CollapseAll)
        CHAIN_MSG_MAP(CViewBase)
    END_MSG_MAP()

private:
    // Where an item stands: the entry's position in the queue (every item's data), and -1 for
    // the question itself or the child's position under it (0 the answer, 1 the hint).
    struct Place {
        std::uint32_t entry = 0;
        int child = -1;
    };

    BOOL OnInitDialog();
    void OnSize(UINT, int width, int height);
    void OnContextMenu(HWND source, POINT screen) const;
    // However the tree came to expand a question (mouse, arrow keys, Toggle), its answer and
    // hint are there before it is drawn open.
    BOOL OnItemExpanding(const NMHDR* header);

    void Refill();
    // Brings the questions of the last visit to the new queue's number, all closed and
    // without children; false when rebuilding the tree costs less.
    bool ReuseQuestions(std::uint32_t count);
    void ExpandAll() { SetAllExpanded(true); }
    void CollapseAll() { SetAllExpanded(false); }
    void SetAllExpanded(bool expanded);
    void Toggle();

    // Deletes every item and inserts one question per entry, with its children when expanded.
    void Populate(bool expanded);
    void AppendQuestions(std::uint32_t from, std::uint32_t to, bool expanded);
    void InsertChildren(std::uint32_t entry, HTREEITEM question);
    // Inserts the children of a question the first time it is expanded.
    void EnsureChildren(HTREEITEM item, std::uint32_t entry);
    bool FindPlace(HTREEITEM item, Place& place) const;
    // The item at `place` after a rebuild; a child that no longer exists gives its question.
    HTREEITEM ItemAt(const Place& place) const;

    void SetTreeRedraw(bool on) const;

    // In front of the dialog's procedure: the tree's text requests and deletion notices,
    // answered without going through the dialog manager and the message table.
    struct TreeNotices : CFrontProcedure<TreeNotices> {
        CBrowView* view = nullptr;
        bool Take(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) const;
    };
    void AnswerText(NMTVDISPINFOW& info);
    void ScrollTreeLeft() const;

    HWND m_tree = nullptr;
    CAccessible m_treeName;  // the tree has no label before it
    // The queue the tree lists; kept (with the pool it holds) for the children inserted later.
    // Nothing is ever judged or recorded in it.
    std::unique_ptr<TestSession> m_session;
    std::vector<HTREEITEM> m_questions;  // the top-level items in queue order
    // Positions of the questions whose children have been inserted since the last rebuild.
    std::vector<std::uint32_t> m_withChildren;
    std::size_t m_childCount = 0;  // the children those hold
    std::wstring m_text;           // the last text given to the tree when it did not fit its buffer
    // Last, so that it goes first: the window may outlive the members the notices read.
    TreeNotices m_treeNotices;
};
