#pragma once
// windows.h first: TextOut is one of its macros, so every user of the class
// must see the same (macro-expanded) member name.
#include <windows.h>
#include <hpdf.h>

namespace micropdf {

// A thin drawing surface for one PDF page, over the Haru library. Callers give
// points measured from the top-left corner of the page (y grows downwards) and
// wide text; the writer flips y and encodes the text for the library.
//
// Calling order: construct, AddPage once, SetFont before the first
// SetFontSize, draw, SaveToFile once, destroy. Library failures are reported
// only to the error callback; a document that met one is refused by
// SaveToFile, which then writes nothing.
class MakePDF {
public:
    MakePDF();
    virtual ~MakePDF();
    MakePDF(const MakePDF&) = delete;
    MakePDF& operator=(const MakePDF&) = delete;

    // A 595 x 842 page with the font name at the current whole-number size.
    void AddPage();
    void SetFont(const char* name);
    // Applies the size to the current font; later SetFont/AddPage use its whole part.
    void SetFontSize(float size);
    void SetLineWidth(float width);
    void MoveTo(float x, float y);
    // Strokes the segment from the preceding MoveTo.
    void LineTo(float x, float y);
    // Strokes the outline of the box with corners (x1, y1) top-left and (x2, y2) bottom-right.
    void Rectangle(float x1, float y1, float x2, float y2);
    // One text object whose baseline starts at (x, y).
    void TextOut(const wchar_t* text, float x, float y);
    // The width in points the text takes in the current font and size.
    float TextWidth(const wchar_t* text);
    float GetFontSize();
    int GetPageWidth();
    int GetPageHeight();
    // Writes the document to the file named by the UTF-8 path; answers the
    // library's status: 0 when written, an error number otherwise (the file is
    // then left as it was).
    HPDF_STATUS SaveToFile(const char* path);

private:
    // The library's upward y for a top-down y on the current page.
    float FlipY(float y);

    HPDF_Doc document;
    HPDF_Page page;
    HPDF_Font font;
    const char* fontName;
    int fontSize;
    int pageHeight;
    int pageWidth;
};

} // namespace micropdf
