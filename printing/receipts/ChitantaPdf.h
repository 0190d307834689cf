#pragma once
#include "printing/pdf/MakePDF.h"
#include "printing/receipts/ChitantaTexts.h"

class MyPrintChitanteDialog;

// The receipt page of a model on the writer's A4 page: a frame per copy and
// the fifteen texts of each, in Helvetica; no logo or stamp.
void DrawChitantaPdf(micropdf::MakePDF& pdf, int model, const ChitantaTexts& texts);

// Writes the receipt page to the file. A failure shows "Error saving pdf
// file!" titled "Message" and answers false.
bool SaveChitantaPdf(const wchar_t* path, int model, const ChitantaTexts& texts);

// The dialog's receipt as a one-page PDF file chosen in the save dialog
// (".pdf" added when the name lacks it). True when written or when the user
// cancelled; false after the error box.
bool ExportChitantaPdfModel1(MyPrintChitanteDialog& dialog);
bool ExportChitantaPdfModel2(MyPrintChitanteDialog& dialog);
bool ExportChitantaPdfModel3(MyPrintChitanteDialog& dialog);
