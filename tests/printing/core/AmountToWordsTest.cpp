#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <string>
#include "printing/AmountToWords.h"

namespace {

std::wstring Words(double amount)
{
    return std::wstring(AmountToWords(amount).c_str());
}

struct Vector {
    double amount;
    const wchar_t* words;
};

// Every blank counts: the pages print the text unchanged.
const Vector kVectors[] = {
    {0, L""},
    {1, L"  un leu"},
    {1.50, L"  un leu si  cincizeci bani "},
    {0.50, L"   si  cincizeci bani "},
    {0.07, L"   si  sapte  bani "},
    {0.15, L"   si  cincisprezece bani "},
    {2, L" doi  lei"},
    {2.01, L" doi  lei si  unu  bani "},
    {5.25, L" cinci  lei si  douazeci si cinci  bani "},
    {12, L" doisprezece  lei"},
    {25, L" douazeci si cinci   lei"},
    {101, L" una suta   si unu   lei"},
    {120.30, L" una suta douazeci   lei si  treizeci bani "},
    {999.50, L" noua sute nouazeci si noua   lei si  cincizeci bani "},
    {1000, L" una mie       lei"},
    {1456.78, L" una mie patru sute cincizeci si sase   lei si  saptezeci si opt  bani "},
    {2500, L" doua mii cinci sute     lei"},
    {12345.67, L" doisprezece mii trei sute patruzeci si cinci   lei si  saizeci si sapte  bani "},
    {20000, L" douazeci de mii         lei"},
    {21000, L" douazeci si unu mii       lei"},
    {110000, L" una suta zece mii       lei"},
    {123456.78, L" una suta douazeci si trei mii patru sute cincizeci si sase   lei si  saptezeci si opt  bani "},
    {1500000, L"  un milion cinci sute   de mii         lei"},
    // Rounded to whole bani first: never a blank bani word, never one leu short.
    {7.995, L" opt  lei"},
    {0.999, L"  un leu"},
    {1.005000001, L"  un leu si  unu  bani "},
    {0.004, L""},
    {-5, L""},
    {std::numeric_limits<double>::quiet_NaN(), L""},
    {std::numeric_limits<double>::infinity(), L""},
    {2000000, L" doua milioane           lei"},
    {1000000, L"  un milion           lei"},
    {3000500, L" trei  milioane     cinci sute     lei"},
};

} // namespace

TEST(AmountToWords, SpellsLeiAndBaniWithTheirBlanks)
{
    for (const Vector& v : kVectors)
        EXPECT_EQ(std::wstring(v.words), Words(v.amount)) << "amount " << v.amount;
}

TEST(AmountToWords, AmountsBeyondTheWordsAreNotToldAndMillionsSaidInFull)
{
    std::wstring cap = Words(999999999.99);
    EXPECT_EQ(L"", Words(5e12));
    EXPECT_EQ(L"", Words(1000000000));
    EXPECT_NE(std::wstring::npos, cap.find(L"noua sute nouazeci si noua  de milioane"));
    EXPECT_NE(std::wstring::npos, cap.find(L"nouazeci si noua  bani "));
    // Ten to nineteen millions keep their teens word.
    EXPECT_EQ(0u, Words(12000000).find(L" doisprezece milioane "));
    EXPECT_EQ(0u, Words(25000000).find(L" douazeci si cinci  de milioane "));
}
