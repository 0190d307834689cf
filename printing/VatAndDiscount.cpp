#include "printing/VatAndDiscount.h"
#include "cash/Settlement.h"
#include "database/Lookups.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

using micro::utils::QString;
using settlement::FromBani;
using settlement::ToBani;

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

QString PercentText(double percent)
{
    long long hundredths = std::llround(percent * 100.0);
    unsigned long long magnitude = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
    QString text = QString::Formatted(L"%s%llu", hundredths < 0 ? L"-" : L"", magnitude / 100);
    unsigned long long fraction = magnitude % 100;
    if (fraction != 0)
        text += fraction % 10 == 0 ? QString::Formatted(L",%llu", fraction / 10) : QString::Formatted(L",%02llu", fraction);
    return text;
}

double DiscountPercent(double price, double netValue)
{
    double before = netValue + FromBani(ToBani(price));
    if (before == 0.0)
        return 0.0;
    return static_cast<double>(std::llround(price * 100.0 / before * 100.0)) / 100.0;
}

double DiscountLinePercent(double quantity, double price, double netValue)
{
    return DiscountPercent(-quantity * price, netValue);
}

double LineVat(double value, long long code)
{
    return value * VatMultiplier(code) - value;
}

LineAmounts RoundedLine(double net, double vat)
{
    long long netBani = ToBani(net), vatBani = ToBani(vat);
    return {FromBani(netBani), FromBani(vatBani), FromBani(netBani + vatBani)};
}

LineAmounts LineAtRate(double net, long long code)
{
    return RoundedLine(net, LineVat(net, code));
}

DocumentTotals::DocumentTotals(double net, double vat, double gross)
    : m_net(ToBani(net)), m_vat(ToBani(vat)), m_gross(ToBani(gross))
{
}

void DocumentTotals::Add(const LineAmounts& line)
{
    m_net += ToBani(line.net);
    m_vat += ToBani(line.vat);
    m_gross += ToBani(line.gross);
}

double DocumentTotals::Net() const
{
    return FromBani(m_net);
}

double DocumentTotals::Vat() const
{
    return FromBani(m_vat);
}

double DocumentTotals::Gross() const
{
    return FromBani(m_gross);
}

bool DocumentTotals::operator==(const DocumentTotals& other) const
{
    return m_net == other.m_net && m_vat == other.m_vat && m_gross == other.m_gross;
}

long long DocumentTotals::Distance(const DocumentTotals& other) const
{
    return std::max({std::llabs(m_net - other.m_net), std::llabs(m_vat - other.m_vat),
                     std::llabs(m_gross - other.m_gross)});
}
