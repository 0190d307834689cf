#pragma once
#include <string>
#include "tests/printing/support/PdfReader.h"

namespace pdftest {

// test-out\pdf\<name> under the build folder (created on first use).
std::wstring OutputPath(const std::wstring& name);
bool Exists(const std::wstring& path);

// Reads a written file and runs "qpdf --check" on it; failures are the test's.
void LoadChecked(const std::wstring& path, PdfPage& page);

// The file's y (from the bottom of the A4 page) of a y measured from the top.
inline double Up(double y) { return 842 - y; }

// Fails unless one text object shows exactly `text` with its baseline at
// (x, y) in the file's coordinates, in that font and size when given.
void ExpectTextAt(const PdfPage& page, const std::wstring& text, double x, double y, const char* font = nullptr,
                  double size = 0);

} // namespace pdftest
