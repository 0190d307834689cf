#include <gtest/gtest.h>
#include <limits>
#include <string>
#include "printing/AmountToWords.h"

TEST(AmountToWords, SpellsLeiAndBaniWithTheirBlanks)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    // Every blank counts: the pages print the text unchanged.
    const struct {
        double amount;
        const wchar_t* words;
    } cases[] = {
        {0, L""},
        {1, L"  un leu"},
        {1.50, L"  un leu si  cincizeci bani "},
        {0.07, L"   si  sapte  bani "},
        {2.01, L" doi  lei si  unu  bani "},
        {5.25, L" cinci  lei si  douazeci si cinci  bani "},
        {10, L" zece  lei"},
        {100, L" una suta     lei"},
        {12, L" doisprezece  lei"},
        {101, L" una suta   si unu   lei"},
        {120.30, L" una suta douazeci   lei si  treizeci bani "},
        {1000, L" una mie       lei"},
        {2000, L" doua mii       lei"},
        {2500, L" doua mii cinci sute     lei"},
        {20000, L" douazeci de mii         lei"},
        {21000, L" douazeci si unu mii       lei"},
        {123456.78, L" una suta douazeci si trei mii patru sute cincizeci si sase   lei si  saptezeci si opt  bani "},
        {1500000, L"  un milion cinci sute   de mii         lei"},
        {2000000, L" doua milioane           lei"},
        {1000000, L"  un milion           lei"},
        {3000500, L" trei  milioane     cinci sute     lei"},
        // Rounded to whole bani first: never a blank bani word, never one leu short.
        {7.995, L" opt  lei"},
        {0.999, L"  un leu"},
        {1.005000001, L"  un leu si  unu  bani "},
        {0.004, L""},
        {-5, L""},
        {nan, L""},
        {inf, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.words), std::wstring(AmountToWords(c.amount).c_str())) << "amount " << c.amount;
}

TEST(AmountToWords, AmountsBeyondTheWordsAreNotToldAndMillionsSaidInFull)
{
    auto words = [](double amount) { return std::wstring(AmountToWords(amount).c_str()); };
    std::wstring cap = words(999999999.99);
    EXPECT_EQ(L"", words(1000000000));
    EXPECT_NE(std::wstring::npos, cap.find(L"noua sute nouazeci si noua  de milioane"));
    EXPECT_NE(std::wstring::npos, cap.find(L"nouazeci si noua  bani "));
    // Ten to nineteen millions keep their teens word.
    EXPECT_EQ(0u, words(12000000).find(L" doisprezece milioane "));
    EXPECT_EQ(0u, words(25000000).find(L" douazeci si cinci  de milioane "));
}
