#pragma once
#include <d2d1.h>
#include <dwrite.h>
#include "framework/utils/QString.h"

// Whether a text fits its place on a screen page is decided here, once for
// every preview page: a figure or a line that would pass the edge of its
// column or box is set smaller on one line, in the same face, rather than
// drawn over the next column or broken onto the line below.
//
// The room a text has on its line, in DIPs: a text whose one line would pass
// `limit` starts further left, as far as `left` where its box starts right of
// that, and is set smaller to end by `end` (end <= limit) only as much as
// that room needs. A room whose left is the box's own keeps the text's start.
struct ScreenTextRoom {
    float left;
    float limit;
    float end;
};

// The text is drawn as the pages draw every text: into its layout box from
// the box's top-left corner, with the brush, no clipping, natural measuring;
// when its one line would pass the room's limit, on that one line as above.
void DrawTextWithin(ID2D1RenderTarget* target, IDWriteTextFormat* format, ID2D1Brush* brush,
                    const micro::utils::QString& text, const D2D1_RECT_F& box, const ScreenTextRoom& room);
