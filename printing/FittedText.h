#pragma once
#include <windows.h>
#include <functional>
#include "framework/utils/QString.h"

// Whether a text fits its place on a GDI page (printer or metafile) is decided
// here, once for every such page: a figure or name that would pass the edge of
// its column or box is set smaller, in the same face and weight, rather than
// cut or drawn over the next column. A text is measured as it comes out on
// paper, where the glyphs stand a little wider than the device context
// measures them, so that printed it keeps its room too.
using FontOfHeight = std::function<HFONT(int pixels)>;

// How a text stands at its x: starting there, or centred on it.
enum class TextAnchor { Left, Centre };

// The room a text has on its line, in device pixels. A left-set text starts
// no further left than `left` (one set from further left starts there); one
// that would pass `limit` is set smaller to end by `end` (end <= limit). A
// centred text stays centred on its x and is set smaller to keep within
// `left` and `end` where it would pass `left` or `limit`.
struct TextRoom {
    int left;
    int limit;
    int end;
};

// The text is drawn top-aligned at (x, y) in the DC's selected font, `pixels`
// high; a smaller font comes from `fontOf(height)` (a font the caller owns;
// null stops the shrinking). The selected font is restored; the text
// alignment is left at TA_LEFT | TA_TOP.
void FittedTextOut(HDC dc, const micro::utils::QString& text, int x, int y, TextAnchor anchor, const TextRoom& room,
                   int pixels, const FontOfHeight& fontOf);

// The text wrapped at words in its box as DrawText lays it out (top-aligned,
// names as typed: no & marks), kept inside the box as it comes out on paper:
// in a box narrower by the clearance of its lines where it takes no more
// lines there, otherwise set smaller until it does. A word wider than the box
// is set smaller too. The selected font is restored.
void FittedDrawText(HDC dc, const micro::utils::QString& text, RECT box, int pixels, const FontOfHeight& fontOf);
