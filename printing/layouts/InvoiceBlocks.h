#pragma once
#include <cstddef>
#include "printing/layouts/PageContent.h"

// Blocks that the full invoice page and the invoice-with-receipt page share,
// on screen and on paper: the seller and buyer blocks, the item table's
// header, column numbers and columns, and the footer under the table
// (signature captions, expedition data, totals). The footer stands under a
// table ending at y 500 on the full page; the page with the receipt draws
// it 150 units higher.

// Screen format 6, printed font 7: most texts of the invoice pages.
constexpr TextStyle kBodyText{ScreenFont::F6, 7, false};
// Screen format 7.7, printed font 7: the item table's header and column numbers.
constexpr TextStyle kTableHeadText{ScreenFont::F7_7, 7, false};
// Screen format 7.7, printed font 9: series, number and dates under the title.
constexpr TextStyle kDocumentDataText{ScreenFont::F7_7, 9, false};

// Where the figures in and under the item table stand, between their rules:
// the value column with VAT and the net total under it, the VAT total beside
// it, and the totals column reaching to the frame (which the value column
// is without VAT).
constexpr Edges kValueEdges{320, 360, 320, 358};
constexpr Edges kVatTotalEdges{360, 426, 358, kInsetRight};
constexpr Edges kTotalsEdges{320, 426, 320, kInsetRight};

extern const Table<PageText> kSellerBlock;
extern const Table<PageText> kBuyerBlock;
// The header and column numbers shown whatever the VAT state, and those of a
// company that charges VAT; each page adds its own rows for the VAT-free state.
extern const Table<PageText> kItemTableHead;
extern const Table<ItemColumn> kInvoiceItemColumns;
// Captions, expedition data and totals common to both pages, at the full
// page's heights; the pages add the few rows whose wording differs.
extern const Table<PageText> kInvoiceFooter;

// The item table: names over this many characters take two lines.
const int kScreenLongName = 38;
const int kPrintLongName = 35;

// Series, number and dates under the title, at y 105, 115 and 125; pages with
// a two-line title draw them 7 lower.
extern const Table<PageText> kDocumentData;
