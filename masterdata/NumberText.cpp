#include "masterdata/NumberText.h"
#include "framework/utils/QString.h"
#include <cmath>
#include <cwchar>
#include <string>

using micro::utils::QString;

const wchar_t kAmountRefused[] = L"Suma introdusa nu este valida !\nIntroduceti un numar cu cel mult doua zecimale, "
                                 L"de cel mult 999 999 999,99 .";
const wchar_t kPriceRefused[] = L"Pretul introdus nu este valid !\nIntroduceti un numar cu cel mult doua zecimale, "
                                L"de cel mult 999 999 999,99 .";
const wchar_t kQuantityRefused[] = L"Cantitatea introdusa nu este valida !\nIntroduceti un numar cu cel mult trei "
                                   L"zecimale, de cel mult 999 999 999,999 .";
const wchar_t kPercentRefused[] = L"Procentul introdus nu este valid !\nIntroduceti un numar intre 0 si 100, cu cel "
                                  L"mult doua zecimale.";

const wchar_t kValueTooLarge[] = L"Valoarea rezultata depaseste 999 999 999,99 !";

namespace {

const int kMaxWholeDigits = 9;
// What the program wrote may be larger than anything typed (a quantity times
// a price, a sum of many lines): as many digits as a double's largest value.
const int kStoredWholeDigits = 309;

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == 0x00A0 || c == 0x202F;
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The decimal separator of a trimmed text without its sign: the last comma or
// point when both kinds appear, a lone one otherwise; 0 for none. False when
// the decimal kind appears twice (or a lone kind more than once).
bool DecimalSeparator(const std::wstring& text, wchar_t& separator)
{
    size_t comma = text.rfind(L','), point = text.rfind(L'.');
    separator = 0;
    if (comma == std::wstring::npos && point == std::wstring::npos)
        return true;
    if (comma == std::wstring::npos)
        separator = L'.';
    else if (point == std::wstring::npos)
        separator = L',';
    else
        separator = comma > point ? L',' : L'.';
    return text.find(separator) == text.rfind(separator);
}

// The whole part's digits: groups of three after every group mark.
bool WholeDigits(const std::wstring& whole, wchar_t separator, std::wstring& digits)
{
    int sinceMark = -1;
    for (wchar_t c : whole) {
        if (IsDigit(c)) {
            digits += c;
            if (sinceMark >= 0)
                ++sinceMark;
            continue;
        }
        bool mark = IsBlank(c) || ((c == L',' || c == L'.') && c != separator);
        if (!mark || digits.empty() || (sinceMark >= 0 && sinceMark != 3))
            return false;
        sinceMark = 0;
    }
    return sinceMark < 0 || sinceMark == 3;
}

// The parts of a text that reads two ways (see IsAmbiguousNumber): its sign,
// the digits before the point and the three after it. False for any other text.
bool SplitAmbiguous(const wchar_t* text, std::wstring& sign, std::wstring& whole, std::wstring& fraction)
{
    QString trimmed(text ? text : L"");
    trimmed.Trim();
    std::wstring number(trimmed.c_str());
    size_t start = !number.empty() && number[0] == L'-' ? 1 : 0;
    size_t point = number.find(L'.', start);
    if (point == std::wstring::npos || point == start || point - start > 3 || number.size() - point != 4 ||
        number[start] == L'0')
        return false;
    for (size_t i = start; i < number.size(); ++i)
        if (i != point && !IsDigit(number[i]))
            return false;
    sign = number.substr(0, start);
    whole = number.substr(start, point - start);
    fraction = number.substr(point + 1);
    return true;
}

// The reader without the two-way check: what the program wrote itself is
// read as it was written.
bool ReadDecimal(const wchar_t* text, int maxDecimals, int maxWholeDigits, double& value)
{
    QString trimmed(text ? text : L"");
    trimmed.Trim();
    std::wstring number(trimmed.c_str());
    bool negative = !number.empty() && number[0] == L'-';
    if (negative)
        number.erase(0, 1);
    wchar_t separator = 0;
    if (number.empty() || !DecimalSeparator(number, separator))
        return false;
    size_t at = separator ? number.find(separator) : number.size();
    std::wstring whole, fraction = separator ? number.substr(at + 1) : std::wstring();
    if (!WholeDigits(number.substr(0, at), separator, whole))
        return false;
    for (wchar_t c : fraction)
        if (!IsDigit(c))
            return false;
    if (whole.empty() && fraction.empty())
        return false;
    whole.erase(0, whole.find_first_not_of(L'0') == std::wstring::npos ? whole.size() : whole.find_first_not_of(L'0'));
    fraction.erase(fraction.find_last_not_of(L'0') + 1);
    if (static_cast<int>(whole.size()) > maxWholeDigits || static_cast<int>(fraction.size()) > maxDecimals)
        return false;
    // Only digits and one point reach the conversion.
    std::wstring plain = (whole.empty() ? L"0" : whole) + L"." + (fraction.empty() ? L"0" : fraction);
    double parsed = std::wcstod(plain.c_str(), nullptr);
    value = negative ? -parsed : parsed;
    return true;
}

} // namespace

