#include "printing/pdf/PdfText.h"
#include <algorithm>

void TextOutWithin(micropdf::MakePDF& pdf, const wchar_t* text, float x, float y, const PdfTextRoom& room)
{
    x = std::max(x, room.left);
    float space = room.end - x;
    float width = pdf.TextWidth(text);
    if (!(x + width > room.limit) || space <= 0 || width <= 0) {
        pdf.TextOut(text, x, y);
        return;
    }
    float size = pdf.GetFontSize();
    pdf.SetFontSize(size * space / width);
    pdf.TextOut(text, x, y);
    pdf.SetFontSize(size);
}
