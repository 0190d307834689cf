#pragma once
#include "framework/utils/QString.h"

// The page model of a receipt: how many copies share the A4 sheet.
enum ChitantaModel {
    ChitantaTwoCopies = 1,    // two receipts, one in each half
    ChitantaThreeCopies = 2,  // three receipts, one in each third
    ChitantaOneCopy = 3,    // one receipt in the upper half
};

// The receipt's data as texts. The print dialog fills them and copies them
// into its preview; the screen page, the printer and the PDF draw from them.
struct ChitantaTexts {
    micro::utils::QString facturi;        // the paid invoice number(s)
    micro::utils::QString serieFacturi;   // invoice series
    micro::utils::QString data;           // the receipt date, "%d-%m-%Y"
    micro::utils::QString clientNume;
    micro::utils::QString clientNrReg;
    micro::utils::QString clientCod;      // fiscal code
    micro::utils::QString clientAdresa;
    micro::utils::QString clientOras;
    micro::utils::QString numar;          // the receipt number
    micro::utils::QString serieChit;      // receipt series
    micro::utils::QString suma;           // the amount, "%.2f"
    micro::utils::QString firmaDenumire;
    micro::utils::QString firmaNrReg;
    micro::utils::QString firmaCui;
    micro::utils::QString firmaAdresa;
    micro::utils::QString firmaOras;
    micro::utils::QString sumaInLitere;   // the amount in words
};

// A receipt shows fifteen texts, numbered 1 to 15; the screen words a few
// labels differently from paper (the PDF says what paper says).
const int kChitantaRows = 15;
enum class ChitantaWording { Screen, Paper };

// Row `row` (1..15) of the receipt: its label followed by the data.
micro::utils::QString ChitantaRowText(const ChitantaTexts& texts, int row, ChitantaWording wording);
