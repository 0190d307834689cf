#include "tests/printing/support/PdfPage.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <sstream>
#include "tests/printing/support/HostTools.h"

namespace pdftest {

namespace {

// Page count, media box, filters, font resources and the content stream's
// object, from the structure qpdf reports.
const char kStructure[] =
    "import json, sys\n"
    "d = json.load(sys.stdin); o = d['qpdf'][1]; p = o['obj:' + d['pages'][0]['object']]['value']\n"
    "print('pages', len(d['pages'])); print('media', *p['/MediaBox'])\n"
    "print('filters', sum('/Filter' in v.get('stream', {}).get('dict', {}) for v in o.values()))\n"
    "for k, v in p['/Resources'].get('/Font', {}).items(): print('font', k[1:], o['obj:' + v]['value']['/BaseFont'][1:])\n"
    "print('content', d['pages'][0]['contents'][0].split()[0])\n";

std::string Section(const std::string& output, const std::string& marker, const std::string& next)
{
    size_t from = output.find(marker);
    if (from == std::string::npos)
        return std::string();
    from += marker.size();
    return output.substr(from, next.empty() ? std::string::npos : output.find(next, from) - from);
}

std::wstring FromUtf8(const std::string& text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    static const wchar_t* const entities[][2] = {{L"&lt;", L"<"}, {L"&gt;", L">"}, {L"&quot;", L"\""},
                                                 {L"&apos;", L"'"}, {L"&amp;", L"&"}};
    for (const auto& e : entities)
        for (size_t at; (at = out.find(e[0])) != std::wstring::npos;)
            out.replace(at, wcslen(e[0]), e[1]);
    return out;
}

double Attribute(const std::string& tag, const char* name)
{
    size_t at = tag.find(std::string(" ") + name + "=\"");
    return at == std::string::npos ? 0 : atof(tag.c_str() + at + strlen(name) + 3);
}

bool Near(double a, double b) { return std::fabs(a - b) <= 0.01; }

std::wstring Collapsed(const std::wstring& text)
{
    std::wistringstream in(text);
    std::wstring out, word;
    while (in >> word)
        out += (out.empty() ? L"" : L" ") + word;
    return out;
}

} // namespace

bool PdfPage::Load(const std::wstring& path)
{
    std::string output, file = ShellQuoted(HostPath(path));
    std::string command = "f=" + file + "; qpdf --check \"$f\" || exit 3\n"
                          "echo @@JSON; qpdf --json --json-stream-data=none \"$f\" | python3 -c " + ShellQuoted(kStructure) +
                          " > \"$f.s\"\n"
                          "cat \"$f.s\"; echo @@CONTENT\n"
                          "qpdf --show-object=$(sed -n 's/^content //p' \"$f.s\") --filtered-stream-data \"$f\"\n"
                          "rm -f \"$f.s\"; echo; echo @@TEXT; pdftotext -enc UTF-8 -f 1 -l 1 -bbox-layout \"$f\" -";
    int status = RunOnHost(command, output);
    if (status != 0) {
        error = "qpdf refuses the file (status " + std::to_string(status) + "): " + output;
        return false;
    }
    std::istringstream structure(Section(output, "@@JSON", "@@CONTENT"));
    for (std::string key; structure >> key;) {
        if (key == "pages") {
            structure >> pageCount;
        } else if (key == "media") {
            double x0, y0;
            structure >> x0 >> y0 >> mediaWidth >> mediaHeight;
            mediaWidth -= x0;
            mediaHeight -= y0;
        } else if (key == "filters") {
            int filters = 0;
            structure >> filters;
            compressed = filters > 0;
        } else if (key == "font") {
            std::string resource, base;
            structure >> resource >> base;
            m_fonts.push_back({resource, base});
        }
    }
    ReadContent(Section(output, "@@CONTENT", "@@TEXT"));
    ReadWords(Section(output, "@@TEXT", ""));
    return true;
}

// The content stream tells what the two tools do not: the strokes, and where
// each text object starts in which font. The writer puts one operator on each
// line, after its operands.
void PdfPage::ReadContent(const std::string& content)
{
    std::istringstream in(content);
    std::string line, font;
    double width = 1, cx = 0, cy = 0, textX = 0, textY = 0;
    std::vector<PdfStroke> pendingLines, pendingRects;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        const std::string op = w.empty() ? std::string() : w.back();
        auto at = [&](size_t i) { return i < w.size() ? atof(w[i].c_str()) : 0.0; };
        if (op == "Tj" || (line.size() > 2 && line.compare(line.size() - 2, 2, "Tj") == 0)) {
            m_origins.push_back({font, textX, textY});
        } else if (op == "Tf" && w.size() == 3) {
            font = w[0].substr(1);
            for (const auto& f : m_fonts)
                font = f.first == w[0].substr(1) ? f.second : font;
        } else if (op == "w") {
            width = at(0);
        } else if (op == "m" || op == "l") {
            if (op == "l")
                pendingLines.push_back({cx, cy, at(0), at(1), width});
            cx = at(0);
            cy = at(1);
        } else if (op == "re") {
            pendingRects.push_back({at(0), at(1), at(2), at(3), width});
        } else if (op == "S" || op == "n" || op == "f" || op == "B") {
            if (op == "S") {
                lines.insert(lines.end(), pendingLines.begin(), pendingLines.end());
                rects.insert(rects.end(), pendingRects.begin(), pendingRects.end());
            }
            pendingLines.clear();
            pendingRects.clear();
        } else if (op == "BT") {
            textX = textY = 0;
        } else if (op == "Td") {
            textX += at(0);
            textY += at(1);
        }
    }
}

