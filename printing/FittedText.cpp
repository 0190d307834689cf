#include "printing/FittedText.h"
#include <algorithm>

using micro::utils::QString;

void FittedTextOut(HDC dc, const QString& text, int x, int y, int limit, int end, int pixels,
                   const FontOfHeight& fontOf)
{
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    HGDIOBJ original = nullptr;
    int room = end - x;
    SIZE size = {0, 0};
    if (room > 0 && GetTextExtentPoint32W(dc, text.c_str(), text.GetLength(), &size) && x + size.cx > limit) {
        // Glyphs do not narrow exactly with the height: measured again.
        for (int tries = 0; tries < 4 && pixels > 1 && size.cx > room; ++tries) {
            int fitting =
                std::max(1, std::min(pixels - 1, static_cast<int>(static_cast<long long>(pixels) * room / size.cx)));
            HFONT smaller = fontOf(fitting);
            if (!smaller)
                break;
            pixels = fitting;
            HGDIOBJ previous = SelectObject(dc, smaller);
            if (!original)
                original = previous;
            if (!GetTextExtentPoint32W(dc, text.c_str(), text.GetLength(), &size))
                break;
        }
    }
    TextOutW(dc, x, y, text.c_str(), text.GetLength());
    if (original)
        SelectObject(dc, original);
}
