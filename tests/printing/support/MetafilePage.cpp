#include "tests/printing/support/MetafilePage.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

namespace layout_tests {

namespace {

struct FontInfo {
    int height, weight;
    std::wstring face;
};

const char kPageMark[] = "BRV-PAGE";

struct Reader {
    EmfPage page;
    // Where each marked page starts: its first text and stroke.
    std::vector<std::pair<size_t, size_t>> pageStarts;
    std::map<DWORD, FontInfo> fonts;
    FontInfo current{0, 0, L""};
    UINT align = TA_LEFT | TA_TOP;
    POINT position{0, 0};

    void Text(const EMREXTTEXTOUTW* r)
    {
        const wchar_t* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) + r->emrtext.offString);
        RECT bounds{r->rclBounds.left, r->rclBounds.top, r->rclBounds.right, r->rclBounds.bottom};
        page.texts.push_back(EmfText{std::wstring(chars, r->emrtext.nChars), r->emrtext.ptlReference.x,
                                     r->emrtext.ptlReference.y, (align & TA_CENTER) == TA_CENTER, current.height,
                                     current.weight, current.face, bounds});
    }

    void Record(const ENHMETARECORD* record)
    {
        switch (record->iType) {
        case EMR_EXTCREATEFONTINDIRECTW: {
            const EMREXTCREATEFONTINDIRECTW* r = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
            fonts[r->ihFont] = FontInfo{r->elfw.elfLogFont.lfHeight, r->elfw.elfLogFont.lfWeight, r->elfw.elfLogFont.lfFaceName};
            ++page.fontsCreated;
            ++page.objectsCreated;
            break;
        }
        case EMR_CREATEPEN: {
            const EMRCREATEPEN* r = reinterpret_cast<const EMRCREATEPEN*>(record);
            page.penWidths.push_back(r->lopn.lopnWidth.x);
            ++page.objectsCreated;
            break;
        }
        case EMR_EXTCREATEPEN: {
            const EMREXTCREATEPEN* r = reinterpret_cast<const EMREXTCREATEPEN*>(record);
            page.penWidths.push_back(static_cast<int>(r->elp.elpWidth));
            ++page.objectsCreated;
            break;
        }
        case EMR_SELECTOBJECT: {
            DWORD index = reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
            auto font = fonts.find(index);
            if (font != fonts.end())
                current = font->second;
            break;
        }
        case EMR_DELETEOBJECT:
            ++page.objectsDeleted;
            break;
        case EMR_SETTEXTALIGN:
            align = reinterpret_cast<const EMRSETTEXTALIGN*>(record)->iMode;
            break;
        case EMR_GDICOMMENT: {
            const EMRGDICOMMENT* r = reinterpret_cast<const EMRGDICOMMENT*>(record);
            if (r->cbData == sizeof(kPageMark) && memcmp(r->Data, kPageMark, sizeof(kPageMark)) == 0)
                pageStarts.push_back({page.texts.size(), page.strokes.size()});
            break;
        }
        case EMR_EXTTEXTOUTW:
            Text(reinterpret_cast<const EMREXTTEXTOUTW*>(record));
            break;
        case EMR_MOVETOEX:
            position = POINT{reinterpret_cast<const EMRMOVETOEX*>(record)->ptl.x,
                             reinterpret_cast<const EMRMOVETOEX*>(record)->ptl.y};
            break;
        case EMR_LINETO: {
            POINTL to = reinterpret_cast<const EMRLINETO*>(record)->ptl;
            page.strokes.push_back(EmfStroke{false, position.x, position.y, to.x, to.y});
            position = POINT{to.x, to.y};
            break;
        }
        case EMR_RECTANGLE: {
            RECTL box = reinterpret_cast<const EMRRECTANGLE*>(record)->rclBox;
            page.strokes.push_back(EmfStroke{true, box.left, box.top, box.right, box.bottom});
            break;
        }
        case EMR_BITBLT: {
            const EMRBITBLT* r = reinterpret_cast<const EMRBITBLT*>(record);
            page.pictures.push_back(EmfPicture{false, r->xDest, r->yDest, r->cxDest, r->cyDest});
            break;
        }
        case EMR_TRANSPARENTBLT: {
            const EMRTRANSPARENTBLT* r = reinterpret_cast<const EMRTRANSPARENTBLT*>(record);
            page.pictures.push_back(EmfPicture{true, r->xDest, r->yDest, r->cxDest, r->cyDest});
            break;
        }
        default:
            break;
        }
    }
};

