#pragma once
#include <windows.h>
#include <wincodec.h>
#include <cstddef>
#include <vector>
#include "framework/utils/QBuffer.h"
#include "printing/layouts/PageContent.h"

// The grid a printed page is laid out on: 427 units wide and 605 (or 602)
// high, stretched separately in x and y over the printable area.
class PrintGrid {
public:
    PrintGrid(int width, int height, float unitsHigh);
    int X(const PrintCoord& c) const;
    int Y(const PrintCoord& c) const;
    // A width or height in units as device pixels.
    int Width(float units) const { return static_cast<int>(units * sx); }
    int Height(float units) const { return static_cast<int>(units * sy); }

    int W, H;        // HORZRES, VERTRES
    float sx, sy;    // pixels per unit
    int inset;       // trunc(10 * sy): the border inset on all four sides
    int half;        // trunc(H / 2)
    int copyBottom;  // trunc(H / 2 - trunc(inset / 2)): bottom of the upper copy
    int copyShift;   // half - inset: shift of the lower copy's header part
};

const float kPrintUnitsWide = 427.0f;
const float kPrintUnitsHigh = 605.0f;
const float kPrintUnitsHighTwoCopies = 602.0f;

// Drawing one printed page with GDI on a printer (or metafile) DC: a black
// pen half a unit wide, "Arial Rounded MT Bold" fonts made on demand, hollow
// frames over a transparent background (or the DC's own brush and opaque
// background). Everything it makes is deselected and deleted with it.
class PrintedPage {
public:
    PrintedPage(HDC dc, int width, int height, float unitsHigh, bool hollow = true);
    ~PrintedPage();
    PrintedPage(const PrintedPage&) = delete;
    PrintedPage& operator=(const PrintedPage&) = delete;

    HDC GetDC() const { return m_dc; }
    const PrintGrid& Grid() const { return m_grid; }

    // Selects the font N units high (bold: weight 700).
    void UseFont(float height, bool bold = false);
    // A text at its place, kept between its edges (without them inside the
    // frame); dy moves it down by that many device pixels.
    void Text(const micro::utils::QString& text, const PrintAt& at, int dy = 0, const Edges& edges = kNoEdges);
    void Line(Stroke stroke, const PrintLine& line);
    // Device-pixel forms. A text is kept between `left` and `right` (see
    // TextRoom); without them (-1) inside the frame, a text that would pass
    // the frame's side set smaller to end half the inset short of it.
    void TextAtPixels(const micro::utils::QString& text, int x, int y, Place place, int right = -1, int left = -1);
    // The edges in device pixels, kEdgeGap inside them; -1 for none.
    void EdgesAtPixels(const Edges& edges, int& left, int& right) const;
    void WrapAtPixels(const micro::utils::QString& text, RECT box);
    void LineAtPixels(int x1, int y1, int x2, int y2);
    void FrameAtPixels(int left, int top, int right, int bottom);

    // Every row of a table that shows for the record and is printed, moved
    // down by `shift` units (before scaling).
    void Texts(const FacturaDate& doc, Table<PageText> texts, float shift = 0);
    void Rules(const FacturaDate& doc, Table<PageRule> rules);

    // A picture decoded to w x h device pixels, then copied to each place:
    // opaquely (BitBlt of the place's size from the picture's corner, no more
    // than the picture holds), or transparently over blank paper (the pixels
    // of the scaled picture's colour at (1, 1) left white).
    // A picture that does not decode is skipped.
    enum class Copy { Opaque, Transparent };
    struct Placement {
        int x, y, w, h;
        Copy copy;
    };
    void Picture(const micro::utils::QBuffer& bytes, int w, int h, const std::vector<Placement>& places);

private:
    struct Font {
        int height;
        int weight;
        HFONT font;
    };
    HFONT FontOf(int pixels, int weight);
    void SelectFont(HFONT font);
    void CopyPicture(IWICBitmapSource* source, const std::vector<Placement>& places);

    HDC m_dc;
    PrintGrid m_grid;
    HPEN m_pen;
    HGDIOBJ m_oldPen;
    HGDIOBJ m_oldBrush;
    HGDIOBJ m_oldFont;
    int m_oldBkMode;
    UINT m_oldAlign;
    std::vector<Font> m_fonts;
    Font m_current;  // the one UseFont chose last
};
