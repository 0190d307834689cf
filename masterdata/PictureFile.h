#pragma once
#include <windows.h>
#include "framework/utils/QBuffer.h"

// Pictures the user picks for the company (logo, stamp, background): PNG or
// JPEG, kept whole in the database and printed from there, so a picture is
// checked before it is taken.

enum class PictureCheck { Ok, NotAPicture, TooLarge, Unreadable };

// Largest picture taken: bytes on disk, and pixels (a small file can still
// describe a picture that would take gigabytes to decode).
const unsigned long long kMaxPictureBytes = 5ULL * 1024 * 1024;
const unsigned long long kMaxPicturePixels = 4096ULL * 4096;

// The size a PNG or JPEG states in its header; false for any other content.
bool ReadPictureSize(const unsigned char* bytes, int count, UINT& width, UINT& height);

// Reads the file into bytes when it holds a PNG or JPEG within the limits.
PictureCheck ReadPictureFile(const wchar_t* path, micro::utils::QBuffer& bytes);

// A decoded copy of a picture fitted into a box, for showing; owns its bitmap.
class PicturePreview {
public:
    PicturePreview() : m_bitmap(nullptr), m_width(0), m_height(0) {}
    ~PicturePreview() { Clear(); }
    PicturePreview(const PicturePreview&) = delete;
    PicturePreview& operator=(const PicturePreview&) = delete;

    // Decodes the picture to fit width x height; false (and empty) when it
    // does not decode.
    bool Load(const unsigned char* bytes, int count, int width, int height);
    void Clear();
    bool IsEmpty() const { return m_bitmap == nullptr; }
    // Centred in the rectangle, over what is already drawn there.
    void Draw(HDC dc, const RECT& box) const;

private:
    HBITMAP m_bitmap;
    int m_width;
    int m_height;
};
