#include "tests/printing/support/PdfReader.h"
#include <windows.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace pdftest {

namespace {

bool ReadFileBytes(const std::wstring& path, std::string& out)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char chunk[65536];
    DWORD read = 0;
    out.clear();
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0)
        out.append(chunk, read);
    CloseHandle(file);
    return true;
}

// "N 0 obj ... endobj" bodies by object number.
std::map<int, std::string> SplitObjects(const std::string& file)
{
    std::map<int, std::string> objects;
    size_t at = 0;
    while ((at = file.find(" 0 obj", at)) != std::string::npos) {
        size_t digits = at;
        while (digits > 0 && isdigit(static_cast<unsigned char>(file[digits - 1])))
            --digits;
        size_t bodyStart = at + 6;
        size_t end = file.find("endobj", bodyStart);
        if (digits == at || end == std::string::npos) {
            at = bodyStart;
            continue;
        }
        objects[atoi(file.c_str() + digits)] = file.substr(bodyStart, end - bodyStart);
        at = end;
    }
    return objects;
}

int Reference(const std::string& body, const std::string& key)
{
    size_t at = body.find(key + " ");
    return at == std::string::npos ? -1 : atoi(body.c_str() + at + key.size() + 1);
}

std::string StreamOf(const std::string& body)
{
    size_t start = body.find("stream");
    if (start == std::string::npos)
        return std::string();
    start += 6;
    if (body.compare(start, 2, "\r\n") == 0)
        start += 2;
    else if (start < body.size() && body[start] == '\n')
        ++start;
    size_t end = body.find("endstream", start);
    return body.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::wstring FromCodePage1250(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(1250, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(1250, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], n);
    return text;
}

struct Token {
    enum Kind { Number, Name, String, Operator, Other } kind;
    double number;
    std::string text;
};

class Tokenizer {
public:
    explicit Tokenizer(const std::string& s) : m_s(s), m_at(0) {}

    bool Next(Token& token)
    {
        SkipSpace();
        if (m_at >= m_s.size())
            return false;
        char c = m_s[m_at];
        if (c == '(') {
            token = {Token::String, 0, LiteralString()};
        } else if (c == '<' && m_s.compare(m_at, 2, "<<") != 0) {
            token = {Token::String, 0, HexString()};
        } else if (c == '/') {
            ++m_at;
            token = {Token::Name, 0, Word()};
        } else if (isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
            std::string w = Word();
            token = {Token::Number, atof(w.c_str()), w};
        } else if (c == '[' || c == ']' || c == '<' || c == '>') {
            token = {Token::Other, 0, std::string(1, c)};
            ++m_at;
        } else {
            token = {Token::Operator, 0, Word()};
        }
        return true;
    }

private:
    static bool IsDelimiter(char c) { return strchr("()<>[]{}/% \t\r\n\f", c) != nullptr || c == 0; }

    void SkipSpace()
    {
        while (m_at < m_s.size()) {
            char c = m_s[m_at];
            if (c == '%') {
                while (m_at < m_s.size() && m_s[m_at] != '\n')
                    ++m_at;
            } else if (isspace(static_cast<unsigned char>(c))) {
                ++m_at;
            } else {
                break;
            }
        }
    }

    std::string Word()
    {
        size_t start = m_at;
        while (m_at < m_s.size() && !IsDelimiter(m_s[m_at]))
            ++m_at;
        if (m_at == start)
            ++m_at;
        return m_s.substr(start, m_at - start);
    }

    std::string LiteralString()
    {
        std::string out;
        int depth = 0;
        ++m_at;
        while (m_at < m_s.size()) {
            char c = m_s[m_at++];
            if (c == '\\' && m_at < m_s.size()) {
                char e = m_s[m_at++];
                switch (e) {
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case '\n': break;
                case '\r':
                    if (m_at < m_s.size() && m_s[m_at] == '\n')
                        ++m_at;
                    break;
                default:
                    if (e >= '0' && e <= '7') {
                        int value = e - '0';
                        for (int i = 0; i < 2 && m_at < m_s.size() && m_s[m_at] >= '0' && m_s[m_at] <= '7'; ++i)
                            value = value * 8 + (m_s[m_at++] - '0');
                        out += static_cast<char>(value);
                    } else {
                        out += e;
                    }
                }
            } else if (c == '(') {
                ++depth;
                out += c;
            } else if (c == ')') {
                if (depth-- == 0)
                    break;
                out += c;
            } else {
                out += c;
            }
        }
        return out;
    }

    std::string HexString()
    {
        std::string digits;
        ++m_at;
        while (m_at < m_s.size() && m_s[m_at] != '>') {
            if (isxdigit(static_cast<unsigned char>(m_s[m_at])))
                digits += m_s[m_at];
            ++m_at;
        }
        ++m_at;
        if (digits.size() % 2)
            digits += '0';
        std::string out;
        for (size_t i = 0; i < digits.size(); i += 2)
            out += static_cast<char>(strtol(digits.substr(i, 2).c_str(), nullptr, 16));
        return out;
    }

    const std::string& m_s;
    size_t m_at;
};

bool Near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

} // namespace

bool PdfPage::Fail(const std::string& why)
{
    m_error = why;
    return false;
}

