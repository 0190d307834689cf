#include "stock/StockRowValues.h"
#include "database/Lookups.h"
#include "masterdata/NumberText.h"

using micro::utils::QString;

double StockVatMultiplier(long long vatCode)
{
    double multiplier = VatFactorOfCode(vatCode);
    return multiplier > 0 ? multiplier : 1.0;
}

StockRowValues ComputeStockRow(double price, double quantity, long long vatCode)
{
    StockRowValues v;
    v.ft = price * quantity;
    v.tti = v.ft * StockVatMultiplier(vatCode);
    v.tva = v.tti - v.ft;
    return v;
}

StockRowCells StoredRowCells(int index, unsigned long long productId, double price, double quantity)
{
    StockRowCells row;
    QString* c = row.cells;
    c[0] = QString::Formatted(L"%d", index + 1);
    c[1] = QString::Formatted(L"%llu", productId);
    GetProductTextField(c[2], productId, 1);
    c[3] = QString::Formatted(L"%.2f", price);
    c[4] = QuantityText(quantity);
    GetProductTextField(c[5], productId, 6);
    c[6] = GetCurrencyName(GetProductIntField(productId, 1));
    StockRowValues v = ComputeStockRow(price, quantity, GetProductIntField(productId, 3));
    c[7] = QString::Formatted(L"%.2f", v.ft);
    c[8] = QString::Formatted(L"%.2f", v.tva);
    c[9] = QString::Formatted(L"%.2f", v.tti);
    return row;
}
