#pragma once
// What the benchmarks share: a millisecond clock, medians over runs, the big
// generated company file and a small one-invoice company.
#include <algorithm>
#include <string>
#include <vector>
#include "bench/support/BigCompany.h"
#include "tests/harness/MessageBoxRecorder.h"

class MyRepository;

namespace bench {

// Milliseconds of the performance counter.
double Now();

class Stopwatch {
public:
    Stopwatch() : m_start(Now()) {}
    double Milliseconds() const { return Now() - m_start; }

private:
    double m_start;
};

// Whether the command line holds --short: the test command's run of every
// benchmark, which checks that each still builds, runs to its end and prints
// its aims. It runs each timing once on a small company file (CompanySize::
// Short()) of its own; the figures it prints are not judged.
bool ShortRun();
// In a short run, `full` scaled down to `brief`; else `full`.
int ShortOr(int brief, int full);

// N of a --runs=N argument (at least 1), else `fallback` (1 in a short run).
int RunsArgument(int argc, wchar_t** argv, int fallback);

// The company folder (the first argument not starting with -, else
// "bench-out", or in a short run "bench-short\<program>", each program's
// own, so benchmarks run side by side never share a file) and whether
// --regenerate was given. The folder exists on return.
struct FolderArguments {
    std::wstring folder = L"bench-out";
    bool regenerate = false;
};
FolderArguments ReadFolderArguments(int argc, wchar_t** argv);

// The middle value (the upper one of an even count); 0 for none.
double Median(std::vector<double> values);

// The median of a set of timings and their spread (lowest and highest).
struct Timing {
    double median = 0;
    double low = 0;
    double high = 0;
    int runs = 0;
};
Timing Summarize(const std::vector<double>& values);
// Two timings' medians and spreads added, as one floor.
Timing Sum(const Timing& a, const Timing& b);

// Runs f `runs` times and answers its timings.
template <class F>
Timing Time(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        f();
        times.push_back(Now() - start);
    }
    return Summarize(times);
}

// Runs f `runs` times and answers the median of its times.
template <class F>
double Median(int runs, F f)
{
    return Time(runs, f).median;
}

// One line: "  what   median ms  (low .. high, n runs)".
void PrintTiming(const wchar_t* what, const Timing& t);
// One line with the ratio of two timings' medians and the goal it is held to.
void PrintRatio(const wchar_t* what, const Timing& measured, const Timing& base, const wchar_t* goal);

// Bytes of committed private memory of this process (heaps included).
size_t PrivateBytes();

// The machine-readable lines bench/run gathers into its closing table:
// "RATIO name measured aim" (a ratio held to at most aim) and
// "MS name measured aim" (milliseconds held to at most aim). Spaces in the
// name become underscores.
void PrintAimRatio(const wchar_t* name, double measured, double aim);
void PrintAimMs(const wchar_t* name, double measured, double aim);

// The default sizes, or CompanySize::OfYears(N) when the program's command
// line holds --years=N (bench/run passes it to every benchmark), or
// CompanySize::Short() in a short run.
CompanySize SizeFromCommandLine();

// The program's boxes, answered as its tests answer them: each box is
// printed as it comes and answered from the script, else with OK. The first
// call installs it for the rest of the run; every benchmark makes it first.
testing_support::MessageBoxRecorder& Boxes();

// Closes a dialog as a user who throws its typing away: Cancel, and Yes to
// the question whether to discard the changes, if it comes.
void CancelDiscarding(HWND dialog);

// Opens the generated company file at path, generating it first when it is
// missing, `regenerate` asks for a new one or its sizes differ from `size`
// (the default sizes stand for SizeFromCommandLine()); says which on the console.
void OpenBigCompany(MyRepository& db, const std::wstring& path, bool regenerate,
                    const CompanySize& size = CompanySize());

// A named company (no VAT exemption), one client and invoice 7 of series FCT
// with `lines` lines (a product each); answers the invoice's id.
unsigned long long MakeInvoice(MyRepository& db, const wchar_t* clientName, const wchar_t* city, int lines = 23);

// Sets a date picker of a dialog to the day of `seconds` (Unix, UTC).
void SetPickerDay(HWND dialog, int id, long long seconds);

// Runs `work` from the message loop once `window()` answers a visible window
// (a modal dialog being shown): for driving a dialog from inside its DoModal.
void WhenShown(HWND (*window)(), void (*work)());

} // namespace bench
