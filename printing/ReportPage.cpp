#include "printing/ReportPage.h"
#include <algorithm>
#include <cwchar>
#include "framework/gui/QImage.h"
#include "printing/FittedText.h"
#include "printing/preview/FontFallback.h"

using micro::utils::QString;

uint32_t ReportPageCount(int rows, int rowsPerPage)
{
    if (rows <= 0 || rowsPerPage <= 0)
        return 1;
    return static_cast<uint32_t>((rows + rowsPerPage - 1) / rowsPerPage);
}

ReportPage::ReportPage(HDC dc, int width, int height)
    : W(width), H(height), sx(static_cast<float>(width) / kReportUnitsWide),
      sy(static_cast<float>(height) / kReportUnitsHigh), m_dc(dc), m_oldFont(nullptr), m_current{L"", 0, 0, false},
      m_currentPixels(0)
{
    margin = static_cast<int>(sy * 10);
    right = W - margin;
    bottom = H - margin;
    m_thick = CreatePen(PS_SOLID, static_cast<int>(sy * 0.5f), RGB(0, 0, 0));
    m_thin = CreatePen(PS_SOLID, static_cast<int>(sy * 0.2f), RGB(0, 0, 0));
    m_oldPen = SelectObject(dc, m_thick);
    m_oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    m_oldBkMode = SetBkMode(dc, TRANSPARENT);
    m_oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
}

ReportPage::~ReportPage()
{
    if (m_oldFont)
        SelectObject(m_dc, m_oldFont);
    for (const Font& f : m_fonts)
        DeleteObject(f.font);
    SelectObject(m_dc, m_oldBrush);
    SelectObject(m_dc, m_oldPen);
    SetBkMode(m_dc, m_oldBkMode);
    SetTextAlign(m_dc, m_oldAlign);
    DeleteObject(m_thick);
    DeleteObject(m_thin);
}

void ReportPage::UsePen(ReportPen pen)
{
    SelectObject(m_dc, pen == ReportPen::Thick ? m_thick : m_thin);
}

// Fonts differing only in height are one face.
static bool SameFace(const ReportFont& a, const ReportFont& b)
{
    return wcscmp(a.family, b.family) == 0 && a.weight == b.weight && a.italic == b.italic;
}

// GDI would quietly substitute a family that is not installed; resolving it
// as the previews do keeps screen, printer and metafile on the same face.
static HFONT CreateReportFont(const ReportFont& spec, int pixels)
{
    DWRITE_FONT_WEIGHT weight = static_cast<DWRITE_FONT_WEIGHT>(spec.weight ? spec.weight : FW_NORMAL);
    QString family(spec.family);
    micro::gui::QComPtr<IDWriteFactory> factory;
    if (SUCCEEDED(micro::gui::GetDWriteFactory(&factory)))
        family = ResolveFontFamily(factory, spec.family, weight);
    return CreateFontW(pixels, 0, 0, 0, static_cast<int>(weight), spec.italic, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, family.c_str());
}

HFONT ReportPage::FontOf(const ReportFont& spec, int pixels)
{
    for (const Font& f : m_fonts)
        if (f.pixels == pixels && SameFace(f.spec, spec))
            return f.font;
    HFONT font = CreateReportFont(spec, pixels);
    if (font)
        m_fonts.push_back(Font{spec, pixels, font});
    return font;
}

void ReportPage::UseFont(const ReportFont& spec)
{
    int pixels = static_cast<int>(spec.height * sy);
    HFONT font = FontOf(spec, pixels);
    if (!font)
        return;
    m_current = spec;
    m_currentPixels = pixels;
    HGDIOBJ old = SelectObject(m_dc, font);
    if (!m_oldFont)
        m_oldFont = old;
}

// Half a unit, so that a text kept inside a column stays off its rules (a
// thick rule is half a unit wide).
static int Clearance(float sx)
{
    return std::max(1, static_cast<int>(sx * 0.5f));
}

ReportSpan ReportPage::FrameSpan() const
{
    int gap = Clearance(sx);
    return ReportSpan{margin + gap, right - gap};
}

ReportSpan ReportPage::ColumnAt(const ReportRules& rules, float x) const
{
    int left = margin, end = right;
    for (int i = 0; i < rules.count; ++i) {
        if (rules.x[i] > x) {
            end = X(rules.x[i]);
            break;
        }
        left = X(rules.x[i]);
    }
    int gap = Clearance(sx);
    return ReportSpan{left + gap, end - gap};
}

int ReportPage::TextWidth(const QString& text) const
{
    SIZE size = {0, 0};
    GetTextExtentPoint32W(m_dc, text.c_str(), text.GetLength(), &size);
    return size.cx;
}

void ReportPage::TextAtPixels(int x, int y, const QString& text, const ReportSpan& within)
{
    if (m_currentPixels <= 0) {
        TextOutW(m_dc, std::max(x, within.left), y, text.c_str(), text.GetLength());
        return;
    }
    ReportFont face = m_current;
    FittedTextOut(m_dc, text, x, y, TextAnchor::Left, TextRoom{within.left, within.right, within.right},
                  m_currentPixels, [this, face](int pixels) { return FontOf(face, pixels); });
}

void ReportPage::TextAtPixels(int x, int y, const QString& text) { TextAtPixels(x, y, text, FrameSpan()); }

void ReportPage::Text(float x, float y, const QString& text) { TextAtPixels(X(x), Y(y), text); }

void ReportPage::TextEndingAtPixels(float end, int y, const QString& text, const ReportSpan& within)
{
    TextAtPixels(X(end - static_cast<float>(text.GetLength())), y, text, within);
}

void ReportPage::Line(int x1, int y1, int x2, int y2)
{
    MoveToEx(m_dc, x1, y1, nullptr);
    LineTo(m_dc, x2, y2);
}

void ReportPage::Rule(int y) { Line(margin, y, right, y); }

void ReportPage::Frame() { Rectangle(m_dc, margin, margin, right, bottom); }

bool PrintReport(HWND owner, PrintPageRange& pages, const std::function<void(ReportPage&, uint32_t)>& draw)
{
    if (pages.pageCount == 0)
        pages.pageCount = 1;
    PrintJob job(owner, pages);
    if (!job.IsOpen())
        return false;
    ReportPage page(job.GetDC(), job.GetWidth(), job.GetHeight());
    uint32_t last = pages.toPage < pages.pageCount ? pages.toPage : pages.pageCount;
    for (uint32_t p = pages.fromPage ? pages.fromPage : 1; p <= last; ++p) {
        if (!job.StartPage(p))
            return false;
        draw(page, p);
        if (!job.EndPage())
            return false;
    }
    return job.Finish();
}