int CALLBACK OnRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    reinterpret_cast<Reader*>(data)->Record(record);
    return 1;
}

} // namespace

const EmfText* EmfPage::Find(const std::wstring& text) const
{
    for (const EmfText& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

int EmfPage::Count(const std::wstring& text) const
{
    return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const EmfText& t) { return t.text == text; }));
}

std::vector<EmfText> EmfPage::StartingWith(const std::wstring& prefix) const
{
    std::vector<EmfText> out;
    for (const EmfText& t : texts)
        if (t.text.compare(0, prefix.size(), prefix) == 0)
            out.push_back(t);
    return out;
}

bool EmfPage::HasLine(int x1, int y1, int x2, int y2) const
{
    for (const EmfStroke& s : strokes)
        if (!s.frame && s.x1 == x1 && s.y1 == y1 && s.x2 == x2 && s.y2 == y2)
            return true;
    return false;
}

bool EmfPage::HasFrame(int left, int top, int right, int bottom) const
{
    for (const EmfStroke& s : strokes)
        if (s.frame && s.x1 == left && s.y1 == top && std::abs(s.x2 - right) <= 1 && std::abs(s.y2 - bottom) <= 1)
            return true;
    return false;
}

EmfPage ReadMetafile(HENHMETAFILE metafile)
{
    Reader reader;
    EnumEnhMetaFile(nullptr, metafile, OnRecord, &reader, nullptr);
    return reader.page;
}

std::vector<EmfPage> ReadMetafilePages(HENHMETAFILE metafile)
{
    Reader reader;
    EnumEnhMetaFile(nullptr, metafile, OnRecord, &reader, nullptr);
    std::vector<EmfPage> pages;
    const EmfPage& all = reader.page;
    for (size_t i = 0; i < reader.pageStarts.size(); ++i) {
        bool last = i + 1 == reader.pageStarts.size();
        size_t textEnd = last ? all.texts.size() : reader.pageStarts[i + 1].first;
        size_t strokeEnd = last ? all.strokes.size() : reader.pageStarts[i + 1].second;
        EmfPage page;
        page.texts.assign(all.texts.begin() + reader.pageStarts[i].first, all.texts.begin() + textEnd);
        page.strokes.assign(all.strokes.begin() + reader.pageStarts[i].second, all.strokes.begin() + strokeEnd);
        pages.push_back(page);
    }
    return pages;
}

MetafileSink::MetafileSink(int width, int height) : m_width(width), m_height(height)
{
    m_previous = SetPrintJobSink(this);
}

MetafileSink::~MetafileSink()
{
    SetPrintJobSink(m_previous);
}

HDC MetafileSink::OpenDevice(HWND, int& width, int& height)
{
    ++opened;
    if (cancel)
        return nullptr;
    width = m_width;
    height = m_height;
    return CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
}

void MetafileSink::ChoosePages(PrintPageRange& pages)
{
    pageCount = pages.pageCount;
    pages.fromPage = fromPage ? fromPage : 1;
    pages.toPage = toPage ? toPage : pages.pageCount;
}

void MetafileSink::PageStarts(HDC dc, uint32_t)
{
    GdiComment(dc, sizeof(kPageMark), reinterpret_cast<const BYTE*>(kPageMark));
}

void MetafileSink::CloseDevice(HDC dc, bool done)
{
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    (done ? printed : abandoned).push_back(ReadMetafile(metafile));
    if (done)
        printedPages.push_back(ReadMetafilePages(metafile));
    DeleteEnhMetaFile(metafile);
}

int RightEdge(const EmfText& text)
{
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontW(text.fontHeight, 0, 0, 0, text.fontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                             text.face.c_str());
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(screen, text.text.c_str(), static_cast<int>(text.text.size()), &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return text.x + size.cx;
}

} // namespace layout_tests
