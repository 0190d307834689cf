#pragma once
#include <d2d1.h>
#include <dwrite.h>

// The page on screen is 436 x 609 device-independent pixels, origin top left.
const float kScreenPageWidth = 436.0f;
const float kScreenPageHeight = 609.0f;

// What a screen page draws with: the preview's render target (zoom and pan
// already set), its brushes, its text formats named by size, the page
// background chosen in the print dialog and the document's own bitmaps. Any
// bitmap may be null (not chosen, not stored, or not decodable).
struct ScreenPage {
    ID2D1RenderTarget* target;
    ID2D1SolidColorBrush* blackBrush;
    ID2D1SolidColorBrush* whiteBrush;
    ID2D1Bitmap* backgroundBitmap;
    ID2D1Bitmap* logoBitmap;
    ID2D1Bitmap* stampBitmap;
    IDWriteTextFormat* format14;
    IDWriteTextFormat* format16;
    IDWriteTextFormat* format12;
    IDWriteTextFormat* format7_7;
    IDWriteTextFormat* format6;      // the first size-6 format
    IDWriteTextFormat* format10;
    IDWriteTextFormat* format6b;     // the second size-6 format
};
