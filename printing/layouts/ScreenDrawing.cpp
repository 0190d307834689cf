#include "printing/layouts/ScreenDrawing.h"
#include <vector>
#include "printing/preview/FittedScreenText.h"
#include "printing/preview/PreviewSupport.h"

using micro::utils::QString;

namespace {
const float kRowHeight = 10.0f;

bool DrawnOnScreen(const PageRule& rule, const FacturaDate& doc)
{
    return OnScreen(rule.screen) && Shows(rule.when, doc);
}

D2D1_RECT_F ToRect(const ScreenBox& box)
{
    return D2D1::RectF(box.left, box.top, box.right, box.bottom);
}
} // namespace

IDWriteTextFormat* ScreenFormat(const ScreenPage& page, ScreenFont font)
{
    switch (font) {
    case ScreenFont::F16: return page.format16;
    case ScreenFont::F14: return page.format14;
    case ScreenFont::F12: return page.format12;
    case ScreenFont::F10: return page.format10;
    case ScreenFont::F7_7: return page.format7_7;
    case ScreenFont::F6: return page.format6;
    case ScreenFont::F6b: return page.format6b;
    }
    return page.format6;
}

void DrawScreenText(const ScreenPage& page, ScreenFont font, const QString& text, const ScreenBox& box,
                    const Edges& edges)
{
    IDWriteTextFormat* format = ScreenFormat(page, font);
    if (!format)
        return;
    if (!HasScreenEdges(edges)) {
        D2D1_RECT_F rect = ToRect(box);
        page.target->DrawText(text.c_str(), text.GetLength(), format, &rect, page.blackBrush,
                              D2D1_DRAW_TEXT_OPTIONS_NONE, DWRITE_MEASURING_MODE_NATURAL);
        return;
    }
    // A figure's box starts well inside its column: one that would not fit
    // from there starts further left before it is set smaller.
    float left = edges.screenLeft > 0 ? edges.screenLeft + kEdgeGap : box.left;
    ScreenTextRoom room{left, edges.screenRight - kEdgeGap, edges.screenRight - kEdgeGap};
    DrawTextWithin(page.target, format, page.blackBrush, text, ToRect(box), room);
}

void DrawScreenBitmap(const ScreenPage& page, ID2D1Bitmap* bitmap, const ScreenBox& box)
{
    if (!bitmap)
        return;
    D2D1_RECT_F rect = ToRect(box);
    page.target->DrawBitmap(bitmap, &rect, 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR, nullptr);
}

void DrawScreenLine(const ScreenPage& page, Stroke stroke, const ScreenLine& line)
{
    float width = ScreenRuleWidth(page.target);
    if (stroke == Stroke::Frame) {
        D2D1_RECT_F rect = D2D1::RectF(line.x1, line.y1, line.x2, line.y2);
        page.target->DrawRectangle(&rect, page.blackBrush, width, nullptr);
    } else {
        page.target->DrawLine(D2D1::Point2F(line.x1, line.y1), D2D1::Point2F(line.x2, line.y2), page.blackBrush, width,
                              nullptr);
    }
}

void FillScreenPage(const ScreenPage& page)
{
    D2D1_RECT_F sheet = D2D1::RectF(0, 0, kScreenPageWidth, kScreenPageHeight);
    page.target->FillRectangle(&sheet, page.whiteBrush);
}

void DrawScreenTexts(const ScreenPage& page, const FacturaDate& doc, Table<PageText> texts, float dy)
{
    for (size_t i = 0; i < texts.count; ++i) {
        const PageText& text = texts.rows[i];
        if (!text.screen || !OnScreen(text.box) || !Shows(text.when, doc))
            continue;
        ScreenBox box{text.box.left, text.box.top + dy, text.box.right, text.box.bottom + dy};
        DrawScreenText(page, text.style.screen, FillPattern(text.screen, doc), box, text.edges);
    }
}

void DrawScreenRules(const ScreenPage& page, const FacturaDate& doc, Table<PageRule> rules)
{
    for (size_t i = 0; i < rules.count; ++i) {
        if (DrawnOnScreen(rules.rows[i], doc))
            DrawScreenLine(page, rules.rows[i].stroke, rules.rows[i].screen);
    }
}

void AddScreenRules(std::vector<PageRule>& rules, const FacturaDate& doc, Table<PageRule> table)
{
    for (size_t i = 0; i < table.count; ++i) {
        if (DrawnOnScreen(table.rows[i], doc))
            rules.push_back(table.rows[i]);
    }
}

int DrawScreenItems(const ScreenPage& page, const FacturaDate& doc, const ScreenItemTable& table)
{
    int count = doc.items.GetCount();
    std::vector<QString> names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.push_back(doc.items.GetAt(i)->denumire);
    int shown = table.rule.CountFitting(names.data(), count);

    float top = table.firstTop;
    // A row starting below the sheet falls on the black around it, where its
    // black text cannot be seen: it is not drawn.
    int drawn = 0;
    for (; drawn < shown && top < kScreenPageHeight; ++drawn) {
        int i = drawn;
        const ItemFactura& item = *doc.items.GetAt(i);
        for (size_t c = 0; c < table.columns.count; ++c) {
            const ItemColumn& column = table.columns.rows[c];
            if (column.screenRight < 0 || !Shows(column.when, doc))
                continue;
            ScreenBox box{column.screenLeft, top, column.screenRight, top + kRowHeight};
            DrawScreenText(page, table.font, ItemText(item, column.field), box, column.edges);
        }
        top += table.rule.TakesTwo(item.denumire) ? 2 * kRowHeight : kRowHeight;
    }
    return drawn;
}
