#pragma once
#include <windows.h>
#include "framework/utils/QBuffer.h"
#include "printing/receipts/ChitantaTexts.h"

class MyPrintChitanteDialog;

// The receipt page of a model drawn with GDI on a device context of width x
// height device pixels (a printer's HORZRES x VERTRES, or any size for a
// metafile): the frames, the logo and stamp when their pictures decode, and
// the fifteen texts of each copy. Everything it makes is released before it
// returns.
void DrawChitantaPage(HDC dc, int width, int height, int model, const ChitantaTexts& texts,
                      const micro::utils::QBuffer& logo, const micro::utils::QBuffer& stampila);

// The dialog's receipt on the printer chosen in the system print dialog
// (owned by the dialog's preview area), one page of the model; the default
// printer is set to A4 and 3 copies first. A cancelled print dialog prints
// nothing. Answers whether the page went to the printer.
bool PrintChitantaModel1(MyPrintChitanteDialog& dialog);
bool PrintChitantaModel2(MyPrintChitanteDialog& dialog);
bool PrintChitantaModel3(MyPrintChitanteDialog& dialog);
