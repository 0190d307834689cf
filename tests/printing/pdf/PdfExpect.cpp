#include "tests/printing/pdf/PdfExpect.h"
#include <gtest/gtest.h>
#include <cmath>

namespace pdftest {

void ExpectTextAt(const PdfPage& page, const std::wstring& text, double x, double y, const char* font, double size)
{
    std::vector<const PdfText*> found = page.FindAll(text);
    for (const PdfText* t : found) {
        if (std::fabs(t->x - x) > 0.01 || std::fabs(t->y - y) > 0.01)
            continue;
        if (font) {
            EXPECT_EQ(font, t->font) << Utf8(text);
        }
        if (size > 0) {
            EXPECT_NEAR(size, t->size, 0.001) << Utf8(text);
        }
        return;
    }
    ADD_FAILURE() << "\"" << Utf8(text) << "\" not at (" << x << ", " << y << "); the page has\n" << page.Describe();
}

} // namespace pdftest
