#include "tests/printing/support/PdfPage.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <sstream>
#include "tests/printing/support/HostTools.h"

namespace pdftest {

namespace {

// Runs on the host: the structure from qpdf's JSON, the first page's content
// stream as qpdf decodes it, and pdftotext's words with their boxes, one a line.
const char kReader[] =
    "import json, subprocess, sys, xml.etree.ElementTree as ET\n"
    "f = sys.argv[1]; run = lambda *a: subprocess.run(a, capture_output=True, check=True).stdout\n"
    "d = json.loads(run('qpdf', '--json', '--json-stream-data=none', f)); o = d['qpdf'][1]\n"
    "p = o['obj:' + d['pages'][0]['object']]['value']; b = p['/MediaBox']\n"
    "print('page', len(d['pages']), b[2] - b[0], b[3] - b[1],"
    " sum('/Filter' in v.get('stream', {}).get('dict', {}) for v in o.values()))\n"
    "for k, v in p['/Resources'].get('/Font', {}).items(): print('font', k[1:], o['obj:' + v]['value']['/BaseFont'][1:])\n"
    "print('@@CONTENT'); sys.stdout.flush()\n"
    "sys.stdout.buffer.write(run('qpdf', '--show-object=' + d['pages'][0]['contents'][0].split()[0],"
    " '--filtered-stream-data', f))\n"
    "print('\\n@@TEXT')\n"
    "for line in ET.fromstring(run('pdftotext', '-enc', 'UTF-8', '-f', '1', '-l', '1', '-bbox-layout', f, '-'))"
    ".iter('{http://www.w3.org/1999/xhtml}line'):\n"
    "    print('@@LINE')\n"
    "    for w in line: print(w.get('xMin'), w.get('yMin'), w.get('xMax'), w.get('yMax'), w.text)\n";

std::wstring FromUtf8(const std::string& text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
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
    int status = RunOnHost("qpdf --check " + file + " && python3 -c " + ShellQuoted(kReader) + " " + file, output);
    if (status != 0) {
        error = "qpdf refuses the file (status " + std::to_string(status) + "): " + output;
        return false;
    }
    size_t content = output.find("@@CONTENT\n"), text = output.find("\n@@TEXT\n");
    std::istringstream structure(output.substr(0, content));
    for (std::string key; structure >> key;) {
        if (key == "page") {
            int filters = 0;
            structure >> pageCount >> mediaWidth >> mediaHeight >> filters;
            compressed = filters > 0;
        } else if (key == "font") {
            std::string resource, base;
            structure >> resource >> base;
            m_fonts.push_back({resource, base});
        }
    }
    ReadContent(output.substr(content + 10, text - content - 10));
    ReadWords(output.substr(text + 8));
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
        double left, right, y, size;
        std::wstring text;
    };
    std::vector<std::vector<Word>> lines(0);
    std::istringstream in(layout);
    for (std::string row; std::getline(in, row);) {
        std::istringstream fields(row);
        double xMin, yMin, xMax, yMax;
        std::string text;
        if (row == "@@LINE") {
            lines.emplace_back();
        } else if (fields >> xMin >> yMin >> xMax >> yMax >> text && !lines.empty()) {
            // The writer's Helvetica boxes reach 0.718 of the size above the
            // baseline and 0.207 below it.
            double size = std::round((yMax - yMin) / 0.925 * 100) / 100;
            double y = std::round((mediaHeight - (yMax - 0.207 * size)) * 1000) / 1000;
            lines.back().push_back({xMin, xMax, y, size, FromUtf8(text)});
        }
    }
    std::ostringstream described;
    for (const std::vector<Word>& words : lines) {
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