void PdfPage::ReadWords(const std::string& layout)
{
    struct Word {
        std::wstring text;
        double left, right, y, size;
    };
    std::ostringstream described;
    for (size_t line = 0; (line = layout.find("<line ", line)) != std::string::npos;) {
        size_t lineEnd = layout.find("</line>", line);
        std::vector<Word> words;
        for (size_t word = line; (word = layout.find("<word ", word)) != std::string::npos && word < lineEnd;) {
            size_t open = layout.find('>', word), close = layout.find("</word>", open);
            std::string tag = layout.substr(word, open - word);
            // The writer's Helvetica boxes reach 0.718 of the size above the
            // baseline and 0.207 below it.
            double yMax = Attribute(tag, "yMax");
            double size = std::round((yMax - Attribute(tag, "yMin")) / 0.925 * 100) / 100;
            double y = std::round((mediaHeight - (yMax - 0.207 * size)) * 1000) / 1000;
            words.push_back({FromUtf8(layout.substr(open + 1, close - open - 1)), Attribute(tag, "xMin"),
                             Attribute(tag, "xMax"), y, size});
            word = close;
        }
        // Every run of words becomes a text; it starts where a text object
        // of the writer starts in the gap before its first word, if one does.
        for (size_t first = 0; first < words.size(); ++first) {
            const Origin* origin = nullptr;
            double gap = first ? words[first - 1].right : -1e9;
            for (const Origin& o : m_origins)
                if (std::fabs(o.y - words[first].y) <= 0.05 && o.x > gap - 0.05 && o.x <= words[first].left + 0.05 &&
                    (!origin || o.x > origin->x))
                    origin = &o;
            PdfText text{origin ? origin->font : std::string(), words[first].size,
                         origin ? origin->x : words[first].left, words[first].y, std::wstring()};
            for (size_t last = first; last < words.size(); ++last) {
                text.text += (last > first ? L" " : L"") + words[last].text;
                texts.push_back(text);
            }
            if (first == 0)
                described << text.font << ' ' << text.size << " (" << text.x << ", " << text.y << ") \""
                          << Utf8(texts.back().text) << "\"\n";
        }
        line = lineEnd;
    }
    m_described = described.str();
}

std::vector<const PdfText*> PdfPage::FindAll(const std::wstring& text, bool prefix) const
{
    std::wstring wanted = Collapsed(text);
    std::vector<const PdfText*> found;
    for (const PdfText& t : texts)
        if (prefix ? t.text.compare(0, wanted.size(), wanted) == 0 : t.text == wanted)
            found.push_back(&t);
    return found;
}

const PdfText* PdfPage::Find(const std::wstring& text) const
{
    std::vector<const PdfText*> all = FindAll(text);
    return all.empty() ? nullptr : all.front();
}

const PdfText* PdfPage::FindPrefix(const std::wstring& prefix) const
{
    std::vector<const PdfText*> all = FindAll(prefix, true);
    return all.empty() ? nullptr : all.front();
}

bool PdfPage::HasLine(double x1, double y1, double x2, double y2) const
{
    for (const PdfStroke& l : lines)
        if (Near(l.a, x1) && Near(l.b, y1) && Near(l.c, x2) && Near(l.d, y2))
            return true;
    return false;
}

bool PdfPage::HasRect(double x, double y, double w, double h) const
{
    for (const PdfStroke& r : rects)
        if (Near(r.a, x) && Near(r.b, y) && Near(r.c, w) && Near(r.d, h))
            return true;
    return false;
}

bool PdfPage::HasVerticalLineAt(double x) const
{
    for (const PdfStroke& l : lines)
        if (Near(l.a, x) && Near(l.c, x))
            return true;
    return false;
}

std::wstring OutputPath(const std::wstring& name)
{
    CreateDirectoryW(L"test-out", nullptr);
    CreateDirectoryW(L"test-out\\pdf", nullptr);
    return L"test-out\\pdf\\" + name;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Utf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

void LoadChecked(const std::wstring& path, PdfPage& page)
{
    ASSERT_TRUE(HostHasProgram("/usr/bin/qpdf")) << "qpdf is missing on the host (tools/setup.sh installs it)";
    ASSERT_TRUE(page.Load(path)) << page.error;
}

void ExpectTextAt(const PdfPage& page, const std::wstring& text, double x, double y, const char* font, double size)
{
    for (const PdfText* t : page.FindAll(text)) {
        if (std::fabs(t->x - x) > 0.02 || std::fabs(t->y - y) > 0.02)
            continue;
        if (font)
            EXPECT_EQ(font, t->font) << Utf8(text);
        if (size > 0)
            EXPECT_NEAR(size, t->size, 0.01) << Utf8(text);
        return;
    }
    ADD_FAILURE() << "\"" << Utf8(text) << "\" not at (" << x << ", " << y << "); the page has\n" << page.Describe();
}

} // namespace pdftest
