// The six views as a screen reader reads them, through oleacc in this process: each window's
// accessible object asked for its role, name and value.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "harness.h"

namespace {

struct Read {
    long role = 0, state = 0;
    std::wstring name, value;
};

Read ReadAccessible(HWND window) {
    Read read;
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                            IID_IAccessible, reinterpret_cast<void**>(&object)))) {
        return read;
    }
    VARIANT self{}, answer{};
    self.vt = VT_I4;  // CHILDID_SELF
    if (SUCCEEDED(object->get_accRole(self, &answer))) read.role = answer.lVal;
    if (SUCCEEDED(object->get_accState(self, &answer))) read.state = answer.lVal;
    for (auto [get, text] : {std::pair{&IAccessible::get_accName, &read.name},
                             std::pair{&IAccessible::get_accValue, &read.value}}) {
        BSTR got = nullptr;
        if ((object->*get)(self, &got) == S_OK && got) *text = got;
        ::SysFreeString(got);
    }
    object->Release();
    return read;
}

// Control `id` of a view or of its pane.
Read ReadControl(HWND view, int id) {
    HWND pane = ::FindWindowExW(view, nullptr, MAKEINTATOM(32770), nullptr);
    return ReadAccessible(::GetDlgItem(view, id) ? ::GetDlgItem(view, id) : ::GetDlgItem(pane, id));
}

TEST(Accessible, EveryViewsControlsAreNamedAndTheChartAndLinkSayWhatTheyShow) {
    const ComScope com(COINIT_APARTMENTTHREADED);
    harness::TestSettings settings;
    settings.folder.Write(L"words.mrn", "one\\eins\n");
    settings->SetSelection({u"words.mrn"});
    settings->SetScores({55, 80});
    harness::FrameHarness h(settings);
    const wchar_t* address = L"https://memorion.example.org/";
    // clang-format off
    struct Row { UINT view; int control; long role; const wchar_t *name, *value; };  // 0, null: the system's
    const Row rows[] = {
        {ID_GOTO_HOME,   IDC_FILE_LIST,     0,                 L"Word files",             nullptr},
        {ID_GOTO_BROWSE, IDC_TREE,          0,                 L"Entries",                nullptr},
        {ID_GOTO_TEST,   IDC_PROGRESS,      0,                 L"Progress",               L"0 of 1"},
        {ID_GOTO_GRAPH,  IDC_GRAPH,         ROLE_SYSTEM_CHART, L"Scores",                 L"55%, 80%"},
        {ID_GOTO_SETUP,  IDC_FOLDER_BROWSE, 0,                 L"Choose the data folder", nullptr},
        {ID_GOTO_ABOUT,  IDC_ABOUT_LINK,    ROLE_SYSTEM_LINK,  address,                   address},
    };
    // clang-format on
    EXPECT_EQ(std::size(rows), CMainFrame::kViewCount) << "a view of the frame's table has no row";
    for (const Row& row : rows) {
        h.Command(row.view);
        const Read read = ReadControl(h.frame.ActiveView(), row.control);
        EXPECT_TRUE(!row.role || read.role == row.role) << read.role;
        EXPECT_EQ(read.name, row.name);
        EXPECT_TRUE(!row.value || read.value == row.value) << read.value;
        HWND view = h.frame.ActiveView(), first = ::GetNextDlgTabItem(view, nullptr, FALSE),
             c = first;
        do {
            EXPECT_NE(ReadAccessible(c).name, L"") << "control " << ::GetDlgCtrlID(c);
        } while ((c = ::GetNextDlgTabItem(view, c, FALSE)) != first);
    }
    EXPECT_TRUE(ReadControl(h.frame.ActiveView(), IDC_ABOUT_LINK).state & STATE_SYSTEM_LINKED);
    h.Command(ID_GOTO_GRAPH);
    h.Command(ID_GRAPH_CLEAR);
    EXPECT_EQ(ReadControl(h.frame.ActiveView(), IDC_GRAPH).value, L"No scores");
}

}  // namespace
