#include "printing/layouts/PrintedPage.h"
#include <algorithm>
#include "framework/gui/QImage.h"
#include "printing/FittedText.h"

using micro::gui::QComPtr;
using micro::utils::QString;

PrintGrid::PrintGrid(int width, int height, float unitsHigh)
    : W(width), H(height), sx(static_cast<float>(width) / kPrintUnitsWide),
      sy(static_cast<float>(height) / unitsHigh)
{
    inset = static_cast<int>(sy * 10);
    half = static_cast<int>(H / 2.0f);
    copyBottom = static_cast<int>(H / 2.0f - static_cast<int>(inset / 2));
    copyShift = half - inset;
}

static int Resolve(const PrintGrid& g, const PrintCoord& c, float scale)
{
    switch (c.ref) {
    case Ref::Units: return static_cast<int>(c.v * scale);
    case Ref::FromRight: return static_cast<int>(g.W - c.v * g.sx);
    case Ref::FromRightSy: return static_cast<int>(g.W - c.v * g.sy);
    case Ref::FromBottom: return static_cast<int>(g.H - c.v * g.sy);
    case Ref::Inset: return g.inset;
    case Ref::InsetRight: return g.W - g.inset;
    case Ref::InsetBottom: return g.H - g.inset;
    case Ref::HalfLess: return static_cast<int>(c.v * g.sy - g.half);
    case Ref::HalfMore: return static_cast<int>(c.v * g.sy + g.half);
    case Ref::ShiftMore: return static_cast<int>(c.v * g.sy + g.copyShift);
    case Ref::PageCentre: return static_cast<int>(g.W * 0.5f - c.v * g.sx);
    case Ref::CopyBottom: return static_cast<int>(g.copyBottom + c.v * g.sy);
    }
    return 0;
}

int PrintGrid::X(const PrintCoord& c) const { return Resolve(*this, c, sx); }
int PrintGrid::Y(const PrintCoord& c) const { return Resolve(*this, c, sy); }

PrintedPage::PrintedPage(HDC dc, int width, int height, float unitsHigh, bool hollow)
    : m_dc(dc), m_grid(width, height, unitsHigh), m_oldBrush(nullptr), m_oldFont(nullptr), m_current{0, 0, nullptr}
{
    m_pen = CreatePen(PS_SOLID, static_cast<int>(m_grid.sy * 0.5f), RGB(0, 0, 0));
    m_oldPen = SelectObject(dc, m_pen);
    m_oldBkMode = GetBkMode(dc);
    m_oldAlign = GetTextAlign(dc);
    if (hollow) {
        m_oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        SetBkMode(dc, TRANSPARENT);
    }
}

PrintedPage::~PrintedPage()
{
    if (m_oldFont)
        SelectObject(m_dc, m_oldFont);
    for (const Font& f : m_fonts)
        DeleteObject(f.font);
    if (m_oldBrush)
        SelectObject(m_dc, m_oldBrush);
    SetBkMode(m_dc, m_oldBkMode);
    SetTextAlign(m_dc, m_oldAlign);
    SelectObject(m_dc, m_oldPen);
    DeleteObject(m_pen);
}

void PrintedPage::UseFont(float height, bool bold)
{
    int pixels = static_cast<int>(height * m_grid.sy);
    int weight = bold ? FW_BOLD : 0;
    HFONT font = FontOf(pixels, weight);
    if (!font)
        return;
    m_current = Font{pixels, weight, font};
    SelectFont(font);
}

