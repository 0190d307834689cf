#include <gtest/gtest.h>
#include "cash/AmountToWordsUpperCase.h"
#include "tests/harness/MessageBoxRecorder.h"

namespace {
std::wstring Words(double amount)
{
    micro::utils::QString text = L"unchanged";
    AmountToWordsUpperCase(text, amount);
    return text.c_str();
}
} // namespace

TEST(AmountInCapitals, ReadsAmountsWithEveryBlankKept)
{
    const struct {
        double amount;
        const wchar_t* words;
    } cases[] = {
        {0, L"unchanged"},
        {1, L"  UN LEU"},
        {10, L" ZECE  LEI"},
        {12.5, L" DOISPREZECE  LEI SI  50 % "},
        {100, L" UNA SUTA     LEI"},
        {1000, L" UNA MIE       LEI"},
        {2000, L" DOUA MII       LEI"},
        {20000, L" DOUAZECI DE MII         LEI"},
        {213456.78, L" DOUA SUTE TREISPREZECE MII PATRU SUTE CINCIZECI SI SASE   LEI SI  78 % "},
        {2500000, L" DOUA MILIOANE CINCI SUTE   DE MII         LEI"},
        // Rounded to bani first, compared on whole lei.
        {3.999, L" PATRU  LEI"},
        {110000, L" UNA SUTA ZECE MII       LEI"},
        {1000000, L"  UN MILION           LEI"},
        // Twenty million on: the count of millions said in full.
        {25000000, L" DOUAZECI SI CINCI DE MILIOANE           LEI"},
        {100000000, L" UNA SUTA DE MILIOANE           LEI"},
        {102000000, L" UNA SUTA DOUA MILIOANE           LEI"},
        {999999999.99, L" NOUA SUTE NOUAZECI SI NOUA DE MILIOANE NOUA SUTE NOUAZECI SI NOUA MII NOUA SUTE NOUAZECI SI NOUA   LEI SI  99 % "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.words, Words(c.amount)) << c.amount << " -> [" << testing_support::Narrow(Words(c.amount)) << "]";
}
