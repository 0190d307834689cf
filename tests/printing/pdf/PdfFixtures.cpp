#include "tests/printing/pdf/PdfFixtures.h"
#include "database/DocumentTables.h"
#include "database/qsql/SqlText.h"
#include "printing/pdf/PdfExports.h"
#include "tests/printing/support/PrintFixtures.h"

using micro::qsql::SqlFormat;

namespace pdftest {

std::vector<LineSpec> ShortLines(int count)
{
    std::vector<LineSpec> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(LineSpec{L"Produs " + std::to_wstring(i), 1, 10.0 + i});
    return lines;
}

void PdfExportTest::SetUp()
{
    layout_tests::SetCompany(tempDb);
    tempDb.Exec(L"update Utilizator set Nume = 'Ion Pop', CI = 'BV 123', CNP = '1800101080011' where id = 1");
    clientId = tempDb.AddClient(L"Client Unu SRL", 0, L"RO222");
}

unsigned long long PdfExportTest::AddDocument(int type, long long number, const std::vector<LineSpec>& lines, double net)
{
    double sum = 0;
    for (const LineSpec& line : lines)
        sum += line.quantity * line.price;
    net = net < 0 ? sum : net;
    unsigned long long id = printing_tests::AddHeader(tempDb, DocumentHeaderTable(type), number, clientId, net,
                                                      net * 0.24, net * 1.24);
    for (const LineSpec& line : lines) {
        unsigned long long product = line.discount ? 0 : tempDb.AddProduct(line.name.c_str(), line.price, 0, L"Buc");
        printing_tests::AddLine(tempDb, DocumentLineTable(type), id, product, line.quantity, line.price);
    }
    return id;
}

bool PdfExportTest::WriteLayout(int layout, unsigned long long id, int type, const std::wstring& name, PdfPage& page)
{
    FacturaPrintJob job(id, type, layout, nullptr);
    std::wstring path = OutputPath(name);
    DeleteFileW(path.c_str());
    bool written = layout == 1   ? WriteFacturaPdfLayout1(job, path.c_str())
                   : layout == 2 ? WriteFacturaChitantaPdfLayout2(job, path.c_str())
                                 : WriteFacturaPdfLayout3(job, path.c_str());
    if (written)
        LoadChecked(path, page);
    return written;
}

} // namespace pdftest
