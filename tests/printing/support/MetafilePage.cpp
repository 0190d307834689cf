#include "tests/printing/support/MetafilePage.h"
#include <cstdlib>
#include <map>

namespace layout_tests {

namespace {

struct FontInfo {
    int height, weight;
    std::wstring face;
};

struct Reader {
    EmfPage page;
    std::map<DWORD, FontInfo> fonts;
    FontInfo current{0, 0, L""};
    UINT align = TA_LEFT | TA_TOP;
    POINT position{0, 0};

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
        case EMR_EXTTEXTOUTW: {
            const EMREXTTEXTOUTW* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
            const wchar_t* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) + r->emrtext.offString);
            page.texts.push_back(EmfText{std::wstring(chars, r->emrtext.nChars), r->emrtext.ptlReference.x,
                                         r->emrtext.ptlReference.y, (align & TA_CENTER) == TA_CENTER, current.height,
                                         current.weight, current.face});
            break;
        }
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

std::vector<EmfText> EmfPage::StartingWith(const std::wstring& prefix) const
{
    std::vector<EmfText> out;
    for (const EmfText& t : texts)
        if (t.text.compare(0, prefix.size(), prefix) == 0)
            out.push_back(t);
    return out;
}

const EmfText* EmfPage::Find(const std::wstring& text) const
{
    for (const EmfText& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

int EmfPage::Count(const std::wstring& text) const
{
    int n = 0;
    for (const EmfText& t : texts)
        n += t.text == text;
    return n;
}

bool EmfPage::HasLine(int x1, int y1, int x2, int y2, bool frame) const
{
    for (const EmfStroke& s : strokes)
        if (s.frame == frame && s.x1 == x1 && s.y1 == y1 && std::abs(s.x2 - x2) <= frame && std::abs(s.y2 - y2) <= frame)
            return true;
    return false;
}

static EmfPage ReadMetafile(HENHMETAFILE metafile)
{
    Reader reader;
    EnumEnhMetaFile(nullptr, metafile, OnRecord, &reader, nullptr);
    DeleteEnhMetaFile(metafile);
    return reader.page;
}

EmfPage MetafileCanvas::Finish()
{
    HDC dc = m_dc;
    m_dc = nullptr;
    return ReadMetafile(CloseEnhMetaFile(dc));
}

HDC MetafileSink::OpenDevice(HWND, int& width, int& height)
{
    ++opened;
    width = m_width;
    height = m_height;
    return cancel ? nullptr : CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
}

void MetafileSink::CloseDevice(HDC dc, bool done)
{
    (done ? printed : abandoned).push_back(ReadMetafile(CloseEnhMetaFile(dc)));
}

} // namespace layout_tests
