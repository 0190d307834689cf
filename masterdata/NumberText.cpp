#include "masterdata/NumberText.h"
#include "framework/utils/QString.h"
#include <cmath>
#include <cwchar>

using micro::utils::QString;

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
    if (parsed > 2147483647ULL)
        return false;
    value = parsed;
    return true;
}

bool ParseQuantity(const wchar_t* text, double& value)
{
    QString number(text);
    number.Trim();
    if (number.IsEmpty()) {
        value = 0.0;
        return true;
    }
    int comma = number.Find(L',');
    if (comma >= 0 && number.Find(L'.') < 0) {
        number.Delete(comma, 1);
        number.Insert(comma, L".");
    }
    wchar_t* end = nullptr;
    double parsed = wcstod(number.c_str(), &end);
    if (end == number.c_str() || *end != 0 || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
