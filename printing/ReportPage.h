#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <vector>
#include "framework/utils/QString.h"
#include "printing/PrintHelpers.h"

// The printed reports (a stock movement, the stock list, the ledgers) are laid
// out on a page 427 units wide and 602 high, stretched separately in x and y
// over the device's printable area.
const float kReportUnitsWide = 427.0f;
const float kReportUnitsHigh = 602.0f;

// Pages of a report of `rows` rows, `rowsPerPage` a page: at least one page,
// and no blank page after a full one.
uint32_t ReportPageCount(int rows, int rowsPerPage);

// The two pens of a report: the frame and the table's outline, and the thin
// rules between rows.
enum class ReportPen { Thick, Thin };

// A font of a report: a family asked by name (resolved to an installed family
// the way the page previews do), a height in vertical units, a weight.
struct ReportFont {
    const wchar_t* family;
    float height;
    int weight;
    bool italic;
};

// Where a text may run on a report's page, in pixels: between the rules
// either side of its column, or the frame's sides, less a clearance that
// keeps its characters off the lines.
struct ReportSpan {
    int left, right;
};

// The vertical rules of a table, in units from the left, in ascending order.
struct ReportRules {
    const float* x;
    int count;
};

// One page model over a device of width x height pixels (HORZRES, VERTRES;
// a metafile DC reports the screen, so the size comes from the caller). It
// owns its pens and fonts and leaves the DC as it found it.
class ReportPage {
public:
    ReportPage(HDC dc, int width, int height);
    ~ReportPage();
    ReportPage(const ReportPage&) = delete;
    ReportPage& operator=(const ReportPage&) = delete;

    HDC GetDC() const { return m_dc; }
    // Units to device pixels, truncated.
    int X(float units) const { return static_cast<int>(units * sx); }
    int Y(float units) const { return static_cast<int>(units * sy); }

    void UsePen(ReportPen pen);
    void UseFont(const ReportFont& font);

    // The inside of the frame.
    ReportSpan FrameSpan() const;
    // The column of `rules` that holds x units: from the rule before x to the
    // rule after it, the frame's sides where there is none.
    ReportSpan ColumnAt(const ReportRules& rules, float x) const;
    // How wide the text is in the font in use, in pixels.
    int TextWidth(const micro::utils::QString& text) const;

    // A text with its top left corner at (x, y) units or pixels, kept within
    // `within` (the frame when not given): one that would pass its right side
    // is set smaller (FittedTextOut), and one that would start left of it
    // starts there.
    void Text(float x, float y, const micro::utils::QString& text);
    void TextAtPixels(int x, int y, const micro::utils::QString& text);
    void TextAtPixels(int x, int y, const micro::utils::QString& text, const ReportSpan& within);
    // A number ending near `end` units: it starts one unit left of it per character.
    void TextEndingAtPixels(float end, int y, const micro::utils::QString& text, const ReportSpan& within);
    void Line(int x1, int y1, int x2, int y2);
    // A line across the page, from the left margin to the right edge, at y pixels.
    void Rule(int y);
    // The frame (margin, margin) to (right edge, bottom edge).
    void Frame();

    int W, H;     // the device's size in pixels
    float sx, sy; // pixels per unit
    int margin;   // trunc(10 * sy), on both axes
    int right;    // W - margin
    int bottom;   // H - margin

private:
    struct Font {
        ReportFont spec;
        int pixels;
        HFONT font;
    };
    // The font of the spec's family, weight and slant, `pixels` high; made
    // once and kept for the page's life.
    HFONT FontOf(const ReportFont& spec, int pixels);

    HDC m_dc;
    HPEN m_thick;
    HPEN m_thin;
    HGDIOBJ m_oldPen;
    HGDIOBJ m_oldFont;
    HGDIOBJ m_oldBrush;
    int m_oldBkMode;
    UINT m_oldAlign;
    std::vector<Font> m_fonts;
    ReportFont m_current;
    int m_currentPixels;
};

// Prints a report of pages.pageCount pages (the caller sets the count): the
// default printer set up (ConfigureDefaultPrinter), the print dialog over owner (or the test sink) chooses the range, then draw is
// called once per page of the range on one page model. The document is named
// "Dovodozi Printout". False when nothing was printed (cancelled, or the
// spooler refused); the job is aborted and its DC released on every exit.
bool PrintReport(HWND owner, PrintPageRange& pages, const std::function<void(ReportPage&, uint32_t page)>& draw);