bool PdfPage::Load(const std::wstring& path)
{
    std::string file;
    if (!ReadFileBytes(path, file))
        return Fail("cannot read the file");
    if (file.compare(0, 5, "%PDF-") != 0)
        return Fail("no PDF header");
    if (file.find("%%EOF") == std::string::npos)
        return Fail("no end-of-file marker");
    std::map<int, std::string> objects = SplitObjects(file);
    int pageObject = -1;
    for (const auto& object : objects) {
        if (object.second.find("/Filter") != std::string::npos)
            compressed = true;
        size_t at = object.second.find("/Type /Page");
        if (at != std::string::npos && object.second.compare(at, 12, "/Type /Pages") != 0) {
            ++pageCount;
            if (pageObject < 0)
                pageObject = object.first;
        }
    }
    if (pageObject < 0)
        return Fail("no page object");
    const std::string& page = objects[pageObject];
    size_t box = page.find("/MediaBox [");
    if (box != std::string::npos) {
        std::istringstream in(page.substr(box + 11));
        double x0, y0;
        in >> x0 >> y0 >> mediaWidth >> mediaHeight;
    }
    int contents = Reference(page, "/Contents");
    if (!objects.count(contents))
        return Fail("no content stream");
    content = StreamOf(objects[contents]);

    std::vector<std::pair<std::string, std::string>> fonts;
    size_t fontDict = page.find("/Font <<");
    size_t fontEnd = fontDict == std::string::npos ? fontDict : page.find(">>", fontDict);
    if (fontDict != std::string::npos && fontEnd != std::string::npos) {
        std::istringstream in(page.substr(fontDict + 8, fontEnd - fontDict - 8));
        std::string name, generation, r;
        int number;
        while (in >> name >> number >> generation >> r) {
            std::string base;
            size_t at = objects[number].find("/BaseFont /");
            if (at != std::string::npos) {
                at += 11;
                size_t end = objects[number].find_first_of(" \r\n/>", at);
                base = objects[number].substr(at, end - at);
            }
            fonts.emplace_back(name.substr(1), base);
        }
    }
    Interpret(fonts);
    return true;
}

void PdfPage::Interpret(const std::vector<std::pair<std::string, std::string>>& fonts)
{
    Tokenizer tokens(content);
    std::vector<Token> operands;
    std::string font;
    double size = 0, width = 1, cx = 0, cy = 0, lineX = 0, lineY = 0;
    std::vector<PdfLine> pendingLines;
    std::vector<PdfRect> pendingRects;
    bool inText = false, shown = false;
    PdfText current = {};
    Token token;
    auto number = [&](size_t fromEnd) {
        return operands.size() >= fromEnd ? operands[operands.size() - fromEnd].number : 0.0;
    };
    while (tokens.Next(token)) {
        if (token.kind != Token::Operator) {
            operands.push_back(token);
            continue;
        }
        const std::string& op = token.text;
        if (op == "Tf" && operands.size() >= 2) {
            std::string resource = operands[operands.size() - 2].text;
            font = resource;
            for (const auto& f : fonts)
                if (f.first == resource)
                    font = f.second;
            size = number(1);
        } else if (op == "w") {
            width = number(1);
        } else if (op == "m") {
            cx = number(2);
            cy = number(1);
        } else if (op == "l") {
            pendingLines.push_back({cx, cy, number(2), number(1), width});
            cx = number(2);
            cy = number(1);
        } else if (op == "re") {
            pendingRects.push_back({number(4), number(3), number(2), number(1), width});
        } else if (op == "S") {
            lines.insert(lines.end(), pendingLines.begin(), pendingLines.end());
            rects.insert(rects.end(), pendingRects.begin(), pendingRects.end());
            pendingLines.clear();
            pendingRects.clear();
        } else if (op == "n" || op == "f" || op == "F" || op == "B" || op == "b") {
            pendingLines.clear();
            pendingRects.clear();
        } else if (op == "BT") {
            inText = true;
            shown = false;
            lineX = lineY = 0;
            current = PdfText{font, size, 0, 0, std::string(), std::wstring()};
        } else if (op == "Td" && inText) {
            lineX += number(2);
            lineY += number(1);
        } else if (op == "Tm" && inText) {
            lineX = number(2);
            lineY = number(1);
        } else if (op == "Tj" && inText && !operands.empty()) {
            if (!shown) {
                current.font = font;
                current.size = size;
                current.x = lineX;
                current.y = lineY;
                shown = true;
            }
            current.bytes += operands.back().text;
        } else if (op == "ET" && inText) {
            if (!shown) {
                current.x = lineX;
                current.y = lineY;
            }
            current.text = FromCodePage1250(current.bytes);
            texts.push_back(current);
            inText = false;
        }
        operands.clear();
    }
}

const PdfText* PdfPage::Find(const std::wstring& text) const
{
    for (const PdfText& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

std::vector<const PdfText*> PdfPage::FindAll(const std::wstring& text) const
{
    std::vector<const PdfText*> found;
    for (const PdfText& t : texts)
        if (t.text == text)
            found.push_back(&t);
    return found;
}

const PdfText* PdfPage::FindPrefix(const std::wstring& prefix) const
{
    for (const PdfText& t : texts)
        if (t.text.compare(0, prefix.size(), prefix) == 0)
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
