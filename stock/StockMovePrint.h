#pragma once
#include <array>
#include <cstdint>
#include <vector>
#include "framework/utils/QString.h"
#include "printing/ReportPage.h"
#include "stock/ReportSupport.h"

const int kStockMoveRowsPerPage = 46;

// What the printed movement shows, as the editor's screen holds it.
struct StockMovePrintout {
    int kind = 0;
    unsigned long long number = 0;
    micro::utils::QString date;
    stock_reports::CompanyHeading company;
    // Per item row: NR, name, unit, quantity, unit price, value without VAT.
    std::vector<std::array<micro::utils::QString, 6>> rows;
};

// Page p (from 1) of the movement.
void DrawStockMovePage(ReportPage& page, const StockMovePrintout& doc, uint32_t p);
// Sets the page count and prints the range the user chooses.
bool PrintStockMoveDocument(HWND owner, PrintPageRange& pages, const StockMovePrintout& doc);
