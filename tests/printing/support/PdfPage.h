#pragma once
#include <string>
#include <vector>

namespace pdftest {

// A run of words on one line of the first page as pdftotext lays them out,
// with its baseline start in the file's coordinates (origin bottom-left).
// Texts drawn with several spaces read back with one.
struct PdfText {
    std::string font;  // base font of the text object starting there, e.g. "Helvetica-Bold"
    double size, x, y;
    double right;  // where its last word ends
    std::wstring text;
};
// A stroked segment (x1, y1 to x2, y2) or rectangle (x, y, width, height).
struct PdfStroke {
    double a, b, c, d;
    double width;
};

// The first page of a written file, checked by "qpdf --check": structure from
// "qpdf --json", words with their boxes from "pdftotext -bbox-layout", strokes
// and text fonts from the page's content stream.
class PdfPage {
public:
    // False, with the reason in error, when the file cannot be read or fails the check.
    bool Load(const std::wstring& path);
    std::string error;

    int pageCount = 0;
    double mediaWidth = 0, mediaHeight = 0;
    bool compressed = false;  // a /Filter on any stream
    std::vector<PdfText> texts;  // every run of words of each line
    std::vector<PdfStroke> lines, rects;

    // The runs showing exactly `text` (runs of spaces read as one), or starting with it.
    std::vector<const PdfText*> FindAll(const std::wstring& text, bool prefix = false) const;
    const PdfText* Find(const std::wstring& text) const { return First(FindAll(text)); }
    const PdfText* FindPrefix(const std::wstring& prefix) const { return First(FindAll(prefix, true)); }
    bool HasLine(double x1, double y1, double x2, double y2) const { return Has(lines, x1, y1, x2, y2); }
    bool HasRect(double x, double y, double w, double h) const { return Has(rects, x, y, w, h); }
    // Every line of text with its position, for failure messages.
    std::string Describe() const { return m_described; }

private:
    static const PdfText* First(const std::vector<const PdfText*>& all) { return all.empty() ? nullptr : all[0]; }
    static bool Has(const std::vector<PdfStroke>& strokes, double a, double b, double c, double d);
    std::string m_described;
};

// Where a test writes a file it reads back: a folder private to this run, so
// that two runs of one program side by side (the tests, and a tools/check
// beside them) never write and read the same file; one once read the other's
// half-written page. PdfPage::Load keeps a copy of each file it reads in
// test-out\pdf\ under the build folder, to look at.
std::wstring OutputPath(const std::wstring& name);
bool Exists(const std::wstring& path);
std::string Utf8(const std::wstring& text);
// Reads the written file; a failure is the test's.
void LoadChecked(const std::wstring& path, PdfPage& page);
// The file's y (from the bottom of the A4 page) of a y measured from the top.
inline double Up(double y) { return 842 - y; }
// Fails unless a run shows exactly `text` with its baseline at (x, y) in the
// file's coordinates, in that font and size when given.
void ExpectTextAt(const PdfPage& page, const std::wstring& text, double x, double y, const char* font = nullptr,
                  double size = 0);

} // namespace pdftest
