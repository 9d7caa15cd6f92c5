#pragma once
// The browse view: the selected entries as a tree of questions with their answers and hints,
// in the order and directions a test started now would ask them.
//
// A large selection must neither keep the learner waiting nor stall the tree control, which
// pays for every item it holds and for every single expand or collapse in proportion to its
// size. So the tree is filled with the questions alone, each marked as having children; an
// entry's answer and hint are inserted the moment the entry is first expanded (by the user,
// Toggle or Expand All), so that they exist before anyone can see them. Expand All and
// Collapse All rebuild the tree in its new shape in one pass, keeping the selected and the top
// item, instead of reshaping it one entry at a time.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/view_base.h"

class TestSession;

class CBrowView : public CViewBase {
public:
    explicit CBrowView(AppSettings& settings);
    ~CBrowView() override;

    // Keypad plus and minus while their command is enabled, Enter and Space on the tree, the
    // mouse's back button, and the right button kept from the tree; then dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

    // The tree control (for tests and the timing harness).
    HWND Tree() const { return m_tree; }

private:
    // Where an item stands: the entry's position in the queue, and -1 for the question itself
    // or the child's position under it (0 the answer, 1 the hint).
    struct Place {
        std::uint32_t entry = 0;
        int child = -1;
    };

    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);
    BOOL OnContextMenu(HWND source, LPARAM position, LRESULT& result);
    BOOL OnCommand(UINT id, LRESULT& result);
    BOOL OnNotify(const NMHDR* header, LRESULT& result);

    void Refill();
    void ExpandAll() { SetAllExpanded(true); }
    void CollapseAll() { SetAllExpanded(false); }
    void SetAllExpanded(bool expanded);
    void Toggle();

    // Deletes every item and inserts one question per entry, with its children when expanded.
    void Populate(bool expanded);
    void InsertChildren(std::uint32_t entry, HTREEITEM question);
    // Inserts the children of a question the first time it is expanded.
    void EnsureChildren(HTREEITEM item);
    bool FindPlace(HTREEITEM item, Place& place) const;
    // The item at `place` after a rebuild; a child that no longer exists gives its question.
    HTREEITEM ItemAt(const Place& place) const;

    void SetTreeRedraw(bool on) const;
    void ScrollTreeLeft() const;

    HWND m_tree = nullptr;
    HWND m_backButton = nullptr;
    // The queue the tree lists; kept (with the pool it holds) for the children inserted later.
    // Nothing is ever judged or recorded in it.
    std::unique_ptr<TestSession> m_session;
    std::vector<HTREEITEM> m_questions;  // the top-level items in queue order
    std::unordered_map<HTREEITEM, std::uint32_t> m_entryOf;
};
