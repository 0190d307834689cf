#include "printing/VatAndDiscount.h"
#include "database/Lookups.h"

const wchar_t* VatLabel(long long code)
{
    switch (code) {
    case 0: return L"24%";
    case 1: return L"9%";
    case 2: return L"5%";
    default: return L"0%";
    }
}

double VatMultiplier(long long code)
{
    // The lookup answers 0 for a code it does not know.
    double factor = VatFactorOfCode(code);
    return factor > 0.0 ? factor : 1.0;
}

int DiscountPercent(double price, double netValue)
{
    if (netValue + price == 0.0)
        return 0;
    float exact = static_cast<float>(price * 100.0 / (netValue + price));
    int whole = static_cast<int>(exact);
    if (exact - whole > 0.5f)
        ++whole;
    return whole;
}

int DiscountLinePercent(double quantity, double price, double netValue)
{
    return DiscountPercent(-quantity * price, netValue);
}

double LineVat(double value, long long code)
{
    return value * VatMultiplier(code) - value;
}
