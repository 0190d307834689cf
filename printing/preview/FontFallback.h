#pragma once
#include <dwrite.h>
#include "framework/utils/QString.h"

// DirectWrite draws nothing at all for a family that is not installed, so the
// pages ask for their families through here. "Arial Rounded MT Bold" falls
// back to "Arial Rounded MT" in bold; then "Arial" (or a common sans-serif
// face) at the weight asked; then the first family installed. Answers the family to use and its weight.
micro::utils::QString ResolveFontFamily(IDWriteFactory* factory, const wchar_t* family, DWRITE_FONT_WEIGHT& weight);

// A text format of the family (resolved as above), normal style and stretch,
// locale "en-us". The caller releases it.
HRESULT CreatePageTextFormat(IDWriteFactory* factory, const wchar_t* family, DWRITE_FONT_WEIGHT weight, float size,
                             IDWriteTextFormat** format);
