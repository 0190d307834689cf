#include "printing/receipts/PrintChitanta.h"
#include <vector>
#include "printing/PrintHelpers.h"
#include "printing/layouts/PrintedPage.h"
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "resources/resource.h"

using micro::utils::QBuffer;
using micro::utils::QString;

namespace {

// A row's font: its height in page units, bold or regular; `fresh` rows
// select their font, the others keep the one before.
struct PrintedFont {
    bool fresh;
    float height;
    bool bold;
};

struct UnitPoint {
    float u, v;
};

// The fifteen texts of one copy: font, then the point (u, v) in models 1 and
// 3 and in model 2. In models 1 and 3 the first two stand at u units left of
// the page's middle.
struct PrintedRow {
    PrintedFont font;
    UnitPoint halfPage;
    UnitPoint thirdPage;
    bool fromMiddle;
};

const PrintedRow kPrintedRows[kChitantaRows] = {
    {{true, 15, true}, {70, 110}, {200, 40}, true},
    {{false, 15, true}, {42, 130}, {230, 60}, true},
    {{true, 9, true}, {15, 155}, {15, 72}, false},
    {{true, 9, false}, {15, 165}, {15, 82}, false},
    {{false, 9, false}, {15, 175}, {15, 92}, false},
    {{false, 9, false}, {15, 185}, {15, 101}, false},
    {{false, 9, false}, {15, 195}, {15, 109}, false},
    {{true, 9, true}, {15, 210}, {15, 117}, false},
    {{true, 9, false}, {15, 220}, {15, 128}, false},
    {{false, 9, false}, {15, 230}, {15, 138}, false},
    {{false, 9, false}, {15, 240}, {15, 148}, false},
    {{false, 9, false}, {15, 250}, {15, 156}, false},
    {{true, 11, true}, {15, 265}, {15, 165}, false},
    {{true, 9, true}, {15, 280}, {15, 178}, false},
    {{false, 9, true}, {310, 250}, {310, 152}, false},
};

const UnitPoint kLogoAt = {20, 20};
const UnitPoint kLogoSize = {136, 50};
const UnitPoint kStampHalfPage = {320, 182};
const UnitPoint kStampThirdPage = {320, 84};
const UnitPoint kStampSize = {58, 58};

// The copies' bands and frames in device pixels. The inset of 10 units
// scales by the vertical factor on every side.
struct Bands {
    std::vector<int> offsets;
    std::vector<RECT> frames;
};

Bands BandsOf(int model, const PrintGrid& g)
{
    int m = static_cast<int>(10 * g.sy);
    int r = static_cast<int>(g.W - 10 * g.sy);
    int bottom = static_cast<int>(g.H - 10 * g.sy);
    Bands b;
    if (model == ChitantaThreeCopies) {
        int third = static_cast<int>(g.H / 3.0f - 10 * g.sy / 3.0f);
        b.offsets = {0, third, third + third};
        b.frames = {RECT{m, m, r, third}, RECT{m, static_cast<int>(third + 10 * g.sy), r, third + third},
                    RECT{m, static_cast<int>(third + third + 10 * g.sy), r, bottom}};
        return b;
    }
    int half = static_cast<int>(g.H * 0.5f - 10 * g.sy * 0.5f);
    b.offsets = {0};
    b.frames = {RECT{m, m, r, half}};
    if (model == ChitantaTwoCopies) {
        b.offsets.push_back(half);
        b.frames.push_back(RECT{m, static_cast<int>(half + 10 * g.sy), r, bottom});
    }
    return b;
}

std::vector<PrintedPage::Placement> Places(const PrintGrid& g, const Bands& bands, UnitPoint at, int w, int h,
                                           PrintedPage::Copy copy)
{
    std::vector<PrintedPage::Placement> places;
    for (int offset : bands.offsets)
        places.push_back(PrintedPage::Placement{static_cast<int>(at.u * g.sx), static_cast<int>(at.v * g.sy + offset),
                                                w, h, copy});
    return places;
}

void DrawTexts(PrintedPage& page, int model, const ChitantaTexts& texts, int offset)
{
    const PrintGrid& g = page.Grid();
    for (int row = 1; row <= kChitantaRows; ++row) {
        const PrintedRow& r = kPrintedRows[row - 1];
        if (r.font.fresh)
            page.UseFont(r.font.height, r.font.bold);
        bool third = model == ChitantaThreeCopies;
        UnitPoint at = third ? r.thirdPage : r.halfPage;
        int x = r.fromMiddle && !third ? static_cast<int>(g.W * 0.5f - at.u * g.sx) : static_cast<int>(at.u * g.sx);
        int y = static_cast<int>(at.v * g.sy + offset);
        page.TextAtPixels(ChitantaRowText(texts, row, ChitantaWording::Paper), x, y, Place::Left);
    }
}

bool PrintChitanta(MyPrintChitanteDialog& dialog, int model)
{
    PrintJob job(dialog.GetItem(IDC_TIPARIRE_ZONA_PREVIZUALIZARE));
    if (!job.IsOpen())
        return false;
    DrawChitantaPage(job.GetDC(), job.GetWidth(), job.GetHeight(), model, dialog, dialog.logo, dialog.stampila);
    return job.Finish();
}

} // namespace

void DrawChitantaPage(HDC dc, int width, int height, int model, const ChitantaTexts& texts, const QBuffer& logo,
                      const QBuffer& stampila)
{
    // The receipt keeps the device's own brush and opaque text background.
    PrintedPage page(dc, width, height, kPrintUnitsHigh, false);
    const PrintGrid& g = page.Grid();
    Bands bands = BandsOf(model, g);
    for (const RECT& f : bands.frames)
        page.FrameAtPixels(f.left, f.top, f.right, f.bottom);

    int logoW = g.Width(kLogoSize.u), logoH = g.Height(kLogoSize.v);
    page.Picture(logo, logoW, logoH, Places(g, bands, kLogoAt, logoW, logoH, PrintedPage::Copy::Opaque));
    int stampW = g.Width(kStampSize.u), stampH = g.Height(kStampSize.v);
    UnitPoint stampAt = model == ChitantaThreeCopies ? kStampThirdPage : kStampHalfPage;
    page.Picture(stampila, stampW, stampH, Places(g, bands, stampAt, stampW, stampH, PrintedPage::Copy::Transparent));

    for (int offset : bands.offsets)
        DrawTexts(page, model, texts, offset);
}

bool PrintChitantaModel1(MyPrintChitanteDialog& dialog) { return PrintChitanta(dialog, ChitantaTwoCopies); }
bool PrintChitantaModel2(MyPrintChitanteDialog& dialog) { return PrintChitanta(dialog, ChitantaThreeCopies); }
bool PrintChitantaModel3(MyPrintChitanteDialog& dialog) { return PrintChitanta(dialog, ChitantaOneCopy); }
