#include "printing/receipts/MyChitantePrewiev.h"
#include "framework/gui/QImage.h"
#include "printing/layouts/PageContent.h"
#include "printing/preview/FittedScreenText.h"
#include "printing/preview/PreviewSupport.h"
#include "printing/preview/ScreenPage.h"

using micro::utils::QString;

namespace {

enum class Format { Title14, Bold9, Bold8, Normal8 };

struct ScreenRect {
    float left, top, right, bottom;
};

// The fifteen texts of the first copy: format and layout rectangle in models
// 3 and 1, then in model 2.
struct ScreenRow {
    Format format;
    ScreenRect halfPage;
    ScreenRect thirdPage;
};

const ScreenRow kScreenRows[kChitantaRows] = {
    {Format::Title14, {148, 110, 420, 120}, {200, 40, 420, 50}},
    {Format::Title14, {176, 130, 400, 140}, {230, 60, 400, 70}},
    {Format::Bold8, {15, 155, 500, 165}, {15, 72, 500, 82}},
    {Format::Normal8, {15, 165, 400, 175}, {15, 83, 400, 93}},
    {Format::Normal8, {15, 175, 400, 185}, {15, 93, 400, 103}},
    {Format::Normal8, {15, 185, 500, 195}, {15, 101, 500, 111}},
    {Format::Normal8, {15, 195, 400, 205}, {15, 109, 400, 119}},
    {Format::Bold8, {15, 210, 500, 220}, {15, 117, 500, 127}},
    {Format::Normal8, {15, 220, 400, 230}, {15, 128, 400, 138}},
    {Format::Normal8, {15, 230, 400, 240}, {15, 138, 400, 148}},
    {Format::Normal8, {15, 240, 500, 250}, {15, 146, 500, 156}},
    {Format::Normal8, {15, 250, 400, 260}, {15, 154, 400, 164}},
    {Format::Bold9, {15, 265, 500, 275}, {15, 165, 500, 175}},
    {Format::Bold8, {15, 280, 500, 290}, {15, 178, 500, 188}},
    {Format::Bold8, {310, 250, 420, 260}, {310, 152, 420, 162}},
};

// The two-copy page narrows two texts: the company name of the upper copy
// ends at 400 and the company address of the lower one at 300.
float RightEdge(int model, int copy, int row, float right)
{
    if (model != ChitantaTwoCopies)
        return right;
    if (copy == 0 && row == 3)
        return 400;
    if (copy == 1 && row == 6)
        return 300;
    return right;
}

const ScreenRect kLogo = {20, 20, 156, 70};
const ScreenRect kStampHalfPage = {320, 182, 378, 240};
const ScreenRect kStampThirdPage = {320, 84, 378, 142};

D2D1_RECT_F Moved(const ScreenRect& r, float dy)
{
    return D2D1::RectF(r.left, r.top + dy, r.right, r.bottom + dy);
}

// The copies' frames follow from the sheet: split at h, 10 apart, the right
// edge and the last bottom 10 in from the sheet's edges.
int CopiesOf(int model)
{
    return model == ChitantaThreeCopies ? 3 : model == ChitantaOneCopy ? 1 : 2;
}

float SplitHeight(int model)
{
    if (model == ChitantaThreeCopies)
        return static_cast<float>(static_cast<int>(kScreenPageHeight / 3 - 3));
    return static_cast<float>(static_cast<int>(kScreenPageHeight * 0.5f - 5));
}

D2D1_RECT_F FrameOf(int model, int copy)
{
    float h = SplitHeight(model);
    float right = kScreenPageWidth - 10;
    int copies = CopiesOf(model);
    float top = copy == 0 ? 10 : h * copy + 10;
    float bottom = copy + 1 < copies || copies == 1 ? h * (copy + 1) : kScreenPageHeight - 10;
    return D2D1::RectF(10, top, right, bottom);
}

} // namespace

std::vector<D2D1_RECT_F> ChitantaScreenFrames(int model)
{
    std::vector<D2D1_RECT_F> frames;
    for (int copy = 0; copy < CopiesOf(model); ++copy)
        frames.push_back(FrameOf(model, copy));
    return frames;
}

bool MyChitantePrewiev::DrawPage()
{
    ID2D1RenderTarget* target = Target();
    if (!target || !blackBrush || !whiteBrush)
        return true;
    target->FillRectangle(D2D1::RectF(0, 0, kScreenPageWidth, kScreenPageHeight), whiteBrush);
    int copies = CopiesOf(model);
    float h = SplitHeight(model);
    const ScreenRect& stamp = model == ChitantaThreeCopies ? kStampThirdPage : kStampHalfPage;
    for (const D2D1_RECT_F& frame : ChitantaScreenFrames(model))
        target->DrawRectangle(frame, blackBrush, ScreenRuleWidth(target));
    for (int copy = 0; copy < copies && logoBitmap; ++copy)
        target->DrawBitmap(logoBitmap, Moved(kLogo, h * copy), 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
    for (int copy = 0; copy < copies && stampBitmap; ++copy)
        target->DrawBitmap(stampBitmap, Moved(stamp, h * copy), 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
    for (int copy = 0; copy < copies; ++copy)
        DrawCopy(copy, h * copy);
    if (firstPaint) {
        AnimateZoomIn();
        firstPaint = 0;
    }
    return true;
}

void MyChitantePrewiev::DrawCopy(int copy, float dy)
{
    IDWriteTextFormat* formats[] = {formatTitle14, formatBold9, formatBold8, formatNormal8};
    for (int row = 1; row <= kChitantaRows; ++row) {
        const ScreenRow& r = kScreenRows[row - 1];
        ScreenRect box = model == ChitantaThreeCopies ? r.thirdPage : r.halfPage;
        box.right = RightEdge(model, copy, row, box.right);
        IDWriteTextFormat* format = formats[static_cast<int>(r.format)];
        if (!format)
            continue;
        // A line that would pass the frame (an amount in words, a long name) is
        // set smaller on one line that ends as far from the sheet's right edge
        // as the texts start from its left, as on paper.
        D2D1_RECT_F place = Moved(box, dy);
        ScreenTextRoom room{place.left, FrameOf(model, copy).right - kEdgeGap, kScreenPageWidth - 15};
        DrawTextWithin(Target(), format, blackBrush, ChitantaRowText(*this, row, ChitantaWording::Screen), place, room);
    }
}
