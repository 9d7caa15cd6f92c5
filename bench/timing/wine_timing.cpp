// How long a learner waits: starting a test over 100,000 selected entries (the pool read from
// the word files, the session built, the first question shown) and from Enter to the start of
// the flash. Prints figures under Wine; asserts nothing, timing is never a test verdict.
//
//   wine build/<dir>/bench/wine_timing.exe

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "win32/harness.h"

namespace {

constexpr int kFiles = 10;
constexpr int kEntriesPerFile = 10000;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

template <class F>
double Time(F&& f) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    f();
    ::QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

struct Figures {
    std::vector<double> samples;
    void Add(double ms) { samples.push_back(ms); }
    void Print(const char* what) {
        std::sort(samples.begin(), samples.end());
        std::printf("%-44s median %7.2f ms   min %7.2f   max %7.2f   (n=%zu)\n", what,
                    samples[samples.size() / 2], samples.front(), samples.back(), samples.size());
    }
};

std::vector<std::u16string> WriteWordFiles(const harness::TempFolder& folder) {
    std::vector<std::u16string> names;
    for (int f = 0; f < kFiles; ++f) {
        std::string text;
        for (int i = 0; i < kEntriesPerFile; ++i) {
            const std::string n = std::to_string(f * kEntriesPerFile + i);
            text += "word" + n + "\\wort" + n + "\\hint " + n + "\r\n";
        }
        const std::wstring name = L"list" + std::to_wstring(f) + L".mrn";
        folder.Write(name, text);
        names.push_back(U16(name));
    }
    return names;
}

void Measure(std::int32_t wordOrder, const char* orderName, const harness::TempFolder& folder,
             const std::vector<std::u16string>& names) {
    harness::TestSettings settings;
    settings->WordOrder = wordOrder;
    settings->CaseSensitive = false;
    settings->DataFolder = U16(folder.Path());
    settings->SetSelection(names);
    CreateFlashColorTable();
    harness::FrameHarness h(settings);
    CTestView& view = h.frame.TestView();
    HWND answer = view.GetDlgItem(IDC_ANSWER);
    ::KillTimer(answer, CSmartEdit::kTimerId);

    Figures cold, warm, right, wrong;
    for (int run = 0; run < 7; ++run) {
        h.frame.SwitchToView(h.frame.HomeView());
        settings.Cache().DropPool();  // as after a change of the selection
        cold.Add(Time([&] { h.frame.SwitchToView(view); }));
        h.frame.SwitchToView(h.frame.HomeView());
        warm.Add(Time([&] { h.frame.SwitchToView(view); }));
    }
    if (view.Session()->PoolSize() != kFiles * kEntriesPerFile) {
        std::printf("unexpected pool size %u\n", view.Session()->PoolSize());
    }

    // Enter through the frame's filter, as the loop hands it over, up to the flash's start.
    // Null leaves the field as it is: the expected answer offered after a wrong one.
    auto enter = [&](const wchar_t* text) {
        if (text) ::SetWindowTextW(answer, text);
        MSG msg{answer, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
        const double ms = Time([&] { h.frame.PreTranslateMessage(&msg); });
        for (int t = 0; t < 3; ++t) {
            ::SendMessageW(answer, WM_TIMER, CSmartEdit::kTimerId, 0);
            h.Pump();
        }
        return ms;
    };
    for (int i = 0; i < 50; ++i) {
        const std::u16string_view expected = view.Session()->CurrentQuestion().answer;
        right.Add(enter(Wide(expected).c_str()));
        wrong.Add(enter(L"?"));  // its copy goes somewhere into the 100,000-item queue
        right.Add(enter(nullptr));
    }

    std::printf("word order %s, %d entries in %d files:\n", orderName, kFiles * kEntriesPerFile,
                kFiles);
    cold.Print("  start, pool read from the files");
    warm.Print("  start, pool already gathered");
    right.Print("  Enter -> flash start, correct");
    wrong.Print("  Enter -> flash start, wrong");
}

}  // namespace

int main() {
    harness::TempFolder folder;
    const std::vector<std::u16string> names = WriteWordFiles(folder);
    Measure(WordOrders::Random, "Random", folder, names);
    Measure(WordOrders::Alphabetical, "Alphabetical", folder, names);
    Measure(WordOrders::Normal, "Normal", folder, names);
    return 0;
}
