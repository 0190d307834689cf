#include "masterdata/PictureFile.h"
#include "framework/files/QFiles.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QImage.h"
#include <algorithm>
#include <cstring>

using micro::gui::QComPtr;

namespace {

unsigned Big16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
unsigned Big32(const unsigned char* p) { return (unsigned(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

bool PngSize(const unsigned char* bytes, int count, UINT& width, UINT& height)
{
    static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (count < 24 || memcmp(bytes, kSignature, 8) != 0 || memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    width = Big32(bytes + 16);
    height = Big32(bytes + 20);
    return true;
}

// Walks the JPEG markers up to the first start-of-frame, which holds the size.
bool JpegSize(const unsigned char* bytes, int count, UINT& width, UINT& height)
{
    if (count < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return false;
    int at = 2;
    while (at + 4 <= count) {
        if (bytes[at] != 0xFF)
            return false;
        unsigned char marker = bytes[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        unsigned length = Big16(bytes + at + 2);
        bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > count || length < 7)
                return false;
            height = Big16(bytes + at + 5);
            width = Big16(bytes + at + 7);
            return true;
        }
        if (length < 2)
            return false;
        at += 2 + static_cast<int>(length);
    }
    return false;
}

unsigned long long FileSize(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

bool ReadPictureSize(const unsigned char* bytes, int count, UINT& width, UINT& height)
{
    if (!bytes)
        return false;
    return PngSize(bytes, count, width, height) || JpegSize(bytes, count, width, height);
}

PictureCheck ReadPictureFile(const wchar_t* path, micro::utils::QBuffer& bytes)
{
    bytes.Clear();
    if (!micro::files::FileExists(path))
        return PictureCheck::Unreadable;
    if (FileSize(path) > kMaxPictureBytes)
        return PictureCheck::TooLarge;
    if (!micro::files::ReadWholeFile(path, bytes))
        return PictureCheck::Unreadable;
    UINT width = 0, height = 0;
    PictureCheck check = PictureCheck::Ok;
    if (!ReadPictureSize(bytes.GetData(), bytes.GetCount(), width, height) || width == 0 || height == 0)
        check = PictureCheck::NotAPicture;
    else if (static_cast<unsigned long long>(width) * height > kMaxPicturePixels)
        check = PictureCheck::TooLarge;
    if (check != PictureCheck::Ok)
        bytes.Clear();
    return check;
}

bool PicturePreview::Load(const unsigned char* bytes, int count, int boxWidth, int boxHeight)
{
    Clear();
    UINT width = 0, height = 0;
    if (!ReadPictureSize(bytes, count, width, height) || width == 0 || height == 0 || boxWidth <= 0 ||
        boxHeight <= 0 || static_cast<unsigned long long>(width) * height > kMaxPicturePixels)
        return false;
    // Fit inside the box, keeping the proportions; never enlarge.
    double scale = 1.0;
    if (width > static_cast<UINT>(boxWidth) || height > static_cast<UINT>(boxHeight))
        scale = std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
    UINT fitWidth = std::max(1u, static_cast<UINT>(width * scale));
    UINT fitHeight = std::max(1u, static_cast<UINT>(height * scale));
    QComPtr<IWICBitmapSource> source;
    if (FAILED(micro::gui::DecodeImageWithWic(bytes, count, &source, fitWidth, fitHeight)))
        return false;
    HBITMAP bitmap = nullptr;
    if (FAILED(micro::gui::CreateDibFromWicBitmap(source, &bitmap)) || !bitmap)
        return false;
    m_bitmap = bitmap;
    m_width = static_cast<int>(fitWidth);
    m_height = static_cast<int>(fitHeight);
    return true;
}

void PicturePreview::Clear()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_width = m_height = 0;
}

void PicturePreview::Draw(HDC dc, const RECT& box) const
{
    if (!m_bitmap)
        return;
    struct MemoryDc {
        HDC dc;
        explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
        ~MemoryDc() { if (dc) DeleteDC(dc); }
    } memory(dc);
    if (!memory.dc)
        return;
    micro::gui::QSelectObject select(memory.dc, m_bitmap, false);
    int x = box.left + ((box.right - box.left) - m_width) / 2;
    int y = box.top + ((box.bottom - box.top) - m_height) / 2;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, m_width, m_height, memory.dc, 0, 0, m_width, m_height, blend);
}
