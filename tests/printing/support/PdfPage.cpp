#include "tests/printing/support/PdfPage.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <cmath>
#include <sstream>
#include "tests/printing/support/HostTools.h"

namespace pdftest {

namespace {

// Runs on the host. The structure comes from qpdf's JSON and the words with
// their boxes from pdftotext; the content stream (as qpdf decodes it) tells
// what neither tool does: the strokes, and where each text object starts in
// which font. The writer puts one operator on each line, after its operands.
// A word's box reaches 0.718 of the font size above the baseline and 0.207
// below it. Every run of words of a line becomes a text, starting where a text
// object starts in the gap before its first word, if one does.
const char kReader[] = R"(import json, re, subprocess, sys, xml.etree.ElementTree as ET
f = sys.argv[1]; run = lambda *a: subprocess.run(a, capture_output=True, check=True).stdout
d = json.loads(run('qpdf', '--json', '--json-stream-data=none', f)); o = d['qpdf'][1]
p = o['obj:' + d['pages'][0]['object']]['value']; b = p['/MediaBox']; h = b[3] - b[1]
print('page', len(d['pages']), b[2] - b[0], h, sum('/Filter' in v.get('stream', {}).get('dict', {}) for v in o.values()))
fonts = {k[1:]: o['obj:' + v]['value']['/BaseFont'][1:] for k, v in p['/Resources'].get('/Font', {}).items()}
origins, pending, width, font, at, t = [], [], 1, '-', [0, 0], [0, 0]
content = run('qpdf', '--show-object=' + d['pages'][0]['contents'][0].split()[0], '--filtered-stream-data', f)
for line in content.decode('latin-1').splitlines():
    w = line.split(); op = w[-1] if w else ''; n = [float(x) for x in w if re.fullmatch(r'-?[0-9]*[.]?[0-9]+', x)]
    if line.endswith('Tj'): origins.append((font, t[0], t[1]))
    elif op == 'Tf': font = fonts.get(w[0][1:], w[0][1:])
    elif op == 'w': width = n[0]
    elif op == 'm': at = n
    elif op == 'l': pending.append(('line', *at, *n, width)); at = n
    elif op == 're': pending.append(('rect', *n, width))
    elif op in ('S', 'n', 'f', 'B'):
        for s in pending if op == 'S' else []: print(*s)
        pending = []
    elif op == 'BT': t = [0, 0]
    elif op == 'Td': t = [t[0] + n[0], t[1] + n[1]]
page = ET.fromstring(run('pdftotext', '-enc', 'UTF-8', '-f', '1', '-l', '1', '-bbox-layout', f, '-'))
for line in page.iter('{http://www.w3.org/1999/xhtml}line'):
    words = [[float(e.get(k)) for k in ('xMin', 'xMax', 'yMin', 'yMax')] + [e.text] for e in line]
    for i, (x0, x1, y0, y1, _) in enumerate(words):
        size = round((y1 - y0) / 0.925, 2); y = round(h - (y1 - 0.207 * size), 3)
        gap = words[i - 1][1] if i else -1e9
        start = max((s for s in origins if abs(s[2] - y) <= 0.05 and gap - 0.05 < s[1] <= x0 + 0.05),
                    key=lambda s: s[1], default=('-', x0))
        for j in range(i, len(words)):
            print('text', start[0], size, start[1], y, words[j][1], int(i == 0 and j == len(words) - 1),
                  ' '.join(w[4] for w in words[i:j + 1]))
)";

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

// What a test read is kept where people look at the tests' output; the last
// run to write a name leaves its copy.
static void KeepToLookAt(const std::wstring& path)
{
    CreateDirectoryW(L"test-out", nullptr);
    CreateDirectoryW(L"test-out\\pdf", nullptr);
    size_t slash = path.find_last_of(L"\\/");
    CopyFileW(path.c_str(), (L"test-out\\pdf\\" + path.substr(slash == std::wstring::npos ? 0 : slash + 1)).c_str(),
              FALSE);
}

bool PdfPage::Load(const std::wstring& path)
{
    KeepToLookAt(path);
    std::string output, file = ShellQuoted(HostPath(path));
    int status = RunOnHost("qpdf --check " + file + " && python3 -c " + ShellQuoted(kReader) + " " + file, output);
    if (status != 0) {
        error = "qpdf refuses the file (status " + std::to_string(status) + "): " + output;
        return false;
    }
    std::istringstream in(output);
    for (std::string line, key; std::getline(in, line);) {
        std::istringstream fields(line);
        fields >> key;
        PdfStroke stroke;
        PdfText text;
        int filters = 0, whole = 0;
        if (key == "page" && fields >> pageCount >> mediaWidth >> mediaHeight >> filters) {
            compressed = filters > 0;
        } else if ((key == "line" || key == "rect") && fields >> stroke.a >> stroke.b >> stroke.c >> stroke.d >> stroke.width) {
            (key == "line" ? lines : rects).push_back(stroke);
        } else if (key == "text" && fields >> text.font >> text.size >> text.x >> text.y >> text.right >> whole) {
            std::string words;
            std::getline(fields >> std::ws, words);
            int n = MultiByteToWideChar(CP_UTF8, 0, words.c_str(), -1, nullptr, 0);
            text.text.resize(n);
            MultiByteToWideChar(CP_UTF8, 0, words.c_str(), -1, &text.text[0], n);
            text.text.resize(n - 1);
            text.font = text.font == "-" ? std::string() : text.font;
            texts.push_back(text);
            if (whole)
                m_described += text.font + " " + std::to_string(text.size) + " (" + std::to_string(text.x) + ", " +
                               std::to_string(text.y) + ") \"" + words + "\"\n";
        }
    }
    return true;
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

bool PdfPage::Has(const std::vector<PdfStroke>& strokes, double a, double b, double c, double d)
{
    for (const PdfStroke& s : strokes)
        if (Near(s.a, a) && Near(s.b, b) && Near(s.c, c) && Near(s.d, d))
            return true;
    return false;
}

std::wstring OutputPath(const std::wstring& name)
{
    static std::wstring folder;
    if (folder.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"brivane-pdf-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount()) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder + name;
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
    ASSERT_TRUE(page.Load(path)) << page.error << " (tools/setup.sh installs qpdf on the host)";
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
