#include "tests/printing/support/PdfExpect.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <cmath>
#include "tests/printing/support/HostTools.h"

namespace pdftest {

std::wstring OutputPath(const std::wstring& name)
{
    CreateDirectoryW(L"test-out", nullptr);
    CreateDirectoryW(L"test-out\\pdf", nullptr);
    return L"test-out\\pdf\\" + name;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void LoadChecked(const std::wstring& path, PdfPage& page)
{
    ASSERT_TRUE(page.Load(path)) << page.error();
    ASSERT_TRUE(HostHasProgram("/usr/bin/qpdf")) << "qpdf is missing on the host (tools/setup.sh installs it)";
    EXPECT_EQ("", QpdfCheck(path));
}

void ExpectTextAt(const PdfPage& page, const std::wstring& text, double x, double y, const char* font, double size)
{
    std::vector<const PdfText*> found = page.FindAll(text);
    for (const PdfText* t : found) {
        if (std::fabs(t->x - x) > 0.02 || std::fabs(t->y - y) > 0.02)
            continue;
        if (font) {
            EXPECT_EQ(font, t->font) << Utf8(text);
        }
        if (size > 0) {
            EXPECT_NEAR(size, t->size, 0.01) << Utf8(text);
        }
        return;
    }
    ADD_FAILURE() << "\"" << Utf8(text) << "\" not at (" << x << ", " << y << "); the page has\n" << page.Describe();
}

} // namespace pdftest
