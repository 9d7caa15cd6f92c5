// How long a heavy user waits for the home view's list of word files under Wine: from the
// start of the frame, from F5 and from an outside change until the list is whole again, and
// how long the window keeps from answering while a burst of outside changes is reloaded.
// A quarter of the files are selected, in runs of five. Not a test: it prints figures and
// exits 0.
//
//   home_timing [files ...]        (default: 100 1000 5000)

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "win32/harness.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;
constexpr int kBurstChanges = 200;
constexpr auto kBurstSpacing = std::chrono::milliseconds(5);
constexpr DWORD kPatienceMs = 600000;  // a reload before the list was filled with drawing off

double MsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Figures {
    std::vector<double> samples;
    void Add(double ms) { samples.push_back(ms); }
    void Print(const char* what) {
        std::sort(samples.begin(), samples.end());
        std::printf("  %-34s min %8.1f   median %8.1f   max %8.1f ms\n", what, samples.front(),
                    samples[samples.size() / 2], samples.back());
    }
};

std::wstring FileName(int i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"word file %05d.mrn", i);
    return name;
}

std::string Entries(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "word" + std::to_string(i) + "\\wort\\hint\r\n";
    return text;
}

std::wstring ItemText(HWND list, int i) {
    wchar_t text[64]{};
    if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 64) return {};
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
}

// Whether the list shows all `files`, the first with `entries` entries.
bool ListIsWhole(HWND list, int files, int entries) {
    return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == files &&
           ItemText(list, 0) == L"word file 00000 (" + std::to_wstring(entries) + L")";
}

// The start and end of each reload of the list: from emptying it to the status line that
// follows the new selection.
struct Reloads {
    std::vector<std::pair<Clock::time_point, Clock::time_point>> spans;
    double Overlap(Clock::time_point from, Clock::time_point to) const {
        double ms = 0;
        for (const auto& [start, end] : spans) {
            const auto a = std::max(from, start), b = std::min(to, end);
            if (a < b) ms += MsBetween(a, b);
        }
        return ms;
    }
    double Longest() const {
        double ms = 0;
        for (const auto& [start, end] : spans) ms = std::max(ms, MsBetween(start, end));
        return ms;
    }
};

class ListSpy : public harness::Subclass<ListSpy> {
public:
    ListSpy(HWND list, Reloads& reloads) : Subclass(list), m_reloads(reloads) {}
    bool Take(UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == LB_RESETCONTENT) m_reloads.spans.push_back({Clock::now(), Clock::now()});
        return false;
    }

private:
    Reloads& m_reloads;
};

class StatusSpy : public harness::Subclass<StatusSpy> {
public:
    StatusSpy(HWND status, Reloads& reloads) : Subclass(status), m_reloads(reloads) {}
    bool Take(UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == WM_SETTEXT && !m_reloads.spans.empty()) {
            m_reloads.spans.back().second = Clock::now();
        }
        return false;
    }

private:
    Reloads& m_reloads;
};

// Asks the window for an answer every few milliseconds from another thread, as the system
// does, and notes when each question was asked and how long its answer took.
class Prober {
public:
    explicit Prober(HWND window) : m_thread([this, window] { Run(window); }) {}
    ~Prober() { Stop(); }
    void Stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
    }
    std::vector<std::pair<Clock::time_point, Clock::time_point>> asked;

private:
    void Run(HWND window) {
        while (!m_stop) {
            const auto start = Clock::now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &result);
            asked.push_back({start, Clock::now()});
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

void Measure(int files) {
    harness::TestSettings settings(L"HomeTiming");
    std::vector<std::u16string> selected;
    for (int i = 0; i < files; ++i) {
        settings.folder.Write(FileName(i), Entries(3));
        if ((i / 5) % 4 == 0) selected.push_back(U16(FileName(i)));
    }
    settings->SetSelection(selected);
    harness::DialogScript script;  // answers the report of each outside change

    Figures start, refresh, outside;
    for (int run = 0; run < kRuns; ++run) {
        settings.Cache().DropLibrary();
        const auto begin = Clock::now();
        harness::FrameHarness h(settings);
        ::UpdateWindow(h.hWnd);
        h.Pump();
        start.Add(MsBetween(begin, Clock::now()));
    }

    harness::FrameHarness h(settings);
    HWND list = h.frame.HomeView().GetDlgItem(IDC_FILE_LIST);
    Figures scan;  // the part of every fill that reads the folder and counts the words
    for (int run = 0; run < kRuns; ++run) {
        settings.Cache().DropLibrary();
        const auto begin = Clock::now();
        settings.Cache().GetLibrary();
        scan.Add(MsBetween(begin, Clock::now()));
    }
    for (int run = 0; run < kRuns; ++run) {
        const auto begin = Clock::now();
        h.Key(VK_F5);
        refresh.Add(MsBetween(begin, Clock::now()));
    }
    // Reading the word files again must not look like a change made from outside.
    harness::PumpFor(h, 3 * CHomeView::kPendingChangePeriodMs);
    const size_t echoes = script.BoxTexts().size();
    int entries = 3;
    for (int run = 0; run < kRuns; ++run) {
        const auto begin = Clock::now();
        settings.folder.Write(FileName(0), Entries(++entries));
        if (!harness::PumpUntil(
                h, [&] { return ListIsWhole(list, files, entries); }, kPatienceMs)) {
            std::printf("  the outside change was not reloaded\n");
            return;
        }
        outside.Add(MsBetween(begin, Clock::now()));
    }

    std::printf("%d files, %zu selected:\n", files, selected.size());
    start.Print("start -> list whole");
    scan.Print("  of it, the folder read");
    refresh.Print("F5 -> list whole");
    outside.Print("outside change -> list whole");
    std::printf("  changes reported after the F5 reloads: %zu\n", echoes);

    // A burst of changes, as a program that writes many files makes: the window must answer
    // between the reloads it brings.
    Reloads reloads;
    ListSpy listSpy(list, reloads);
    StatusSpy statusSpy(h.frame.HomeView().GetDlgItem(IDC_STATUS), reloads);
    script.Clear();
    Prober prober(h.hWnd);
    std::atomic<bool> written{false};
    const int last = entries + kBurstChanges;
    std::thread writer([&] {
        for (int n = entries + 1; n <= last; ++n) {
            settings.folder.Write(FileName(0), Entries(n));
            std::this_thread::sleep_for(kBurstSpacing);
        }
        written = true;
    });
    const auto begin = Clock::now();
    const bool whole = harness::PumpUntil(
        h, [&] { return written && ListIsWhole(list, files, last); }, kPatienceMs);
    const double burstMs = MsBetween(begin, Clock::now());
    harness::PumpFor(h, 3 * CHomeView::kPendingChangePeriodMs);
    writer.join();
    prober.Stop();

    double longest = 0, longestBetween = 0;
    for (const auto& [asked, answered] : prober.asked) {
        const double ms = MsBetween(asked, answered);
        longest = std::max(longest, ms);
        longestBetween = std::max(longestBetween, ms - reloads.Overlap(asked, answered));
    }
    std::printf("  burst of %d changes: %s after %.0f ms, %zu reloads (longest %.1f ms)\n",
                kBurstChanges, whole ? "list whole" : "NOT whole", burstMs,
                script.BoxTexts().size(), reloads.Longest());
    std::printf("  longest wait for an answer: %.1f ms, of it outside reloads: %.1f ms\n", longest,
                longestBetween);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {100, 1000, 5000};
    std::printf("home view under Wine, %d runs each\n", kRuns);
    for (int files : counts) Measure(files);
    return 0;
}
