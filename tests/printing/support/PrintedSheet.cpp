#include "tests/printing/support/PrintedSheet.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <ctime>
#include <sstream>
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/HostTools.h"

namespace printing_tests {

namespace {

// Runs on the host. Pages and their content streams come from qpdf; the
// streams are followed through their transformations (a printed job draws
// in device pixels scaled to points) for the marks of each stroked or filled
// path, and pdftotext gives the words with their boxes.
const char kReader[] = R"(import json, re, subprocess, sys, xml.etree.ElementTree as ET
f = sys.argv[1]; run = lambda *a: subprocess.run(a, capture_output=True, check=True).stdout
d = json.loads(run('qpdf', '--json', '--json-stream-data=none', f)); o = d['qpdf'][1]
word = re.compile(r'/?[^\s()<>\[\]{}/%]*')
def tokens(data):  # numbers and operators; strings, arrays, dictionaries and inline images stand for nothing
    i, n = 0, len(data)
    while i < n:
        c = data[i]
        if c.isspace(): i += 1; continue
        if c == '%': j = data.find('\n', i); i = n if j < 0 else j; continue
        if c == '(':
            depth, i = 1, i + 1
            while i < n and depth: depth += {'(': 1, ')': -1}.get(data[i], 0); i += 2 if data[i] == '\\' else 1
            yield None; continue
        if c == '<' and data[i + 1:i + 2] != '<': i = data.find('>', i) + 1; yield None; continue
        if c in '<>[]{})': i += 2 if data[i + 1:i + 2] == c and c in '<>' else 1; yield None; continue
        w = word.match(data, i).group(0) or c; i += len(w)
        if w == 'BI': m = re.compile(r'\sEI\s').search(data, i); i = m.end() if m else n; continue
        try: yield float(w)
        except ValueError: yield w
def times(m, n): return [m[0]*n[0] + m[1]*n[2], m[0]*n[1] + m[1]*n[3], m[2]*n[0] + m[3]*n[2], m[2]*n[1] + m[3]*n[3],
                         m[4]*n[0] + m[5]*n[2] + n[4], m[4]*n[1] + m[5]*n[3] + n[5]]
white = ([1.0], [1.0, 1.0, 1.0], [0.0, 0.0, 0.0, 0.0])
for number, page in enumerate(d['pages'], 1):
    box = o['obj:' + page['object']]['value']['/MediaBox']; h = box[3]
    print('page', number)
    ctm, width, fill, saved, nums, path, at = [1, 0, 0, 1, 0, 0], 1.0, [0.0], [], [], [], (0, 0)
    pt = lambda x, y: (ctm[0]*x + ctm[2]*y + ctm[4], h - (ctm[1]*x + ctm[3]*y + ctm[5]))
    for ref in page['contents']:
        for v in tokens(run('qpdf', '--show-object=' + ref.split()[0], '--filtered-stream-data', f).decode('latin-1')):
            if isinstance(v, float): nums.append(v); continue
            if v == 'q': saved.append((ctm, width, fill))
            elif v == 'Q' and saved: ctm, width, fill = saved.pop()
            elif v == 'cm': ctm = times(nums[-6:], ctm)
            elif v == 'w': width = nums[-1]
            elif v in ('g', 'rg', 'k'): fill = nums
            elif v == 'm': at = pt(*nums[-2:])
            elif v == 'l': path.append((at, pt(*nums[-2:]))); at = path[-1][1]
            elif v == 're':
                x, y, w, t = nums[-4:]; c = [pt(x, y), pt(x + w, y), pt(x + w, y + t), pt(x, y + t)]
                path += [(c[k - 1], c[k]) for k in range(4)]
            elif v in ('S', 's', 'B', 'B*', 'b', 'b*'):
                half = width * abs(ctm[0]*ctm[3] - ctm[1]*ctm[2]) ** 0.5 / 2
                for (x1, y1), (x2, y2) in path:
                    print('ink', number, min(x1, x2) - half, min(y1, y2) - half, max(x1, x2) + half, max(y1, y2) + half)
            elif v in ('f', 'F', 'f*') and path and fill not in white:
                xs = [p[0] for s in path for p in s]; ys = [p[1] for s in path for p in s]
                print('ink', number, min(xs), min(ys), max(xs), max(ys))
            if v in ('S', 's', 'B', 'B*', 'b', 'b*', 'f', 'F', 'f*', 'n'): path = []
            nums = []
text = ET.fromstring(run('pdftotext', '-enc', 'UTF-8', '-bbox', f, '-'))
for number, page in enumerate(text.iter('{http://www.w3.org/1999/xhtml}page'), 1):
    for w in page.iter('{http://www.w3.org/1999/xhtml}word'):
        print('word', number, *(w.get(k) for k in ('xMin', 'yMin', 'xMax', 'yMax')), w.text)
)";

std::string Described(const SheetBox& box)
{
    std::ostringstream out;
    out.precision(1);
    out << std::fixed << box.left << "-" << box.right << " x " << box.top << "-" << box.bottom;
    return out.str();
}

bool Meet(const SheetBox& a, const SheetBox& b)
{
    return a.page == b.page && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

bool PrintedSheet::HasWord(const std::string& text) const
{
    for (const SheetBox& w : words)
        if (w.text == text)
            return true;
    return false;
}

std::string PrintedSheet::WordsOnLines() const
{
    std::string found;
    for (const SheetBox& w : words)
        for (const SheetBox& line : ink)
            if (Meet(w, line))
                found += "page " + std::to_string(w.page) + ": \"" + w.text + "\" " + Described(w) +
                         " meets the line " + Described(line) + "\n";
    return found;
}

bool ReadSheet(const std::string& hostPath, PrintedSheet& sheet, std::string& error)
{
    std::string output, file = pdftest::ShellQuoted(hostPath);
    int status = pdftest::RunOnHost("python3 -c " + pdftest::ShellQuoted(kReader) + " " + file, output);
    if (status != 0) {
        error = "the PDF could not be read (status " + std::to_string(status) + "): " + output;
        return false;
    }
    sheet = PrintedSheet();
    std::istringstream in(output);
    for (std::string line, key; std::getline(in, line);) {
        std::istringstream fields(line);
        SheetBox box;
        fields >> key;
        if (key == "page") {
            ++sheet.pages;
        } else if ((key == "ink" || key == "word") && fields >> box.page >> box.left >> box.top >> box.right >> box.bottom) {
            std::getline(fields >> std::ws, box.text);
            (key == "ink" ? sheet.ink : sheet.words).push_back(box);
        }
    }
    return true;
}

void ChoosePrint(HWND printDialog) { PostMessageW(printDialog, WM_COMMAND, IDOK, 0); }

void ReadPrintedJob(const std::string& marker, long long since, PrintedSheet& sheet)
{
    sheet = PrintedSheet();
    std::string file = WaitForPrintedPdf("Dovodozi_Printout", marker, since);
    ASSERT_FALSE(file.empty()) << "the queue wrote no PDF showing " << marker;
    std::string error;
    ASSERT_TRUE(ReadSheet(file, sheet, error)) << error;
}

void PrintThroughSpooler(const std::function<bool()>& print, const std::string& marker, PrintedSheet& sheet,
                         bool confirmReceipt)
{
    long long since = time(nullptr);  // Wine and the queue share the host's clock
    testing_support::ModalDriver driver(30000);
    if (confirmReceipt)
        driver.When(L"Confirmare date chitanta",
                    [](HWND dialog) { testing_support::ModalDriver::Click(dialog, IDOK); });
    driver.When(L"Print", ChoosePrint);
    EXPECT_TRUE(print());
    driver.Verify();
    ReadPrintedJob(marker, since, sheet);
}

std::string MarkCompanyName(testing_support::TempDatabase& db)
{
    // A random part tells this run from others printing beside it (test
    // programs in prefixes of their own have the same process ids, and two
    // once read each other's jobs), the count this job from the run's others.
    static const unsigned long run = [] {
        GUID guid = {};
        CoCreateGuid(&guid);
        return guid.Data1;
    }();
    static int jobs = 0;
    std::wstring name = L"Firma" + std::to_wstring(run) + L"n" + std::to_wstring(++jobs);
    db.Exec(micro::qsql::SqlFormat(L"update Societate set denumire = '%s' where id = 1", name.c_str()).c_str());
    return testing_support::Narrow(name);
}

HWND CreatePrintOwner()
{
    return CreateWindowExW(0, L"STATIC", L"Spooler test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void SpoolerTest::SetUp()
{
    if (!SpoolerRunning())
        GTEST_SKIP() << "no print spooler with a default queue is running (start it with tools/spooler.sh)";
    owner = CreatePrintOwner();
}

void SpoolerTest::TearDown()
{
    if (owner)
        DestroyWindow(owner);
}

} // namespace printing_tests