bool IsAmbiguousNumber(const wchar_t* text)
{
    std::wstring sign, whole, fraction;
    return SplitAmbiguous(text, sign, whole, fraction);
}

bool ParseDecimal(const wchar_t* text, int maxDecimals, double& value)
{
    return !IsAmbiguousNumber(text) && ReadDecimal(text, maxDecimals, kMaxWholeDigits, value);
}

bool ParseAmount(const wchar_t* text, double& value)
{
    return ParseDecimal(text, 2, value);
}

bool ParsePrice(const wchar_t* text, double& value)
{
    return ParseDecimal(text, 2, value);
}

bool ParseQuantity(const wchar_t* text, double& value)
{
    return ParseDecimal(text, 3, value);
}

bool ParsePercent(const wchar_t* text, double& value)
{
    double parsed = 0.0;
    if (!ParseDecimal(text, 2, parsed) || parsed < 0.0 || parsed > 100.0)
        return false;
    value = parsed;
    return true;
}

QString NumberRefusal(NumberField field, const wchar_t* text)
{
    static const struct {
        const wchar_t* refused;
        const wchar_t* subject;
    } kFields[] = {{kAmountRefused, L"Suma introdusa"},
                   {kPriceRefused, L"Pretul introdus"},
                   {kQuantityRefused, L"Cantitatea introdusa"},
                   {kPercentRefused, L"Procentul introdus"}};
    const auto& kind = kFields[static_cast<int>(field)];
    std::wstring sign, whole, fraction;
    if (!SplitAmbiguous(text, sign, whole, fraction))
        return QString(kind.refused);
    // Both readings as a Romanian writes them: a decimal comma, no zeros after
    // the last decimal, no thousands mark.
    std::wstring decimals = fraction.substr(0, fraction.find_last_not_of(L'0') + 1);
    std::wstring asDecimals = sign + whole + (decimals.empty() ? L"" : L"," + decimals);
    std::wstring asThousands = sign + whole + fraction;
    return QString::Formatted(L"%s (%s%s.%s) se poate citi %s sau %s !\nScrieti zecimalele dupa virgula.",
                              kind.subject, sign.c_str(), whole.c_str(), fraction.c_str(), asDecimals.c_str(),
                              asThousands.c_str());
}

QString MoneyText(double value)
{
    long long bani = std::llround(value * 100.0);
    unsigned long long magnitude = static_cast<unsigned long long>(bani < 0 ? -bani : bani);
    return QString::Formatted(L"%s%llu.%02llu", bani < 0 ? L"-" : L"", magnitude / 100, magnitude % 100);
}

QString QuantityText(double value)
{
    // Past what llround can hold (no typed or summed quantity comes near) the
    // plain form stands.
    if (!(std::fabs(value) < 1e15))
        return QString::Formatted(L"%.2f", value);
    long long thousandths = std::llround(value * 1000.0);
    unsigned long long magnitude = static_cast<unsigned long long>(thousandths < 0 ? -thousandths : thousandths);
    const wchar_t* sign = thousandths < 0 ? L"-" : L"";
    unsigned long long whole = magnitude / 1000, fraction = magnitude % 1000;
    if (fraction % 10 == 0)
        return QString::Formatted(L"%s%llu.%02llu", sign, whole, fraction / 10);
    return QString::Formatted(L"%s%llu.%03llu", sign, whole, fraction);
}

double StoredNumber(const wchar_t* text)
{
    double value = 0.0;
    return ReadDecimal(text, 17, kStoredWholeDigits, value) ? value : 0.0;
}

bool ParseCounter(const wchar_t* text, unsigned long long& value)
{
    QString digits(text);
    digits.Trim();
    if (digits.IsEmpty() || digits.GetLength() > 10)
        return false;
    unsigned long long parsed = 0;
    for (int i = 0; i < digits.GetLength(); ++i) {
        if (digits[i] < L'0' || digits[i] > L'9')
            return false;
        parsed = parsed * 10 + static_cast<unsigned long long>(digits[i] - L'0');
    }
    if (parsed > kLargestCounter)
        return false;
    value = parsed;
    return true;
}
