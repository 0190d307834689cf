// The widest figures a user can store, on the screen pages: each figure's
// ink (what the page loses when the figure is taken off, drawn at zoom 2)
// lies inside its places: between its column's rules on the first line of
// each row (the rows take two lines, so a figure broken onto a second one
// shows), or inside the box or frame it stands in. The pages are saved in
// test-out/ to be looked at.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include "printing/layouts/ScreenLayouts.h"
#include "printing/receipts/MyChitantePrewiev.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/Screenshot.h"
#include "tests/printing/figures/LargestFigures.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/ScreenText.h"

using namespace figures_tests;
using micro::utils::QString;

namespace {

const float kZoom = 2;

// A place on the page, in DIPs.
struct Area {
    float left, top, right, bottom;
};

// A figure: the texts that make it, taken off together, and its places.
struct Figure {
    std::string name;
    std::vector<QString*> texts;
    std::vector<Area> places;
};

// Where the ink that differs between two drawings of the page falls outside
// every place (or on a place's side columns, its rules'), or misses a
// place, described; empty when it lies inside them, some in each.
std::string InkOutside(const std::vector<unsigned>& with, const std::vector<unsigned>& without,
                       const std::vector<Area>& places, unsigned width)
{
    if (with.empty() || with.size() != without.size())
        return "the page was not drawn";
    std::vector<int> inside(places.size(), 0);
    std::string found;
    for (size_t i = 0; i < with.size(); ++i) {
        if (with[i] == without[i])
            continue;
        float x = static_cast<float>(i % width), y = static_cast<float>(i / width);
        size_t p = 0;
        while (p < places.size() && !(x >= places[p].left * kZoom + 1 && x < places[p].right * kZoom - 1 &&
                                      y >= places[p].top * kZoom && y < places[p].bottom * kZoom))
            ++p;
        if (p < places.size())
            ++inside[p];
        else if (found.empty())
            found = "ink outside at (" + std::to_string(x / kZoom) + ", " + std::to_string(y / kZoom) + ")\n";
    }
    for (size_t p = 0; p < places.size(); ++p)
        if (!inside[p])
            found += "nothing drawn in place " + std::to_string(p) + "\n";
    return found;
}

// Each figure taken off in turn and put back; `draw` draws on the canvas.
void ExpectFiguresInside(const layout_tests::ScreenCanvas& canvas, const std::function<std::vector<unsigned>()>& draw,
                         const std::vector<Figure>& figures, const std::wstring& page)
{
    std::vector<unsigned> full = draw();
    testing_support::SavePixelsPng(full.data(), canvas.Width(), canvas.Height(), canvas.Width() * 4, L"largest-" + page);
    for (const Figure& figure : figures) {
        std::vector<QString> kept;
        for (QString* text : figure.texts) {
            kept.push_back(*text);
            *text = QString();
        }
        EXPECT_EQ("", InkOutside(full, draw(), figure.places, canvas.Width()))
            << testing_support::Narrow(page) << ": " << figure.name;
        for (size_t i = 0; i < kept.size(); ++i)
            *figure.texts[i] = kept[i];
    }
}

// An invoice page's figures: the item columns, and the totals and numbers.
struct Column {
    const char* name;
    QString ItemFactura::*field;
    float left, right;
};
struct Total {
    const char* name;
    std::vector<QString FacturaDate::*> fields;
    std::vector<Area> places;
};
struct InvoicePage {
    void (*draw)(const ScreenPage&, const FacturaDate&);
    std::vector<float> firstRows;  // one per copy
    int longName;                  // a longer name takes two lines
    std::vector<Column> columns;
    std::vector<Total> totals;
};

std::vector<Figure> FiguresOf(const InvoicePage& page, FacturaDate& doc)
{
    std::vector<Figure> figures;
    for (const Column& column : page.columns) {
        Figure figure{column.name, {}, {}};
        for (int row = 0; row < doc.items.GetCount(); ++row)
            figure.texts.push_back(&(doc.items.GetAt(row)->*column.field));
        for (float top : page.firstRows) {
            for (int row = 0; row < doc.items.GetCount(); ++row) {
                figure.places.push_back(Area{column.left, top, column.right, top + 10});
                top += doc.items.GetAt(row)->denumire.GetLength() > page.longName ? 20 : 10;
            }
        }
        figures.push_back(figure);
    }
    for (const Total& total : page.totals) {
        Figure figure{total.name, {}, {}};
        for (QString FacturaDate::*field : total.fields)
            figure.texts.push_back(&(doc.*field));
        figure.places = total.places;
        figures.push_back(figure);
    }
    return figures;
}

std::vector<Column> Columns(bool vat)
{
    if (!vat)
        return {{"quantity", &ItemFactura::cantitate, 220, 270},
                {"price", &ItemFactura::pretUnitar, 270, 320},
                {"value", &ItemFactura::valoare, 320, 426}};
    return {{"quantity", &ItemFactura::cantitate, 220, 270}, {"price", &ItemFactura::pretUnitar, 270, 320},
            {"value", &ItemFactura::valoare, 320, 360},      {"VAT", &ItemFactura::valoareTVA, 360, 400},
            {"rate", &ItemFactura::cotaTVA, 400, 426}};
}

// A line `height` high from each top, between left and right.
std::vector<Area> Lines(float left, float right, std::vector<float> tops, float height = 10)
{
    std::vector<Area> lines;
    for (float top : tops)
        lines.push_back(Area{left, top, right, top + height});
    return lines;
}

// The totals (net, VAT, with VAT) at their tops, and the number in the title box.
std::vector<Total> Totals(bool vat, std::vector<float> net, std::vector<float> total, std::vector<float> number)
{
    std::vector<Total> totals = {{"number", {&FacturaDate::numar}, Lines(150, 286, number)},
                                 {"total", {&FacturaDate::valoareTTI}, Lines(320, 426, total)},
                                 {"net total", {&FacturaDate::valoareFT}, Lines(320, vat ? 360.0f : 426.0f, net)}};
    if (vat)
        totals.push_back({"VAT total", {&FacturaDate::valoareTVA}, Lines(360, 426, net)});
    return totals;
}

InvoicePage Layout1(bool vat)
{
    return {DrawFacturaLayout1, {187}, 38, Columns(vat), Totals(vat, {520}, {575}, {105})};
}

InvoicePage Layout2(bool vat)
{
    InvoicePage page{DrawFacturaLayout2, {187}, 38, Columns(vat), Totals(vat, {370}, {425}, {105})};
    // The receipt: its sum, its number, and the invoice's number again.
    page.totals[0].places.push_back(Area{10, 585, 426, 595});
    page.totals.push_back(
        {"receipt sum", {&FacturaDate::chitantaSuma, &FacturaDate::chitantaSumaInLitere}, Lines(10, 426, {572})});
    page.totals.push_back({"receipt number", {&FacturaDate::chitantaNumar}, Lines(10, 426, {480}, 18)});
    return page;
}

InvoicePage Layout3(bool vat)
{
    return {DrawFacturaLayout3, {152, 451}, 41, Columns(vat), Totals(vat, {223.5f, 520}, {269.5f, 575}, {82, 381.5f})};
}

class FiguresOnScreen : public testing_support::DatabaseTest {
protected:
    // The return invoice (its figures the widest) with VAT and without; the
    // invoice's receipt too where its positive total, in words, is the
    // longest (its other figures are the return's, narrower).
    void Check(InvoicePage (*page)(bool), const std::wstring& name, bool invoiceToo = false)
    {
        for (int vatCode : {0, 3}) {
            layout_tests::SetCompany(tempDb, vatCode);
            Check(page(vatCode == 0), AddLargestReturnInvoice(tempDb), name + L"-" + std::to_wstring(vatCode));
        }
        if (invoiceToo)
            Check(page(false), AddLargestInvoice(tempDb), name + L"-invoice", "receipt");
    }
    // The figures whose names start with `only`, or all.
    void Check(const InvoicePage& page, const LargestDocument& doc, const std::wstring& name, const char* only = "")
    {
        FacturaDate record(doc.id, doc.type);
        record.chitantaNumar = L"2147483647";
        std::vector<Figure> figures = FiguresOf(page, record);
        figures.erase(std::remove_if(figures.begin(), figures.end(),
                                     [&](const Figure& f) { return f.name.rfind(only, 0) != 0; }),
                      figures.end());
        ExpectFiguresInside(canvas, [&] { return canvas.Draw([&](const ScreenPage& p) { page.draw(p, record); }); },
                            figures, name);
    }
    layout_tests::ScreenCanvas canvas{kZoom};
};

} // namespace

