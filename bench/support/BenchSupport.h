#pragma once
// What the benchmarks share: a millisecond clock, medians over runs, the big
// generated company file and a small one-invoice company.
#include <algorithm>
#include <string>
#include <vector>
#include "bench/support/BigCompany.h"

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

// N of a --runs=N argument (at least 1), else `fallback`.
int RunsArgument(int argc, wchar_t** argv, int fallback);

// The middle value (the upper one of an even count); 0 for none.
double Median(std::vector<double> values);

// Runs f `runs` times and answers the median of its times.
template <class F>
double Median(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        f();
        times.push_back(Now() - start);
    }
    return Median(times);
}

// Opens the generated company file at path, generating it first when it is
// missing or `regenerate` asks for a new one; says which on the console.
void OpenBigCompany(MyRepository& db, const std::wstring& path, bool regenerate,
                    const CompanySize& size = CompanySize());

// A named company (no VAT exemption), one client and invoice 7 of series FCT
// with 23 lines; answers the invoice's id.
unsigned long long MakeInvoice(MyRepository& db, const wchar_t* clientName, const wchar_t* city);

} // namespace bench
