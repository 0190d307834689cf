#include <gtest/gtest.h>
#include <string>
#include "masterdata/NumberText.h"
#include "tests/harness/MessageBoxRecorder.h" // Narrow

namespace {

using Reader = bool (*)(const wchar_t*, double&);
const Reader kReaders[] = {ParseAmount, ParsePrice, ParseQuantity, ParsePercent};

} // namespace

// A point alone before three digits reads 5 to a program and 5000 to a
// Romanian: no reader takes either, and the message says both.
TEST(NumberText, APointBeforeThreeDigitsIsRefusedEverywhereWithBothReadings)
{
    for (const wchar_t* text : {L"5.000", L"1.250", L"12.500", L"-1.000", L"999.999", L" 7.125 "}) {
        EXPECT_TRUE(IsAmbiguousNumber(text)) << testing_support::Narrow(text);
        for (Reader read : kReaders) {
            double value = -7;
            EXPECT_FALSE(read(text, value)) << testing_support::Narrow(text);
            EXPECT_EQ(-7, value) << testing_support::Narrow(text);
        }
    }
    const std::wstring advice = L" !\nScrieti zecimalele dupa virgula.";
    EXPECT_EQ(L"Suma introdusa (5.000) se poate citi 5 sau 5000" + advice,
              NumberRefusal(NumberField::Amount, L"5.000").c_str());
    EXPECT_EQ(L"Pretul introdus (1.250) se poate citi 1,25 sau 1250" + advice,
              NumberRefusal(NumberField::Price, L" 1.250 ").c_str());
    EXPECT_EQ(L"Cantitatea introdusa (-1.000) se poate citi -1 sau -1000" + advice,
              NumberRefusal(NumberField::Quantity, L"-1.000").c_str());
    EXPECT_EQ(L"Procentul introdus (12.500) se poate citi 12,5 sau 12500" + advice,
              NumberRefusal(NumberField::Percent, L"12.500").c_str());
    // Any other refused text keeps the field's own message.
    EXPECT_EQ(std::wstring(kAmountRefused), NumberRefusal(NumberField::Amount, L"5.0000x").c_str());
    EXPECT_EQ(std::wstring(kPriceRefused), NumberRefusal(NumberField::Price, L"1.2.3").c_str());
    EXPECT_EQ(std::wstring(kQuantityRefused), NumberRefusal(NumberField::Quantity, L"1.0001").c_str());
    EXPECT_EQ(std::wstring(kPercentRefused), NumberRefusal(NumberField::Percent, L"150").c_str());
}

// Every other form reads as it did, and what the program wrote itself
// ("5.000" from a three-decimal format) is read as written.
TEST(NumberText, OtherFormsReadAsBeforeAndTheProgramsOwnNumbersAsWritten)
{
    const struct {
        const wchar_t* text;
        Reader read;
        double expected;
    } cases[] = {
        {L"0.125", ParseQuantity, 0.125}, {L"45.50", ParseAmount, 45.5},      {L"1.5", ParsePrice, 1.5},
        {L"1.000,50", ParseAmount, 1000.5}, {L"1 234,56", ParseAmount, 1234.56}, {L"7.000,00", ParsePrice, 7000},
        {L"1000", ParseQuantity, 1000},   {L"1,250", ParseQuantity, 1.25},   {L"1.2500", ParseQuantity, 1.25},
        {L"1234.500", ParseAmount, 1234.5}, {L"0.500", ParsePercent, 0.5},   {L"1 000", ParseQuantity, 1000},
    };
    for (const auto& c : cases) {
        double value = -7;
        EXPECT_FALSE(IsAmbiguousNumber(c.text)) << testing_support::Narrow(c.text);
        EXPECT_TRUE(c.read(c.text, value)) << testing_support::Narrow(c.text);
        EXPECT_DOUBLE_EQ(c.expected, value) << testing_support::Narrow(c.text);
    }
    EXPECT_DOUBLE_EQ(5, StoredNumber(L"5.000"));
    EXPECT_DOUBLE_EQ(1.25, StoredNumber(L"1.250"));
    EXPECT_DOUBLE_EQ(-12.5, StoredNumber(L"-12.500"));
    EXPECT_DOUBLE_EQ(0.125, StoredNumber(L"0.125"));
    // A value the program computed past what anyone types.
    EXPECT_DOUBLE_EQ(-999999999989000064.0, StoredNumber(L"-999999999989000064.00"));
}

// A group mark stands before every three digits of the whole part, never
// before fewer: "1 23 456" and "12 3 456,5" are refused by every reader, not
// read as 123456 and 123456.5. A no-break space, as numbers pasted from other
// programs carry it, groups thousands as a blank does.
TEST(NumberText, AMisplacedGroupMarkIsRefusedAndANoBreakSpaceGroupsThousands)
{
    for (const wchar_t* text : {L"1 23 456", L"12 3 456,5", L"1.23.456", L"1,23,456.5", L"1\u00A023\u00A0456"}) {
        for (Reader read : kReaders) {
            double value = -7;
            EXPECT_FALSE(read(text, value)) << testing_support::Narrow(text);
            EXPECT_EQ(-7, value) << testing_support::Narrow(text);
        }
    }
    double value = 0;
    EXPECT_TRUE(ParseAmount(L"1\u00A0234,56", value));
    EXPECT_DOUBLE_EQ(1234.56, value);
    EXPECT_TRUE(ParseQuantity(L"-12\u00A0345\u00A0678,125", value));
    EXPECT_DOUBLE_EQ(-12345678.125, value);
    EXPECT_TRUE(ParsePrice(L"1 234 567,5", value));
    EXPECT_DOUBLE_EQ(1234567.5, value);
}
