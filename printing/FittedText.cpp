#include "printing/FittedText.h"
#include <algorithm>
#include <climits>

using micro::utils::QString;

namespace {

bool Extent(HDC dc, const QString& text, SIZE& size)
{
    return GetTextExtentPoint32W(dc, text.c_str(), text.GetLength(), &size) != FALSE;
}

// Whether a text `width` wide, standing at x, keeps within the room; and the
// width it may take where it does not.
bool Fits(int x, int width, TextAnchor anchor, const TextRoom& room, int& allowed)
{
    if (anchor == TextAnchor::Left) {
        allowed = room.end - x;
        return x + width <= room.limit;
    }
    long long half = std::min(static_cast<long long>(x) - room.left, static_cast<long long>(room.end) - x);
    allowed = static_cast<int>(std::max(0LL, std::min(2 * half, static_cast<long long>(INT_MAX))));
    return x - width / 2 >= room.left && x + (width - width / 2) <= room.limit;
}

} // namespace

void FittedTextOut(HDC dc, const QString& text, int x, int y, TextAnchor anchor, const TextRoom& room, int pixels,
                   const FontOfHeight& fontOf)
{
    if (anchor == TextAnchor::Left)
        x = std::max(x, room.left);
    HGDIOBJ original = nullptr;
    SIZE size = {0, 0};
    int allowed = 0;
    if (Extent(dc, text, size) && !Fits(x, size.cx, anchor, room, allowed) && allowed > 0) {
        // Glyphs do not narrow exactly with the height: measured again.
        for (int tries = 0; tries < 4 && pixels > 1 && size.cx > allowed; ++tries) {
            int fitting =
                std::max(1, std::min(pixels - 1, static_cast<int>(static_cast<long long>(pixels) * allowed / size.cx)));
            HFONT smaller = fontOf(fitting);
            if (!smaller)
                break;
            pixels = fitting;
            HGDIOBJ previous = SelectObject(dc, smaller);
            if (!original)
                original = previous;
            if (!Extent(dc, text, size))
                break;
        }
    }
    SetTextAlign(dc, anchor == TextAnchor::Centre ? (TA_CENTER | TA_TOP) : (TA_LEFT | TA_TOP));
    TextOutW(dc, x, y, text.c_str(), text.GetLength());
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    if (original)
        SelectObject(dc, original);
}