// Made once for the page, deleted with it.
HFONT PrintedPage::FontOf(int pixels, int weight)
{
    for (const Font& f : m_fonts) {
        if (f.height == pixels && f.weight == weight)
            return f.font;
    }
    HFONT font = CreateFontW(pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial Rounded MT Bold");
    if (font)
        m_fonts.push_back(Font{pixels, weight, font});
    return font;
}

void PrintedPage::SelectFont(HFONT font)
{
    HGDIOBJ old = SelectObject(m_dc, font);
    if (!m_oldFont)
        m_oldFont = old;
}

void PrintedPage::TextAtPixels(const QString& text, int x, int y, Place place, int right, int left)
{
    TextAnchor anchor = place == Place::Centre ? TextAnchor::Centre : TextAnchor::Left;
    if (!m_current.font) {
        SetTextAlign(m_dc, anchor == TextAnchor::Centre ? (TA_CENTER | TA_TOP) : (TA_LEFT | TA_TOP));
        TextOutW(m_dc, x, y, text.c_str(), text.GetLength());
        SetTextAlign(m_dc, TA_LEFT | TA_TOP);
        return;
    }
    const PrintGrid& g = m_grid;
    int gap = g.Width(kEdgeGap);
    TextRoom room{g.inset + gap, g.W - g.inset - gap, g.W - g.inset - g.inset / 2};
    if (right >= 0)
        room.limit = room.end = right;
    if (left >= 0)
        room.left = left;
    int weight = m_current.weight;
    FittedTextOut(m_dc, text, x, y, anchor, room, m_current.height,
                  [this, weight](int pixels) { return FontOf(pixels, weight); });
}

void PrintedPage::EdgesAtPixels(const Edges& edges, int& left, int& right) const
{
    left = right = -1;
    if (!HasPrintedEdges(edges))
        return;
    int gap = m_grid.Width(kEdgeGap);
    left = m_grid.X(edges.printLeft) + gap;
    right = m_grid.X(edges.printRight) - gap;
}

void PrintedPage::Text(const QString& text, const PrintAt& at, int dy, const Edges& edges)
{
    const PrintGrid& g = m_grid;
    int left = -1, right = -1;
    EdgesAtPixels(edges, left, right);
    switch (at.place) {
    case Place::None:
        return;
    case Place::Left:
    case Place::Centre:
        TextAtPixels(text, g.X(at.x), g.Y(at.y) + dy, at.place, right, left);
        return;
    case Place::LeftLess: {
        PrintCoord x(at.x.v - text.GetLength(), at.x.ref);
        TextAtPixels(text, g.X(x), g.Y(at.y) + dy, Place::Left, right, left);
        return;
    }
    case Place::Wrap:
        WrapAtPixels(text, RECT{g.X(at.x), g.Y(at.y) + dy, g.X(at.right), g.Y(at.bottom) + dy});
        return;
    }
}

void PrintedPage::WrapAtPixels(const QString& text, RECT box)
{
    int weight = m_current.weight;
    FittedDrawText(m_dc, text, box, m_current.height, [this, weight](int pixels) { return FontOf(pixels, weight); });
}

void PrintedPage::LineAtPixels(int x1, int y1, int x2, int y2)
{
    MoveToEx(m_dc, x1, y1, nullptr);
    LineTo(m_dc, x2, y2);
}

void PrintedPage::FrameAtPixels(int left, int top, int right, int bottom)
{
    Rectangle(m_dc, left, top, right, bottom);
}

void PrintedPage::Line(Stroke stroke, const PrintLine& line)
{
    const PrintGrid& g = m_grid;
    if (stroke == Stroke::Frame)
        FrameAtPixels(g.X(line.x1), g.Y(line.y1), g.X(line.x2), g.Y(line.y2));
    else
        LineAtPixels(g.X(line.x1), g.Y(line.y1), g.X(line.x2), g.Y(line.y2));
}

static PrintCoord ShiftedDown(PrintCoord c, float shift)
{
    c.v += shift;
    return c;
}

void PrintedPage::Texts(const FacturaDate& doc, Table<PageText> texts, float shift)
{
    for (size_t i = 0; i < texts.count; ++i) {
        const PageText& t = texts.rows[i];
        if (!t.print || t.at.place == Place::None || !Shows(t.when, doc))
            continue;
        PrintAt at = t.at;
        at.y = ShiftedDown(at.y, shift);
        at.bottom = ShiftedDown(at.bottom, shift);
        UseFont(t.style.printHeight, t.style.bold);
        Text(FillPattern(PrintPattern(t), doc), at, 0, t.edges);
    }
}

void PrintedPage::Rules(const FacturaDate& doc, Table<PageRule> rules)
{
    for (size_t i = 0; i < rules.count; ++i) {
        if (Printed(rules.rows[i].print) && Shows(rules.rows[i].when, doc))
            Line(rules.rows[i].stroke, rules.rows[i].print);
    }
}

namespace {

// A memory DC compatible with the page's, released with its bitmap.
class MemoryBitmapDC {
public:
    MemoryBitmapDC(HDC page, HBITMAP bitmap) : m_dc(CreateCompatibleDC(page)), m_bitmap(bitmap), m_old(nullptr)
    {
        if (m_dc)
            m_old = SelectObject(m_dc, bitmap);
    }
    ~MemoryBitmapDC()
    {
        if (m_dc) {
            SelectObject(m_dc, m_old);
            DeleteDC(m_dc);
        }
        DeleteObject(m_bitmap);
    }
    MemoryBitmapDC(const MemoryBitmapDC&) = delete;
    MemoryBitmapDC& operator=(const MemoryBitmapDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

} // namespace

// A 24-bit copy of the picture: printers take no alpha channel.
static HBITMAP RgbCopy(HDC page, HDC picture, int w, int h)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(page, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!copy)
        return nullptr;
    HDC dc = CreateCompatibleDC(page);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, w, h, picture, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    GdiFlush();
    return copy;
}

// A transparent copy leaves out the pixels of the picture's colour at (1,1),
// so a stamp stands over the page background. (Wine's printer driver prints
// those pixels black; drivers on Windows leave them out.)
void PrintedPage::CopyPicture(IWICBitmapSource* source, const std::vector<Placement>& places)
{
    UINT w = 0, h = 0;
    source->GetSize(&w, &h);
    HBITMAP bitmap = nullptr;
    if (FAILED(micro::gui::CreateDibFromWicBitmap(source, &bitmap)) || !bitmap)
        return;
    MemoryBitmapDC memory(m_dc, bitmap);
    if (!memory.Get())
        return;
    COLORREF key = GetPixel(memory.Get(), 1, 1);
    HBITMAP rgb = RgbCopy(m_dc, memory.Get(), w, h);
    if (!rgb)
        return;
    MemoryBitmapDC picture(m_dc, rgb);
    for (const Placement& p : places) {
        // Copying more than the picture holds would paint the rest black.
        int cx = std::min<int>(p.w, w), cy = std::min<int>(p.h, h);
        if (p.copy == Copy::Transparent)
            TransparentBlt(m_dc, p.x, p.y, cx, cy, picture.Get(), 0, 0, cx, cy, key);
        else
            BitBlt(m_dc, p.x, p.y, cx, cy, picture.Get(), 0, 0, SRCCOPY);
    }
}

void PrintedPage::Picture(const micro::utils::QBuffer& bytes, int w, int h, const std::vector<Placement>& places)
{
    if (bytes.IsEmpty() || w <= 0 || h <= 0)
        return;
    QComPtr<IWICBitmapSource> source;
    if (FAILED(micro::gui::DecodeImageWithWic(bytes.GetData(), bytes.GetCount(), &source, w, h)) || !source)
        return;
    CopyPicture(source, places);
}
