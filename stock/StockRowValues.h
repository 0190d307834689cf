#pragma once
#include "framework/utils/QString.h"

// The values of one movement row: without VAT, VAT, with VAT.
struct StockRowValues {
    double ft, tva, tti;
};
// The VAT multiplier of a product's VAT code; codes the product editor does
// not give count as no VAT.
double StockVatMultiplier(long long vatCode);
// Unit price x quantity, and VAT by the product's code.
StockRowValues ComputeStockRow(double price, double quantity, long long vatCode);

// The cells a movement row shows: 0 NR .. 9 value with VAT. The list of
// movements' details pane and the editor fill them the same way.
struct StockRowCells {
    micro::utils::QString cells[10];
};
// The cells of a stored row of product `productId`.
StockRowCells StoredRowCells(int index, unsigned long long productId, double price, double quantity);