TEST_F(FiguresOnScreen, Layout1WithAndWithoutVat) { Check(Layout1, L"layout1"); }

TEST_F(FiguresOnScreen, Layout2WithItsReceipt) { Check(Layout2, L"layout2", true); }

TEST_F(FiguresOnScreen, Layout3InBothCopies) { Check(Layout3, L"layout3"); }

TEST_F(FiguresOnScreen, GoodsReceivedNote)
{
    layout_tests::SetCompany(tempDb);
    InvoicePage note{DrawNirPage,
                     {187},
                     38,
                     {{"quantity", &ItemFactura::cantitate, 270, 320},
                      {"price", &ItemFactura::pretUnitar, 320, 370},
                      {"value", &ItemFactura::valoare, 370, 426}},
                     {{"number", {&FacturaDate::numar}, Lines(150, 286, {82})},
                      {"net total", {&FacturaDate::valoareFT}, Lines(370, 426, {501})}}};
    Check(note, AddLargestNote(tempDb), L"note");
}

// The sum with its words, the receipt's number and the invoice's, inside
// the frame of every copy; the models set a line alike, so the sums ending
// just past the frame are drawn in one.
TEST_F(FiguresOnScreen, ReceiptsOfEveryModel)
{
    const std::vector<Area> frames[] = {{{10, 10, 426, 299}, {10, 309, 426, 599}},
                                        {{10, 10, 426, 200}, {10, 210, 426, 400}, {10, 410, 426, 599}},
                                        {{10, 10, 426, 299}}};
    for (double sum : kReceiptSums) {
        for (int model : {1, 2, 3}) {
            if (model != 3 && sum != kReceiptSums[0])
                continue;
            MyChitantePrewiev preview;
            static_cast<ChitantaTexts&>(preview) = ReceiptOf(sum);
            preview.model = model;
            preview.zoom = kZoom;
            const std::vector<Area>& frame = frames[model - 1];
            auto draw = [&] {
                return canvas.DrawFrame([&](ID2D1RenderTarget* target) { return preview.RenderFrame(target); });
            };
            ExpectFiguresInside(canvas, draw,
                                {{"sum", {&preview.suma, &preview.sumaInLitere}, frame},
                                 {"number", {&preview.numar}, frame},
                                 {"invoice", {&preview.facturi}, frame}},
                                L"receipt-" + std::to_wstring(model) + L"-" + std::to_wstring(static_cast<int>(sum)));
        }
    }
}
