// The goods-received note as a PDF: the printed sheets, their rules, texts
// and rows at their printed page units taken as points, one PDF page a sheet.
#include "printing/pdf/PdfExports.h"
#include "database/DocumentTables.h"
#include "database/qsql/QSqlError.h"
#include "framework/qdialog/QMessageBox.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/pdf/PdfFile.h"
#include "printing/pdf/PdfInvoiceBlocks.h"
#include "printing/pdf/PdfText.h"
#include <algorithm>

using micro::utils::QString;
using micropdf::MakePDF;

namespace {

// A printed coordinate in points on the PDF page; the NIR sheet uses only
// plain units and the border inset.
float PointX(const PrintCoord& c, float width)
{
    switch (c.ref) {
    case Ref::Inset: return UnitsY(10);
    case Ref::InsetRight: return width - UnitsY(10);
    case Ref::FromRight: return width - UnitsX(c.v);
    default: return UnitsX(c.v);
    }
}

float PointY(const PrintCoord& c, float height)
{
    switch (c.ref) {
    case Ref::Inset: return UnitsY(10);
    case Ref::InsetBottom: return height - UnitsY(10);
    case Ref::FromBottom: return height - UnitsY(c.v);
    default: return UnitsY(c.v);
    }
}

// A font's printed height in page units as a PDF size (the em of a cell that high).
float FontSize(float printHeight)
{
    return UnitsY(printHeight) * 0.8f;
}

void DrawRules(MakePDF& pdf, const FacturaDate& doc, const Table<PageRule>& rules)
{
    float width = static_cast<float>(pdf.GetPageWidth()), height = static_cast<float>(pdf.GetPageHeight());
    for (size_t i = 0; i < rules.count; ++i) {
        const PageRule& rule = rules.rows[i];
        if (!Shows(rule.when, doc) || !Printed(rule.print))
            continue;
        float x1 = PointX(rule.print.x1, width), y1 = PointY(rule.print.y1, height);
        float x2 = PointX(rule.print.x2, width), y2 = PointY(rule.print.y2, height);
        if (rule.stroke == Stroke::Frame) {
            pdf.Rectangle(x1, y1, x2, y2);
        } else {
            pdf.MoveTo(x1, y1);
            pdf.LineTo(x2, y2);
        }
    }
}

// A text at its printed top-left point, its baseline one size lower, kept
// between its edges (as on paper: without them inside the frame).
void DrawText(MakePDF& pdf, const QString& text, float x, float top, float size, const Edges& edges)
{
    float width = static_cast<float>(pdf.GetPageWidth()), gap = UnitsX(kEdgeGap);
    PdfTextRoom room = Between(UnitsY(10) + gap, width - UnitsY(10) - gap);
    if (HasPrintedEdges(edges))
        room = Between(PointX(edges.printLeft, width) + gap, PointX(edges.printRight, width) - gap);
    TextOutWithin(pdf, text, x, top + size, room);
}

void DrawTexts(MakePDF& pdf, const FacturaDate& doc, const Table<PageText>& texts)
{
    float width = static_cast<float>(pdf.GetPageWidth()), height = static_cast<float>(pdf.GetPageHeight());
    for (size_t i = 0; i < texts.count; ++i) {
        const PageText& text = texts.rows[i];
        const wchar_t* pattern = PrintPattern(text);
        if (!pattern || text.at.place == Place::None || !Shows(text.when, doc))
            continue;
        QString filled = FillPattern(pattern, doc);
        float x = PointX(text.at.x, width);
        if (text.at.place == Place::LeftLess)
            x -= UnitsX(static_cast<float>(filled.GetLength()));
        float size = FontSize(text.style.printHeight);
        pdf.SetFont(text.style.bold ? "Helvetica-Bold" : "Helvetica");
        pdf.SetFontSize(size);
        DrawText(pdf, filled, x, PointY(text.at.y, height), size, text.edges);
    }
}

// A row holds one line: each cell keeps between its column's rules, a long
// name or a wide figure set smaller.
void DrawRows(MakePDF& pdf, const NirSheet& sheet, const std::vector<PrintedItem>& rows)
{
    float size = FontSize(7);
    pdf.SetFont("Helvetica");
    pdf.SetFontSize(size);
    float top = sheet.firstRow;
    for (const PrintedItem& row : rows) {
        for (size_t c = 0; c < sheet.columns.count; ++c) {
            const ItemColumn& column = sheet.columns.rows[c];
            const QString& text = ItemText(row.texts, column.field);
            DrawText(pdf, text, UnitsX(NirCellX(column, text)), UnitsY(top), size, column.edges);
        }
        top += sheet.rowStep;
    }
}

void DrawNirPdf(MakePDF& pdf, const FacturaDate& doc, const std::vector<PrintedItem>& rows)
{
    int sheets = NirSheetsFor(rows.size());
    for (int s = 0; s < sheets; ++s) {
        pdf.AddPage();
        pdf.SetLineWidth(1);
        NirSheet sheet = NirSheetTables(s, sheets);
        for (const Table<PageRule>& rules : sheet.rules)
            DrawRules(pdf, doc, rules);
        for (const Table<PageText>& texts : sheet.texts)
            DrawTexts(pdf, doc, texts);
        size_t from = static_cast<size_t>(s) * kNirRowsPerSheet;
        size_t to = std::min(rows.size(), from + kNirRowsPerSheet);
        DrawRows(pdf, sheet, std::vector<PrintedItem>(rows.begin() + from, rows.begin() + to));
    }
}

} // namespace

bool WriteNirPdf(const FacturaPrintJob& job, const wchar_t* path)
{
    std::vector<PrintedItem> rows;
    try {
        rows = ReadPrintedItems(job.id, DocumentGoodsReceived, NetValueFrom::OwnHeader);
    } catch (const micro::qsql::QSqlError& error) {
        micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), error.GetText(), L"Message", MB_OK);
        return false;
    }
    try {
        MakePDF pdf;
        DrawNirPdf(pdf, job, rows);
        return SavePdfFile(pdf, path);
    } catch (...) {
        ShowPdfSaveError();
        return false;
    }
}

bool ExportNirPdf(FacturaPrintJob& job)
{
    QString path;
    if (!ChoosePdfFile(path))
        return true;
    return WriteNirPdf(job, path);
}
