#include "printing/pdf/PdfText.h"

void TextOutWithin(micropdf::MakePDF& pdf, const wchar_t* text, float x, float y, float right)
{
    float room = right - x;
    float width = pdf.TextWidth(text);
    if (!(x + width > static_cast<float>(pdf.GetPageWidth())) || room <= 0) {
        pdf.TextOut(text, x, y);
        return;
    }
    float size = pdf.GetFontSize();
    pdf.SetFontSize(size * room / width);
    pdf.TextOut(text, x, y);
    pdf.SetFontSize(size);
}
