#pragma once
// The home view: the word files of the data folder, the selection that takes part in testing,
// and the buttons to the other views.

#include "app/view_base.h"
#include "data/selection.h"

class CHomeView : public CViewBase {
public:
    explicit CHomeView(AppSettings& settings);

    // What the frame's menu rule reads: with no word selected Browse and Test are grayed.
    // All zero until the list has been filled.
    const SelectionSummary& Summary() const { return m_summary; }
    // Replaces the counts after the list or its selection changed.
    void SetSummary(const SelectionSummary& summary) { m_summary = summary; }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);
    BOOL OnCommand(UINT id, LRESULT& result);

    HWND m_list = nullptr;
    HWND m_status = nullptr;
    HWND m_browseButton = nullptr;
    HWND m_testButton = nullptr;
    HWND m_graphButton = nullptr;
    HWND m_setupButton = nullptr;
    HWND m_aboutButton = nullptr;
    SelectionSummary m_summary;
};
