#include "cash/AmountToWordsUpperCase.h"
#include <cmath>
#include <string>

namespace {

const wchar_t* const kUnits[] = {L" ",      L"UNU ",  L"DOI ", L"TREI ", L"PATRU ",
                                 L"CINCI ", L"SASE ", L"SAPTE ", L"OPT ", L"NOUA "};
const wchar_t* const kTens[] = {L" ",         L"ZECE",    L"DOUAZECI",  L"TREIZECI", L"PATRUZECI",
                                L"CINCIZECI", L"SAIZECI", L"SAPTEZECI", L"OPTZECI",  L"NOUAZECI"};
const wchar_t* const kHundreds[] = {L" ",          L"UNA SUTA",  L"DOUA SUTE", L"TREI SUTE", L"PATRU SUTE",
                                    L"CINCI SUTE", L"SASE SUTE", L"SAPTE SUTE", L"OPT SUTE", L"NOUA SUTE"};
const wchar_t* const kThousands[] = {L" ",         L"UNU MII",  L"DOUA MII", L"TREI MII", L"PATRU MII",
                                     L"CINCI MII", L"SASE MII", L"SAPTE MII", L"OPT MII", L"NOUA MII"};
const wchar_t* const kTeens[] = {L"ZECE",          L"UNSPREZECE",  L"DOISPREZECE",   L"TREISPREZECE",
                                 L"PATRUSPREZECE", L"CINSPREZECE", L"SAISPREZECE",   L"SAPTISPREZECE",
                                 L"OPTISPREZECE",  L"NOUASPREZECE"};

// The words grow from the end towards the start: every piece goes in front of
// what is there, after the one leading blank.
class Words {
public:
    void Put(const wchar_t* piece) { m_text.insert(1, piece); }
    const std::wstring& Text() const { return m_text; }

private:
    std::wstring m_text = L" ";
};

void PutCents(Words& words, long long cents)
{
    wchar_t digits[] = {L' ', static_cast<wchar_t>(L'0' + cents / 10), static_cast<wchar_t>(L'0' + cents % 10), 0};
    words.Put(L" % ");
    words.Put(digits);
    words.Put(L" SI ");
}

// Twenty million and more: the count of millions is said as a number of its
// own, with "DE" before "MILIOANE" where the language puts it (a count whose
// last two digits are 00 or 20 and above).
void PutManyMillions(Words& words, unsigned long long millions)
{
    const int h = static_cast<int>(millions / 100 % 10), t = static_cast<int>(millions / 10 % 10),
              u = static_cast<int>(millions % 10);
    const unsigned long long last = millions % 100;
    words.Put(last == 0 || last >= 20 ? L" DE MILIOANE " : L" MILIOANE ");
    std::wstring said = h ? kHundreds[h] : L"";
    auto add = [&](const wchar_t* separator, const std::wstring& piece) {
        said += (said.empty() ? L"" : separator) + piece;
    };
    if (t == 1) {
        add(L" ", kTeens[u]);
    } else {
        if (t)
            add(L" ", kTens[t]);
        std::wstring unit = u == 2 ? L"DOUA" : kUnits[u];
        if (u)
            add(t ? L" SI " : L" ", unit.substr(0, unit.find_last_not_of(L' ') + 1));
    }
    words.Put(said.c_str());
}

// Every comparison is on whole lei: 999.50 has no thousands, 1 999 is
// "UNA MIE", exactly one million is named.
void PutLei(Words& words, unsigned long long lei)
{
    const unsigned long long M = lei / 10000000, m = (lei % 10000000) / 1000000, r = lei % 1000000;
    const int d5 = static_cast<int>(r / 100000), d4 = static_cast<int>(r % 100000 / 10000);
    const int d3 = static_cast<int>(r % 10000 / 1000), d2 = static_cast<int>(r % 1000 / 100);
    const int d1 = static_cast<int>(r % 100 / 10), d0 = static_cast<int>(r % 10);
    if (lei > 1)
        words.Put(L" LEI");
    if (lei < 10) {
        words.Put(lei == 1 ? L" UN LEU" : kUnits[d0]);
        return;
    }
    words.Put(L" ");
    if (d1 == 1) {
        words.Put(kTeens[d0]);
    } else {
        words.Put(kUnits[d0]);
        if (d0 != 0)
            words.Put(L" SI ");
        words.Put(kTens[d1]);
    }
    if (lei <= 99)
        return;
    words.Put(L" ");
    words.Put(kHundreds[d2]);
    if (lei > 999) {
        if (d4 == 1) {
            words.Put(L" MII ");
            words.Put(kTeens[d3]);
        } else if (lei <= 1999) {
            words.Put(L"UNA MIE ");
        } else {
            words.Put(L" ");
            words.Put(kThousands[d3]);
        }
    }
    if (lei <= 19000)
        return;
    // Ten to nineteen thousand were said with their "MII" above; a million
    // with no thousands has none to name.
    bool anyThousands = d5 != 0 || d4 != 0 || d3 != 0;
    if (d3 == 0 && d4 != 1 && anyThousands) {
        words.Put(L" DE MII ");
        words.Put(kTens[d4]);
    } else if (d3 != 0 && d4 != 1) {
        words.Put(L" SI ");
        words.Put(kTens[d4]);
    }
    if (lei > 99999) {
        words.Put(L" ");
        words.Put(kHundreds[d5]);
    }
    if (lei >= 1000000) {
        if (M == 0) {
            if (m == 1) {
                words.Put(L" UN MILION ");
            } else if (m == 2) {
                words.Put(L"DOUA MILIOANE ");
            } else {
                words.Put(L" MILIOANE ");
                words.Put(kUnits[m]);
            }
        } else if (M == 1) {
            words.Put(L" MILIOANE ");
            words.Put(kTeens[m % 10]);
        } else {
            PutManyMillions(words, lei / 1000000);
        }
    }
}

} // namespace

void AmountToWordsUpperCase(micro::utils::QString& sumaStr, double amount)
{
    // Split after rounding to bani, so 3.999 reads as 4 lei and no cents.
    long long bani = std::llround(amount * 100.0);
    if (!(amount > 0) || bani <= 0)
        return;
    Words words;
    if (bani % 100 != 0)
        PutCents(words, bani % 100);
    PutLei(words, static_cast<unsigned long long>(bani / 100));
    sumaStr = words.Text().c_str();
}
