#include "printing/FittedText.h"
#include <algorithm>
#include <climits>

using micro::utils::QString;

namespace {

// The room a text needs beyond its measured width to keep its room on
// paper. The printer driver lays the glyphs out at the face's own widths for
// an em of whole pixels, where the device context measures each glyph hinted
// to whole pixels: printed, a text comes out wider than measured by up to
// half a pixel a character, and half a pixel for each em of its width, and a
// pixel where its ends fall.
int Clearance(HDC dc, int characters, int width)
{
    TEXTMETRICW metrics = {};
    int em = GetTextMetricsW(dc, &metrics) ? metrics.tmHeight - metrics.tmInternalLeading : 0;
    int perEm = em > 0 ? (width + 2 * em - 1) / (2 * em) : 0;
    return 1 + (characters + 1) / 2 + perEm;
}

// How wide the text stands on paper in the font selected, its clearance
// included (a centred text stays centred: half the clearance each side).
bool PrintedWidth(HDC dc, const QString& text, int& width)
{
    SIZE size = {0, 0};
    if (!GetTextExtentPoint32W(dc, text.c_str(), text.GetLength(), &size))
        return false;
    width = size.cx + Clearance(dc, text.GetLength(), size.cx);
    return true;
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

// Selects the font `height` pixels high, below `pixels` and at least 1, in
// place of the one selected; `original` keeps the first one to restore.
// False when no font comes.
bool SelectSmaller(HDC dc, long long height, int& pixels, const FontOfHeight& fontOf, HGDIOBJ& original)
{
    int fitting = static_cast<int>(std::max(1LL, std::min(static_cast<long long>(pixels) - 1, height)));
    HFONT smaller = fontOf(fitting);
    if (!smaller)
        return false;
    pixels = fitting;
    HGDIOBJ previous = SelectObject(dc, smaller);
    if (!original)
        original = previous;
    return true;
}

} // namespace

void FittedTextOut(HDC dc, const QString& text, int x, int y, TextAnchor anchor, const TextRoom& room, int pixels,
                   const FontOfHeight& fontOf)
{
    if (anchor == TextAnchor::Left)
        x = std::max(x, room.left);
    HGDIOBJ original = nullptr;
    int width = 0, allowed = 0;
    if (PrintedWidth(dc, text, width) && !Fits(x, width, anchor, room, allowed) && allowed > 0) {
        // Glyphs do not narrow exactly with the height: measured again.
        for (int tries = 0; tries < 4 && pixels > 1 && width > allowed; ++tries) {
            if (!SelectSmaller(dc, static_cast<long long>(pixels) * allowed / width, pixels, fontOf, original) ||
                !PrintedWidth(dc, text, width))
                break;
        }
    }
    SetTextAlign(dc, anchor == TextAnchor::Centre ? (TA_CENTER | TA_TOP) : (TA_LEFT | TA_TOP));
    TextOutW(dc, x, y, text.c_str(), text.GetLength());
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    if (original)
        SelectObject(dc, original);
}

namespace {

const UINT kWrapFormat = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX;

// The lines the text takes wrapped at `width` in the font selected, and the
// width of the widest (wider than `width` when a word is).
int WrappedLines(HDC dc, const QString& text, int width, int& widest)
{
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), text.GetLength(), &r, kWrapFormat | DT_CALCRECT);
    TEXTMETRICW metrics = {};
    int line = GetTextMetricsW(dc, &metrics) && metrics.tmHeight > 0 ? metrics.tmHeight : 1;
    widest = r.right - r.left;
    return (r.bottom - r.top + line - 1) / line;
}

} // namespace

void FittedDrawText(HDC dc, const QString& text, RECT box, int pixels, const FontOfHeight& fontOf)
{
    int width = static_cast<int>(box.right - box.left), widest = 0;
    int lines = std::max(1, WrappedLines(dc, text, width, widest));
    // Each line may come out wider on paper by the clearance of a full one.
    int perLine = (text.GetLength() + lines - 1) / lines;
    RECT narrowed = box;
    narrowed.right = std::max(box.left + 1, box.right - Clearance(dc, perLine, width));
    int room = static_cast<int>(narrowed.right - narrowed.left);
    HGDIOBJ original = nullptr;
    for (int tries = 0; tries < 4 && pixels > 1; ++tries) {
        if (WrappedLines(dc, text, room, widest) <= lines && widest <= room)
            break;
        if (!SelectSmaller(dc, static_cast<long long>(pixels) * room / std::max(width, widest), pixels, fontOf,
                           original))
            break;
    }
    // The lines break in the narrower box; the box itself still bounds what
    // shows, as DrawText's own clipping did: a line may come out wider than
    // measured into the clearance, not past the box.
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    DrawTextW(dc, text.c_str(), text.GetLength(), &narrowed, kWrapFormat | DT_NOCLIP);
    RestoreDC(dc, saved);
    if (original)
        SelectObject(dc, original);
}
