#pragma once
// The home view: the word files of the data folder, the selection that takes part in testing,
// the commands that manage the files, and the buttons to the other views. It is also where a
// change made to the data folder from outside is reported and reloaded.

#include <string>

#include "view/view_base.h"
#include "data/selection.h"

class CHomeView : public CViewBase {
public:
    // The timer of the pending-change check and its period.
    static constexpr UINT_PTR kPendingChangeTimer = 100;
    static constexpr UINT kPendingChangePeriodMs = 250;

    explicit CHomeView(AppSettings& settings);

    // What the frame's menu rule reads: with no word selected Browse and Test are grayed.
    // All zero until the list has been filled.
    const SelectionSummary& Summary() const { return m_summary; }
    // Replaces the counts after the list or its selection changed.
    void SetSummary(const SelectionSummary& summary) { m_summary = summary; }

    // Insert, Delete and Ctrl+A run their command while its File item is enabled; Enter on
    // the list starts a test.
    BOOL PreTranslateMessage(MSG* msg) override;

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);
    BOOL OnTimer(UINT_PTR id, LRESULT& result);
    BOOL OnContextMenu(HWND source, LPARAM position, LRESULT& result);
    BOOL OnCommand(UINT id, UINT code, LRESULT& result);
    bool OnKeyDown(WPARAM key);

    // The list's items are the library's files; refilled only when the library was dropped.
    void FillList();
    // Counts, SelectionList and the status line from the list's current selection.
    void UpdateSummary();
    void UpdateCommandStates();
    // The rule of the File items, also kept by commands that arrive by other ways.
    bool IsCommandAvailable(UINT command) const;
    void StartTest();

    void OnSelectionChanged();
    void OnSelectAll();
    void OnRefresh();
    void OnNew();
    void OnEdit();
    void OnRename();
    void OnDelete();
    void OnOpenFolder();
    void CheckPendingChange();
    void HandOverPendingChange();

    // Asks for a name under `label`, starting from `name`; the typed text after OK, nothing
    // after Cancel.
    bool AskName(UINT label, std::wstring& name) const;
    void Warn(UINT text) const;
    HWND FrameWindow() const { return GetParent(); }

    HWND m_list = nullptr;
    HWND m_status = nullptr;
    HWND m_browseButton = nullptr;
    HWND m_testButton = nullptr;
    HWND m_graphButton = nullptr;
    HWND m_setupButton = nullptr;
    HWND m_aboutButton = nullptr;
    SelectionSummary m_summary;
    bool m_reportingChange = false;
};
