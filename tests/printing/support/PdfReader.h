#pragma once
#include <string>
#include <vector>

namespace pdftest {

// One text object (BT ... ET) of a page: where its first text stands, in the
// file's own coordinates (origin bottom-left), with the font in force.
struct PdfText {
    std::string font;      // base font name, e.g. "Helvetica-Bold"
    double size;
    double x;
    double y;
    std::string bytes;     // the shown string as stored
    std::wstring text;     // the bytes read in code page 1250
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

// Reads the single page of an uncompressed PDF as the writer makes it: the
// object table, the page's font resources and its content stream, which is
// interpreted for the operators the writer uses.
class PdfPage {
public:
    // False, with the reason in error(), when the file cannot be read or parsed.
    bool Load(const std::wstring& path);
    const std::string& error() const { return m_error; }

    int pageCount = 0;
    double mediaWidth = 0, mediaHeight = 0;
    bool compressed = false;            // a /Filter on any stream
    std::string content;                // the page's content stream
    std::vector<PdfText> texts;
    std::vector<PdfLine> lines;
    std::vector<PdfRect> rects;

    // The first text object showing exactly `text`, or null.
    const PdfText* Find(const std::wstring& text) const;
    std::vector<const PdfText*> FindAll(const std::wstring& text) const;
    // The first text object whose text starts with `prefix`, or null.
    const PdfText* FindPrefix(const std::wstring& prefix) const;
    bool HasLine(double x1, double y1, double x2, double y2, double tolerance = 0.01) const;
    bool HasRect(double x, double y, double w, double h, double tolerance = 0.01) const;
    // Segments running straight down at x.
    std::vector<PdfLine> VerticalLinesAt(double x, double tolerance = 0.01) const;
    // Every text with its position, one per line, for failure messages.
    std::string Describe() const;

private:
    bool Fail(const std::string& why);
    void Interpret(const std::vector<std::pair<std::string, std::string>>& fonts);

    std::string m_error;
};

// UTF-8 form of a wide text, for messages.
std::string Utf8(const std::wstring& text);

} // namespace pdftest
