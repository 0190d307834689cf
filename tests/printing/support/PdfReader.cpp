#include "tests/printing/support/PdfReader.h"
#include <windows.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include "tests/printing/support/HostTools.h"

namespace pdftest {

namespace {

std::string Quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Section(const std::string& output, const std::string& marker, const std::string& next)
{
    size_t from = output.find(marker);
    if (from == std::string::npos)
        return std::string();
    from += marker.size();
    size_t to = next.empty() ? std::string::npos : output.find(next, from);
    return output.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

std::wstring FromUtf8(const std::string& text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string Unescaped(std::string text)
{
    static const char* const entities[][2] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"},
                                              {"&amp;", "&"}};
    for (const auto& e : entities)
        for (size_t at; (at = text.find(e[0])) != std::string::npos;)
            text.replace(at, strlen(e[0]), e[1]);
    return text;
}

double Attribute(const std::string& tag, const char* name)
{
    size_t at = tag.find(std::string(" ") + name + "=\"");
    return at == std::string::npos ? 0 : atof(tag.c_str() + at + strlen(name) + 3);
}

bool Near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

} // namespace

bool PdfPage::Fail(const std::string& why)
{
    m_error = why;
    return false;
}

bool PdfPage::Load(const std::wstring& path)
{
    std::string file = Quoted(HostPath(path)), output;
    std::string command = "f=" + file + "; qpdf --show-npages \"$f\" > /dev/null || exit 3\n"
                          "echo @@PAGES; qpdf --show-npages \"$f\"\n"
                          "echo @@JSON; qpdf --json --json-key=qpdf --json-stream-data=none \"$f\"\n"
                          "echo @@CONTENT; qpdf --show-object=$(qpdf --show-pages \"$f\" | awk 'NR==3{print $1}') "
                          "--filtered-stream-data \"$f\"\n"
                          "echo; echo @@TEXT; pdftotext -enc UTF-8 -f 1 -l 1 -bbox-layout \"$f\" -";
    int status = RunOnHost(command, output);
    if (status != 0)
        return Fail("qpdf cannot read the file (status " + std::to_string(status) + "): " + output);
    pageCount = atoi(Section(output, "@@PAGES", "@@JSON").c_str());
    std::string json = Section(output, "@@JSON", "@@CONTENT");
    compressed = json.find("\"/Filter\"") != std::string::npos;
    size_t box = json.find("\"/MediaBox\": [");
    if (box != std::string::npos) {
        double values[4] = {};
        const char* at = json.c_str() + box + 14;
        for (double& v : values) {
            at += strspn(at, " \r\n\t,");
            v = strtod(at, const_cast<char**>(&at));
        }
        mediaWidth = values[2] - values[0];
        mediaHeight = values[3] - values[1];
    }
    // Font resources ("/F1": "7 0 R") and the base font of each object named.
    for (size_t at = 0; (at = json.find("\"/F", at)) != std::string::npos; ++at) {
        size_t colon = json.find("\": \"", at);
        if (colon == std::string::npos || colon - at > 8)
            continue;
        std::string resource = json.substr(at + 2, colon - at - 2);
        std::string object = json.substr(colon + 4, json.find('"', colon + 4) - colon - 4);
        size_t body = json.find("\"obj:" + object + "\"");
        size_t base = body == std::string::npos ? body : json.find("\"/BaseFont\": \"/", body);
        if (base == std::string::npos || object.find(" R") == std::string::npos)
            continue;
        base += 15;
        m_fonts.push_back({resource, json.substr(base, json.find('"', base) - base)});
        bool known = false;
        for (const std::string& f : fonts)
            known = known || f == m_fonts.back().second;
        if (!known)
            fonts.push_back(m_fonts.back().second);
    }
    ReadStrokes(Section(output, "@@CONTENT", "@@TEXT"));
    ReadTexts(Section(output, "@@TEXT", ""));
    return true;
}

void PdfPage::ReadStrokes(const std::string& content)
{
    // The writer puts one operator on each line, after its operands.
    std::istringstream in(content);
    std::string line, font;
    double width = 1, cx = 0, cy = 0, textX = 0, textY = 0;
    std::vector<PdfLine> pendingLines;
    std::vector<PdfRect> pendingRects;
    while (std::getline(in, line)) {
        if (line.size() > 2 && line.compare(line.size() - 2, 2, "Tj") == 0) {
            m_origins.push_back({font, textX, textY});
            continue;
        }
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        if (w.empty())
            continue;
        const std::string& op = w.back();
        auto at = [&](size_t i) { return i < w.size() ? atof(w[i].c_str()) : 0.0; };
        if (op == "Tf" && w.size() == 3) {
            font = w[0].substr(1);
            for (const auto& f : m_fonts)
                if (f.first == font)
                    font = f.second;
        } else if (op == "w") {
            width = at(0);
        } else if (op == "m") {
            cx = at(0);
            cy = at(1);
        } else if (op == "l") {
            pendingLines.push_back({cx, cy, at(0), at(1), width});
            cx = at(0);
            cy = at(1);
        } else if (op == "re") {
            pendingRects.push_back({at(0), at(1), at(2), at(3), width});
        } else if (op == "S") {
            lines.insert(lines.end(), pendingLines.begin(), pendingLines.end());
            rects.insert(rects.end(), pendingRects.begin(), pendingRects.end());
            pendingLines.clear();
            pendingRects.clear();
        } else if (op == "n" || op == "f" || op == "B") {
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

void PdfPage::ReadTexts(const std::string& layout)
{
    // pdftotext gives word boxes; the writer's fonts are Helvetica and
    // Helvetica-Bold, whose boxes reach 0.718 of the size above the baseline
    // and 0.207 below it.
    for (size_t line = 0; (line = layout.find("<line ", line)) != std::string::npos;) {
        size_t lineEnd = layout.find("</line>", line);
        double previousRight = -1e9;
        PdfText* current = nullptr;
        for (size_t word = line; (word = layout.find("<word ", word)) != std::string::npos && word < lineEnd;) {
            size_t open = layout.find('>', word), close = layout.find("</word>", open);
            std::string tag = layout.substr(word, open - word);
            std::wstring text = FromUtf8(Unescaped(layout.substr(open + 1, close - open - 1)));
            double xMin = Attribute(tag, "xMin"), yMin = Attribute(tag, "yMin"), yMax = Attribute(tag, "yMax");
            double size = std::round((yMax - yMin) / 0.925 * 100) / 100;
            double y = std::round((mediaHeight - (yMax - 0.207 * size)) * 1000) / 1000;
            // A text object of the writer starts in the gap before this word: a new text.
            const Origin* origin = nullptr;
            for (const Origin& o : m_origins)
                if (Near(o.y, y, 0.05) && o.x > previousRight - 0.05 && o.x <= xMin + 0.05 && (!origin || o.x > origin->x))
                    origin = &o;
            if (!current || origin) {
                texts.push_back({origin ? origin->font : std::string(), size, origin ? origin->x : xMin, y, text});
                current = &texts.back();
            } else {
                current->text += L" " + text;
            }
            previousRight = Attribute(tag, "xMax");
            word = close;
        }
        line = lineEnd;
    }
}

std::wstring Collapsed(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (iswspace(c)) {
            if (!out.empty() && out.back() != L' ')
                out += L' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == L' ')
        out.pop_back();
    return out;
}

const PdfText* PdfPage::Find(const std::wstring& text) const
{
    std::vector<const PdfText*> all = FindAll(text);
    return all.empty() ? nullptr : all.front();
}

std::vector<const PdfText*> PdfPage::FindAll(const std::wstring& text) const
{
    std::wstring wanted = Collapsed(text);
    std::vector<const PdfText*> found;
    for (const PdfText& t : texts)
        if (t.text == wanted)
            found.push_back(&t);
    return found;
}

const PdfText* PdfPage::FindPrefix(const std::wstring& prefix) const
{
    std::wstring wanted = Collapsed(prefix);
    for (const PdfText& t : texts)
        if (t.text.compare(0, wanted.size(), wanted) == 0)
            return &t;
    return nullptr;
}

bool PdfPage::HasLine(double x1, double y1, double x2, double y2, double tolerance) const
{
    for (const PdfLine& l : lines)
        if (Near(l.x1, x1, tolerance) && Near(l.y1, y1, tolerance) && Near(l.x2, x2, tolerance) &&
            Near(l.y2, y2, tolerance))
            return true;
    return false;
}

bool PdfPage::HasRect(double x, double y, double w, double h, double tolerance) const
{
    for (const PdfRect& r : rects)
        if (Near(r.x, x, tolerance) && Near(r.y, y, tolerance) && Near(r.w, w, tolerance) &&
            Near(r.h, h, tolerance))
            return true;
    return false;
}

std::vector<PdfLine> PdfPage::VerticalLinesAt(double x, double tolerance) const
{
    std::vector<PdfLine> found;
    for (const PdfLine& l : lines)
        if (Near(l.x1, x, tolerance) && Near(l.x2, x, tolerance))
            found.push_back(l);
    return found;
}

std::string PdfPage::Describe() const
{
    std::ostringstream out;
    for (const PdfText& t : texts)
        out << t.font << ' ' << t.size << " (" << t.x << ", " << t.y << ") \"" << Utf8(t.text) << "\"\n";
    return out.str();
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

} // namespace pdftest
