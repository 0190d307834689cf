#pragma once
#include <windows.h>
#include <vector>
#include "printing/layouts/PrintedItems.h"

// The printed document pages drawn on a device context of width x height
// device pixels (HORZRES x VERTRES of a printer, or any size for a metafile),
// with the item lines already read and cut to what the page holds and the
// page background's encoded picture (empty: none).

void DrawPrintedLayout1(HDC dc, int width, int height, const FacturaPrintJob& job,
                        const std::vector<PrintedItem>& items, const micro::utils::QBuffer& background);
void DrawPrintedLayout2(HDC dc, int width, int height, const FacturaPrintJob& job,
                        const std::vector<PrintedItem>& items, const micro::utils::QBuffer& background);
void DrawPrintedLayout3(HDC dc, int width, int height, const FacturaPrintJob& job,
                        const std::vector<PrintedItem>& items, const micro::utils::QBuffer& background);
// One sheet of a goods-received note: `sheet` from 0 of `sheets`, with the
// rows of that sheet.
void DrawPrintedNirSheet(HDC dc, int width, int height, const FacturaDate& doc,
                         const std::vector<PrintedItem>& rows, int sheet, int sheets);

// How many lines each printed table holds.
extern const RowRule kPrintedRowsLayout1;
extern const RowRule kPrintedRowsLayout2;
extern const RowRule kPrintedRowsLayout3;
// Rows of a goods-received note per sheet.
const int kNirRowsPerSheet = 31;

// What a sheet of a goods-received note holds, in printed page units, for the
// writers that draw it themselves (the PDF): its rules and texts, and its
// rows from firstRow down, rowStep apart, each cell at NirCellX.
struct NirSheet {
    std::vector<Table<PageRule>> rules;
    std::vector<Table<PageText>> texts;
    Table<ItemColumn> columns;
    float firstRow, rowStep;
};
NirSheet NirSheetTables(int sheet, int sheets);
// Sheets of a note of so many rows (one for an empty note).
int NirSheetsFor(size_t rows);
// Where a cell's text starts: the number and the name from their x, the
// figures left of it by one unit per character.
float NirCellX(const ItemColumn& column, const micro::utils::QString& text);
