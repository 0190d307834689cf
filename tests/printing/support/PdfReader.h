#pragma once
#include <string>
#include <vector>

namespace pdftest {

// One line of text as poppler's pdftotext lays it out, with its baseline
// start in the file's own coordinates (origin bottom-left). Texts drawn with
// several spaces read back with one.
struct PdfText {
    std::string font;      // base font of the text object starting there, e.g. "Helvetica-Bold"
    double size;
    double x;
    double y;
    std::wstring text;
};

// A stroked segment (m ... l S) or rectangle (re S), with the line width in force.
struct PdfLine {
    double x1, y1, x2, y2;
    double width;
};
struct PdfRect {
    double x, y, w, h;
    double width;
};

// The first page of a written file: structure from "qpdf --json", texts from
// "pdftotext -bbox-layout", and the strokes neither tool reports from the
// page's content stream (which qpdf hands over decoded).
class PdfPage {
public:
    // False, with the reason in error(), when the file cannot be read.
    bool Load(const std::wstring& path);
    const std::string& error() const { return m_error; }

    int pageCount = 0;
    double mediaWidth = 0, mediaHeight = 0;
    bool compressed = false;            // a /Filter on any stream
    std::vector<std::string> fonts;     // base fonts of the file
    std::vector<PdfText> texts;
    std::vector<PdfLine> lines;
    std::vector<PdfRect> rects;

    // The first text showing exactly `text` (runs of spaces read as one), or null.
    const PdfText* Find(const std::wstring& text) const;
    std::vector<const PdfText*> FindAll(const std::wstring& text) const;
    // The first text whose text starts with `prefix`, or null.
    const PdfText* FindPrefix(const std::wstring& prefix) const;
    bool HasLine(double x1, double y1, double x2, double y2, double tolerance = 0.01) const;
    bool HasRect(double x, double y, double w, double h, double tolerance = 0.01) const;
    // Segments running straight down at x.
    std::vector<PdfLine> VerticalLinesAt(double x, double tolerance = 0.01) const;
    // Every text with its position, one per line, for failure messages.
    std::string Describe() const;

private:
    bool Fail(const std::string& why);
    void ReadTexts(const std::string& layout);
    void ReadStrokes(const std::string& content);

    struct Origin {
        std::string font;
        double x, y;
    };
    std::vector<Origin> m_origins;
    std::vector<std::pair<std::string, std::string>> m_fonts;  // resource, base font
    std::string m_error;
};

// UTF-8 form of a wide text, for messages.
std::string Utf8(const std::wstring& text);
// Runs of white space as one space, none at either end.
std::wstring Collapsed(const std::wstring& text);

} // namespace pdftest
