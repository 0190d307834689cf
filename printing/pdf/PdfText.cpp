#include "printing/pdf/PdfText.h"

void TextOutWithin(micropdf::MakePDF& pdf, const wchar_t* text, float x, float y, float right, float edge)
{
    float room = right - x;
    float width = pdf.TextWidth(text);
    float limit = edge < 0 ? static_cast<float>(pdf.GetPageWidth()) : edge;
    if (!(x + width > limit) || room <= 0) {
        pdf.TextOut(text, x, y);
        return;
    }
    float size = pdf.GetFontSize();
    pdf.SetFontSize(size * room / width);
    pdf.TextOut(text, x, y);
    pdf.SetFontSize(size);
}
