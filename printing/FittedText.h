#pragma once
#include <windows.h>
#include <functional>
#include "framework/utils/QString.h"

// Whether a text fits its place on a GDI page (printer or metafile) is decided
// here, once for every such page: a figure or name that would pass the edge of
// its column or box is set smaller, in the same face and weight, rather than
// cut or drawn over the next column.
//
// The text is drawn top-left aligned at (x, y) in the DC's selected font,
// `pixels` high. When it would pass `limit`, it is drawn with a smaller font,
// from `fontOf(height)` (a font the caller owns; null stops the shrinking),
// so that it ends by `end` (end <= limit). The selected font is restored; the
// text alignment is left at TA_LEFT | TA_TOP.
using FontOfHeight = std::function<HFONT(int pixels)>;
void FittedTextOut(HDC dc, const micro::utils::QString& text, int x, int y, int limit, int end, int pixels,
                   const FontOfHeight& fontOf);
