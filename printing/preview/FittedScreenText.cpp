#include "printing/preview/FittedScreenText.h"
#include <algorithm>
#include "framework/gui/QImage.h"

using micro::gui::QComPtr;
using micro::utils::QString;

namespace {

// The width of the layout's one line; 0 when it cannot be measured.
float LineWidth(IDWriteTextLayout* layout)
{
    DWRITE_TEXT_METRICS metrics = {};
    if (FAILED(layout->GetMetrics(&metrics)))
        return 0;
    return metrics.widthIncludingTrailingWhitespace;
}

} // namespace

void DrawTextWithin(ID2D1RenderTarget* target, IDWriteTextFormat* format, ID2D1Brush* brush, const QString& text,
                    const D2D1_RECT_F& box, const ScreenTextRoom& room)
{
    UINT32 length = static_cast<UINT32>(text.GetLength());
    QComPtr<IDWriteFactory> factory;
    QComPtr<IDWriteTextLayout> layout;
    float left = std::min(room.left, box.left);
    if (room.end > left && SUCCEEDED(micro::gui::GetDWriteFactory(&factory)) &&
        SUCCEEDED(factory->CreateTextLayout(text.c_str(), length, format, 100000.0f, box.bottom - box.top, &layout))) {
        layout->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
        float width = LineWidth(layout);
        if (box.left + width > room.limit) {
            float x = std::max(left, room.end - width);
            // Glyphs do not narrow exactly with the size: measured again.
            float size = format->GetFontSize();
            for (int tries = 0; tries < 3 && x + width > room.end; ++tries) {
                size *= (room.end - x) / width;
                layout->SetFontSize(size, DWRITE_TEXT_RANGE{0, length});
                width = LineWidth(layout);
            }
            target->DrawTextLayout(D2D1::Point2F(x, box.top), layout, brush);
            return;
        }
    }
    target->DrawText(text.c_str(), length, format, box, brush, D2D1_DRAW_TEXT_OPTIONS_NONE,
                     DWRITE_MEASURING_MODE_NATURAL);
}
