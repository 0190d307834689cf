#pragma once
#include <vector>
#include "printing/layouts/PageContent.h"
#include "printing/FacturaDate.h"
#include "printing/preview/ScreenPage.h"

// The document pages on screen. Each draws one whole page from the record,
// between the preview's BeginDraw and EndDraw; the record's `tip` says which
// document it is. The opening zoom after a first draw is the caller's.
void DrawFacturaLayout1(const ScreenPage& page, const FacturaDate& doc);
void DrawFacturaLayout2(const ScreenPage& page, const FacturaDate& doc);
void DrawFacturaLayout3(const ScreenPage& page, const FacturaDate& doc);
void DrawNirPage(const ScreenPage& page, const FacturaDate& doc);

// The rules each page draws for the record, from its tables (both copies'
// on the two-copy page), in page units.
std::vector<PageRule> ScreenRulesOfLayout1(const FacturaDate& doc);
std::vector<PageRule> ScreenRulesOfLayout2(const FacturaDate& doc);
std::vector<PageRule> ScreenRulesOfLayout3(const FacturaDate& doc);
std::vector<PageRule> ScreenRulesOfNir(const FacturaDate& doc);
