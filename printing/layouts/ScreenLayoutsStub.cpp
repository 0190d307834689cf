// Until the real pages land every page is the blank sheet.
#include "printing/layouts/ScreenLayouts.h"

static void DrawBlankSheet(const ScreenPage& page)
{
    page.target->FillRectangle(D2D1::RectF(0, 0, kScreenPageWidth, kScreenPageHeight), page.whiteBrush);
}

void DrawFacturaLayout1(const ScreenPage& page, const FacturaDate&) { DrawBlankSheet(page); }
void DrawFacturaLayout2(const ScreenPage& page, const FacturaDate&) { DrawBlankSheet(page); }
void DrawFacturaLayout3(const ScreenPage& page, const FacturaDate&) { DrawBlankSheet(page); }
void DrawNirPage(const ScreenPage& page, const FacturaDate&) { DrawBlankSheet(page); }
