#pragma once
#include <cstddef>
#include <vector>
#include "printing/layouts/PageContent.h"
#include "printing/preview/ScreenPage.h"

// Drawing the page tables on the preview's render target: texts into layout
// rectangles with the black brush (no clipping, natural measuring), lines and
// frames as wide as ScreenRuleWidth says, bitmaps stretched into their
// rectangle.

IDWriteTextFormat* ScreenFormat(const ScreenPage& page, ScreenFont font);
// A text in its layout box; with screen edges kept inside them: one that
// would pass the right one starts further left, as far as the left one, and
// is set smaller on one line as much as that room needs.
void DrawScreenText(const ScreenPage& page, ScreenFont font, const micro::utils::QString& text, const ScreenBox& box,
                    const Edges& edges = kNoEdges);
void DrawScreenBitmap(const ScreenPage& page, ID2D1Bitmap* bitmap, const ScreenBox& box);
void DrawScreenLine(const ScreenPage& page, Stroke stroke, const ScreenLine& line);
// The white sheet.
void FillScreenPage(const ScreenPage& page);

// Every row of a table that shows for the record and has a screen side,
// moved down by dy.
void DrawScreenTexts(const ScreenPage& page, const FacturaDate& doc, Table<PageText> texts, float dy = 0);
void DrawScreenRules(const ScreenPage& page, const FacturaDate& doc, Table<PageRule> rules);
// The rows DrawScreenRules would draw of a table, added to `rules`.
void AddScreenRules(std::vector<PageRule>& rules, const FacturaDate& doc, Table<PageRule> table);

// The item table: each item of the record in a band `rowHeight` high from
// `firstTop`, moving down one band per line it takes, until the rule's line
// limit. Answers how many items were drawn.
struct ScreenItemTable {
    Table<ItemColumn> columns;
    ScreenFont font;
    float firstTop;
    RowRule rule;
};
int DrawScreenItems(const ScreenPage& page, const FacturaDate& doc, const ScreenItemTable& table);
