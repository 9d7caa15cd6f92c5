// The six views as a screen reader reads them, through oleacc in this process: each window's
// accessible object asked for its role, name and value.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

struct Read {
    long role = 0;
    std::wstring name, value;
    long state = 0;
};

Read ReadAccessible(HWND window) {
    Read read;
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                            IID_IAccessible, reinterpret_cast<void**>(&object)))) {
        return read;
    }
    VARIANT self{}, answer{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (SUCCEEDED(object->get_accRole(self, &answer)) && answer.vt == VT_I4)
        read.role = answer.lVal;
    if (SUCCEEDED(object->get_accState(self, &answer)) && answer.vt == VT_I4)
        read.state = answer.lVal;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text) read.name = text;
    ::SysFreeString(text);
    text = nullptr;
    if (object->get_accValue(self, &text) == S_OK && text) read.value = text;
    ::SysFreeString(text);
    object->Release();
    return read;
}

// Control `id` of a view or of its pane.
HWND Find(HWND view, int id) {
    HWND found = ::GetDlgItem(view, id);
    for (HWND c = ::GetWindow(view, GW_CHILD); !found && c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        found = ::GetDlgItem(c, id);
    }
    return found;
}

// Every control of `parent` and its panes that Tab reaches.
void TabStops(HWND parent, std::vector<HWND>& found) {
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetWindowLongPtrW(c, GWL_STYLE) & WS_TABSTOP) found.push_back(c);
        TabStops(c, found);
    }
}

TEST(Accessible, EveryViewsControlsAreNamedAndTheChartAndLinkSayWhatTheyShow) {
    const ComScope com(COINIT_APARTMENTTHREADED);
    harness::TestSettings settings;
    settings.folder.Write(L"words.mrn", "one\\eins\n");
    settings->SetSelection({u"words.mrn"});
    settings->SetScores({55, 80});
    harness::FrameHarness h(settings);
    struct Row {
        UINT view;
        int control;
        long role;  // 0: the system's
        const wchar_t* name;
        const wchar_t* value;  // null: the system's
    };
    const wchar_t* address = L"https://memorion.example.org/";
    const Row rows[] = {
        {ID_GOTO_HOME, IDC_FILE_LIST, 0, L"Word files", nullptr},
        {ID_GOTO_BROWSE, IDC_TREE, 0, L"Entries", nullptr},
        {ID_GOTO_TEST, IDC_PROGRESS, 0, L"Progress", L"0 of 1"},
        {ID_GOTO_GRAPH, IDC_GRAPH, ROLE_SYSTEM_CHART, L"Scores", L"55%, 80%"},
        {ID_GOTO_SETUP, IDC_FOLDER_BROWSE, 0, L"Choose the data folder", nullptr},
        {ID_GOTO_ABOUT, IDC_ABOUT_LINK, ROLE_SYSTEM_LINK, address, address},
    };
    for (const Row& row : rows) {
        h.Command(row.view);
        HWND view = h.frame.ActiveView();
        const Read read = ReadAccessible(Find(view, row.control));
        if (row.role) {
            EXPECT_EQ(read.role, row.role) << row.name;
        }
        EXPECT_EQ(read.name, row.name);
        if (row.value) {
            EXPECT_EQ(read.value, row.value) << row.name;
        }

        std::vector<HWND> stops;
        TabStops(view, stops);
        for (HWND stop : stops) {
            EXPECT_NE(ReadAccessible(stop).name, L"")
                << row.view << ": control " << ::GetDlgCtrlID(stop) << " has no name";
        }
    }
    EXPECT_TRUE(ReadAccessible(Find(h.frame.ActiveView(), IDC_ABOUT_LINK)).state &
                STATE_SYSTEM_LINKED);
    h.Command(ID_GOTO_GRAPH);
    h.Command(ID_GRAPH_CLEAR);
    EXPECT_EQ(ReadAccessible(Find(h.frame.ActiveView(), IDC_GRAPH)).value, L"No scores");
}

}  // namespace
