#include "printing/ReportPage.h"
#include <cwchar>
#include "framework/gui/QImage.h"
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
      sy(static_cast<float>(height) / kReportUnitsHigh), m_dc(dc), m_oldFont(nullptr)
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

static bool SameFont(const ReportFont& a, const ReportFont& b)
{
    return wcscmp(a.family, b.family) == 0 && a.height == b.height && a.weight == b.weight && a.italic == b.italic;
}

// GDI would quietly substitute a family that is not installed; resolving it
// as the previews do keeps screen, printer and metafile on the same face.
static HFONT CreateReportFont(const ReportFont& spec, float sy)
{
    DWRITE_FONT_WEIGHT weight = static_cast<DWRITE_FONT_WEIGHT>(spec.weight ? spec.weight : FW_NORMAL);
    QString family(spec.family);
    micro::gui::QComPtr<IDWriteFactory> factory;
    if (SUCCEEDED(micro::gui::GetDWriteFactory(&factory)))
        family = ResolveFontFamily(factory, spec.family, weight);
    return CreateFontW(static_cast<int>(spec.height * sy), 0, 0, 0, static_cast<int>(weight), spec.italic, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       family.c_str());
}

void ReportPage::UseFont(const ReportFont& spec)
{
    HFONT font = nullptr;
    for (const Font& f : m_fonts)
        if (SameFont(f.spec, spec))
            font = f.font;
    if (!font) {
        font = CreateReportFont(spec, sy);
        if (!font)
            return;
        m_fonts.push_back(Font{spec, font});
    }
    HGDIOBJ old = SelectObject(m_dc, font);
    if (!m_oldFont)
        m_oldFont = old;
}

void ReportPage::TextAtPixels(int x, int y, const QString& text)
{
    TextOutW(m_dc, x, y, text.c_str(), text.GetLength());
}

void ReportPage::Text(float x, float y, const QString& text) { TextAtPixels(X(x), Y(y), text); }

void ReportPage::TextEndingAtPixels(float end, int y, const QString& text)
{
    TextAtPixels(X(end - static_cast<float>(text.GetLength())), y, text);
}

void ReportPage::TextEndingAt(float end, float y, const QString& text) { TextEndingAtPixels(end, Y(y), text); }

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
