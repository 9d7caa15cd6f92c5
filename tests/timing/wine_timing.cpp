// How long a learner waits: starting a test over 100,000 selected entries (the pool read from
// the word files, the session built, the first question shown) and from Enter to the start of
// the flash. Prints figures under Wine; asserts nothing, timing is never a test verdict.
//
//   wine build/<dir>/tests/wine_timing.exe

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "win32/test_view_support.h"

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
                    samples[samples.size() / 2], samples.front(), samples.back(),
                    samples.size());
    }
};

std::vector<std::wstring> WriteWordFiles(const test_view_support::TempWordFolder& folder) {
    std::vector<std::wstring> names;
    for (int f = 0; f < kFiles; ++f) {
        std::string text;
        for (int i = 0; i < kEntriesPerFile; ++i) {
            const std::string n = std::to_string(f * kEntriesPerFile + i);
            text += "word" + n + "\\wort" + n + "\\hint " + n + "\r\n";
        }
        names.push_back(L"list" + std::to_wstring(f) + L".mrn");
        folder.Write(names.back(), text);
    }
    return names;
}

void Measure(std::int32_t wordOrder, const char* orderName,
             const test_view_support::TempWordFolder& folder, const std::vector<std::wstring>& names) {
    frame_test::TestSettings settings;
    settings->WordOrder = wordOrder;
    settings->CaseSensitive = false;
    test_view_support::BoundData data(*settings, folder, names);
    frame_test::FrameHarness h(*settings);
    CTestView& view = h.frame.TestView();
    HWND answer = view.GetDlgItem(IDC_ANSWER);
    ::KillTimer(answer, CSmartEdit::kTimerId);

    Figures cold, warm, right, wrong;
    for (int run = 0; run < 7; ++run) {
        h.frame.SwitchToView(h.frame.HomeView());
        VocabularyCache::Instance().DropPool();  // as after a change of the selection
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
        right.Add(enter(std::wstring(expected.begin(), expected.end()).c_str()));
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
    test_view_support::TempWordFolder folder(L"Timing");
    const std::vector<std::wstring> names = WriteWordFiles(folder);
    Measure(WordOrders::Random, "Random", folder, names);
    Measure(WordOrders::Alphabetical, "Alphabetical", folder, names);
    Measure(WordOrders::Normal, "Normal", folder, names);
    return 0;
}
