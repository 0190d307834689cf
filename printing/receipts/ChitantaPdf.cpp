#include "printing/receipts/ChitantaPdf.h"
#include <vector>
#include "printing/pdf/PdfFile.h"
#include "printing/pdf/PdfText.h"
#include "printing/receipts/MyPrintChitanteDialog.h"

using micro::utils::QString;

namespace {

// Page units become points: x = 1.38 u, y = 1.4 v below the band's top.
const float kPointsPerUnitX = 1.38f;
const float kPointsPerUnitY = 1.4f;
// The frames stand this far in from the page's edges.
const float kFrameInset = 14.0f;

// The font calls made before a row: an optional font first, then an optional
// size, then an optional font. A font keeps only the whole part of the size
// set before it, so 12.6 gives 12-point text.
struct FontStep {
    const char* fontFirst;
    float size;  // 0: none
    const char* font;
};

const char kHelvetica[] = "Helvetica";
const char kHelveticaBold[] = "Helvetica-Bold";
const FontStep kKeep = {nullptr, 0, nullptr};

struct PdfRow {
    float u, v;              // model 1 and 3; in those two, rows 1 and 2 measure u left of the page's middle
    float u2, v2;            // model 2
    FontStep halfPage;       // models 1 and 3
    FontStep thirdPage;      // model 2
};

const PdfRow kPdfRows[kChitantaRows] = {
    {70, 110, 200, 40, {kHelvetica, 21, nullptr}, {kHelvetica, 21, nullptr}},
    {42, 130, 230, 60, kKeep, kKeep},
    {15, 155, 15, 72, {nullptr, 12.6f, kHelveticaBold}, {nullptr, 14, kHelveticaBold}},
    {15, 165, 15, 82, {nullptr, 0, kHelvetica}, {nullptr, 12.6f, kHelvetica}},
    {15, 175, 15, 92, kKeep, kKeep},
    {15, 185, 15, 101, kKeep, kKeep},
    {15, 195, 15, 109, kKeep, kKeep},
    {15, 210, 15, 118, {nullptr, 0, kHelveticaBold}, {nullptr, 14, kHelveticaBold}},
    {15, 220, 15, 128, {nullptr, 0, kHelvetica}, {nullptr, 12.6f, kHelvetica}},
    {15, 230, 15, 138, kKeep, kKeep},
    {15, 240, 15, 148, kKeep, kKeep},
    {15, 250, 15, 156, kKeep, kKeep},
    {15, 265, 15, 167, {nullptr, 0, kHelveticaBold}, {nullptr, 14, kHelveticaBold}},
    {15, 280, 15, 178, {nullptr, 0, kHelvetica}, {nullptr, 12.6f, kHelvetica}},
    {310, 250, 310, 152, kKeep, kKeep},
};

void Apply(micropdf::MakePDF& pdf, const FontStep& step)
{
    if (step.fontFirst)
        pdf.SetFont(step.fontFirst);
    if (step.size > 0)
        pdf.SetFontSize(step.size);
    if (step.font)
        pdf.SetFont(step.font);
}

// Frames 14 points in from the page's edges, one per copy; answers the
// copies' offsets.
std::vector<float> DrawFrames(micropdf::MakePDF& pdf, int model, float pw, float ph)
{
    pdf.SetLineWidth(1.0f);
    const float m = kFrameInset;
    if (model == ChitantaThreeCopies) {
        float third = static_cast<float>(static_cast<int>(ph / 3 - 4));
        pdf.Rectangle(m, m, pw - m, third);
        pdf.Rectangle(m, third + m, pw - m, third + third);
        pdf.Rectangle(m, third + third + m, pw - m, ph - m);
        return {10, 10 + third, 10 + third + third};
    }
    float half = static_cast<float>(static_cast<int>(ph * 0.5f - 7));
    pdf.Rectangle(m, m, pw - m, half);
    if (model != ChitantaTwoCopies)
        return {0};
    pdf.Rectangle(m, half + m, pw - m, ph - m);
    return {0, half};
}

void DrawCopy(micropdf::MakePDF& pdf, int model, const ChitantaTexts& texts, float pw, float offset)
{
    bool third = model == ChitantaThreeCopies;
    for (int row = 1; row <= kChitantaRows; ++row) {
        const PdfRow& r = kPdfRows[row - 1];
        Apply(pdf, third ? r.thirdPage : r.halfPage);
        float x = third ? kPointsPerUnitX * r.u2 : kPointsPerUnitX * r.u;
        if (!third && row <= 2)
            x = pw * 0.5f - kPointsPerUnitX * r.u;
        float y = kPointsPerUnitY * (third ? r.v2 : r.v) + offset;
        // A line that would pass the frame is set smaller to end as far from
        // the frame's right side as the texts start from its left.
        PdfTextRoom room{x, pw - kFrameInset - kPointsPerUnitX, pw - kPointsPerUnitX * 15};
        TextOutWithin(pdf, ChitantaRowText(texts, row, ChitantaWording::Paper).c_str(), x, y, room);
    }
}

bool ExportChitantaPdf(MyPrintChitanteDialog& dialog, int model)
{
    QString path;
    if (!ChoosePdfFile(path))
        return true;
    return SaveChitantaPdf(path, model, dialog);
}

} // namespace

void DrawChitantaPdf(micropdf::MakePDF& pdf, int model, const ChitantaTexts& texts)
{
    float pw = static_cast<float>(pdf.GetPageWidth());
    float ph = static_cast<float>(pdf.GetPageHeight());
    for (float offset : DrawFrames(pdf, model, pw, ph))
        DrawCopy(pdf, model, texts, pw, offset);
}

bool SaveChitantaPdf(const wchar_t* path, int model, const ChitantaTexts& texts)
{
    try {
        micropdf::MakePDF pdf;
        pdf.AddPage();
        DrawChitantaPdf(pdf, model, texts);
        return SavePdfFile(pdf, path);
    } catch (...) {
        ShowPdfSaveError();
        return false;
    }
}

bool ExportChitantaPdfModel1(MyPrintChitanteDialog& dialog) { return ExportChitantaPdf(dialog, ChitantaTwoCopies); }
bool ExportChitantaPdfModel2(MyPrintChitanteDialog& dialog) { return ExportChitantaPdf(dialog, ChitantaThreeCopies); }
bool ExportChitantaPdfModel3(MyPrintChitanteDialog& dialog) { return ExportChitantaPdf(dialog, ChitantaOneCopy); }
