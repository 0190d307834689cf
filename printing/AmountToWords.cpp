#include "printing/AmountToWords.h"
#include <cmath>
#include <cstdio>
#include <cwchar>

using micro::utils::QString;

namespace {

const wchar_t* const kUnits[10] = {L" ", L"unu ", L"doi ", L"trei ", L"patru ", L"cinci ", L"sase ", L"sapte ",
                                   L"opt ", L"noua "};
const wchar_t* const kTens[10] = {L" ", L"zece ", L"douazeci", L"treizeci", L"patruzeci", L"cincizeci", L"saizeci",
                                  L"saptezeci", L"optzeci", L"nouazeci"};
const wchar_t* const kHundreds[10] = {L" ", L"una suta", L"doua sute", L"trei sute", L"patru sute", L"cinci sute",
                                      L"sase sute", L"sapte sute", L"opt sute", L"noua sute"};
const wchar_t* const kTeens[10] = {L"zece", L"unsprezece", L"doisprezece", L"treisprezece", L"patrusprezece",
                                   L"cincisprezece", L"saisprezece", L"saptisprezece", L"optisprezece",
                                   L"nouasprezece"};
const wchar_t* const kThousands[10] = {L" ", L"unu mii", L"doua mii", L"trei mii", L"patru mii", L"cinci mii",
                                       L"sase mii", L"sapte mii", L"opt mii", L"noua mii"};

const double kLargestAmount = 999999999.99;

// The text is built from its last word to its first: every piece goes in
// right after the leading blank, before everything put in earlier.
void Prepend(QString& text, const wchar_t* piece)
{
    text.Insert(1, piece);
}

// Two digits as words, last word first: the teens word, or the units word,
// " si " and the tens word.
void PrependTwoDigits(QString& text, unsigned tens, unsigned units)
{
    if (tens == 1) {
        Prepend(text, kTeens[units]);
        return;
    }
    Prepend(text, kUnits[units]);
    if (units != 0)
        Prepend(text, L" si ");
    Prepend(text, kTens[tens]);
}

void PrependBani(QString& text, unsigned bani)
{
    QString words(L" ");
    unsigned tens = bani / 10;
    unsigned units = bani % 10;
    if (tens == 0)
        Prepend(words, kUnits[units]);
    else if (tens == 1)
        Prepend(words, kTeens[units]);
    else {
        if (units > 0) {
            Prepend(words, kUnits[units]);
            Prepend(words, L" si ");
        }
        Prepend(words, kTens[tens]);
    }
    Prepend(text, L" bani ");
    Prepend(text, words);
    Prepend(text, L" si ");
}

// The millions; from twenty millions on the count is said in full, followed by
// " de milioane ".
void PrependMillions(QString& text, unsigned long long lei)
{
    unsigned long long millions = lei / 1000000ULL;
    unsigned d6 = static_cast<unsigned>(millions % 10);
    if (millions >= 20) {
        Prepend(text, L" de milioane ");
        PrependTwoDigits(text, static_cast<unsigned>((millions / 10) % 10), d6);
        if (millions >= 100) {
            Prepend(text, L" ");
            Prepend(text, kHundreds[millions / 100 % 10]);
        }
    } else if (millions >= 10) {
        Prepend(text, L" milioane ");
        Prepend(text, kTeens[d6]);
    } else if (d6 == 1)
        Prepend(text, L" un milion ");
    else if (d6 == 2)
        Prepend(text, L"doua milioane ");
    else {
        Prepend(text, L" milioane ");
        Prepend(text, kUnits[d6]);
    }
}

// The amount in whole bani as "%.2f" shows it.
unsigned long long RoundToBani(double amount)
{
    wchar_t figure[64];
    _snwprintf(figure, 63, L"%.2f", amount);
    figure[63] = 0;
    unsigned long long bani = 0;
    for (const wchar_t* p = figure; *p; ++p)
        if (*p >= L'0' && *p <= L'9')
            bani = bani * 10 + static_cast<unsigned>(*p - L'0');
    return bani;
}

} // namespace

QString AmountToWords(double amount)
{
    if (!std::isfinite(amount) || !(amount > 0))
        return QString();
    // An amount the words cannot tell is not told wrongly.
    if (amount > kLargestAmount)
        return QString();
    unsigned long long totalBani = RoundToBani(amount);
    if (totalBani == 0)
        return QString();
    const double a = static_cast<double>(totalBani) / 100.0;
    const unsigned long long n = totalBani / 100;
    const unsigned bani = static_cast<unsigned>(totalBani % 100);
    unsigned d[7];
    unsigned long long rest = n;
    for (unsigned& digit : d) {
        digit = static_cast<unsigned>(rest % 10);
        rest /= 10;
    }

    QString text(L" ");
    if (bani != 0)
        PrependBani(text, bani);
    if (n > 1)
        Prepend(text, L" lei");
    if (a < 10) {
        Prepend(text, n == 1 ? L" un leu" : kUnits[d[0]]);
        return text;
    }
    Prepend(text, L" ");
    PrependTwoDigits(text, d[1], d[0]);
    if (!(a > 99))
        return text;
    Prepend(text, L" ");
    Prepend(text, kHundreds[d[2]]);
    if (n >= 1000) {
        if (d[4] == 1) {
            Prepend(text, L" mii ");
            Prepend(text, kTeens[d[3]]);
        } else if (n < 2000)
            Prepend(text, L"una mie ");
        else {
            Prepend(text, L" ");
            Prepend(text, kThousands[d[3]]);
        }
    }
    if (!(a > 19000))
        return text;
    // Whole millions have no thousands to tell: " un milion  lei", not "un milion de mii".
    bool noThousands = n >= 1000000 && d[3] == 0 && d[4] == 0 && d[5] == 0;
    if (d[4] != 1 && !noThousands) {
        Prepend(text, d[3] == 0 ? L" de mii " : L" si ");
        Prepend(text, kTens[d[4]]);
    }
    if (a > 99999) {
        Prepend(text, L" ");
        Prepend(text, kHundreds[d[5]]);
    }
    if (n >= 1000000)
        PrependMillions(text, n);
    return text;
}

QString FormatAmountInWords(double amount)
{
    return AmountToWords(amount);
}
