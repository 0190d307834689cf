#include "tests/printing/pdf/PdfFixtures.h"
#include "database/DocumentTables.h"
#include "printing/pdf/PdfExports.h"
#include "database/qsql/SqlText.h"
#include "tests/printing/support/PdfExpect.h"

using micro::qsql::SqlFormat;

namespace pdftest {

LineSpec Line(const std::wstring& name, double quantity, double price, int vatCode)
{
    return LineSpec{name, quantity, price, vatCode, false};
}

LineSpec DiscountLine(double price)
{
    return LineSpec{L"", 1, price, 0, true};
}

std::vector<LineSpec> ShortLines(int count)
{
    std::vector<LineSpec> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(Line(L"Produs " + std::to_wstring(i), 1, 10 + i));
    return lines;
}

std::wstring NameOfLength(int length, int row)
{
    std::wstring tail = L" " + std::to_wstring(row);
    std::wstring name = L"Produs cu o denumire foarte lunga si inca ceva";
    while (name.size() + tail.size() < static_cast<size_t>(length))
        name += L'x';
    return name.substr(0, length - tail.size()) + tail;
}

void PdfExportTest::SetUp()
{
    tempDb.Exec(L"update Societate set denumire = 'Firma Test SRL', nrreg = 'J08/1/2020', cui = 'RO111', "
                L"adresa = 'Str. Lunga 3', oras = 'Brasov', telefon = '0268 111', fax = '0268 222', "
                L"banca = 'Banca A', cont = 'RO01A', banca2 = 'Banca B', cont2 = 'RO02B', cotaTVA = 0, "
                L"tvaincasare = 0 where id = 1");
    tempDb.Exec(L"update Utilizator set Nume = 'Ion Pop', CI = 'BV 123', CNP = '1800101080011' where id = 1");
    clientId = tempDb.AddClient(L"Client Unu SRL", 0, L"RO222");
}

void PdfExportTest::SetCompanyVat(int vatCode, int vatOnCollection)
{
    tempDb.Exec(SqlFormat(L"update Societate set cotaTVA = %d, tvaincasare = %d where id = 1", vatCode,
                          vatOnCollection)
                    .c_str());
}

void PdfExportTest::SetClient(const wchar_t* name, const wchar_t* city)
{
    tempDb.Exec(SqlFormat(L"update Clienti set Nume = '%s', Oras = '%s' where id = %llu", name, city, clientId).c_str());
}

unsigned long long PdfExportTest::AddDocument(int type, long long number, const std::vector<LineSpec>& lines, double net)
{
    double sum = 0;
    for (const LineSpec& line : lines)
        sum += line.quantity * line.price;
    if (net < 0)
        net = sum;
    tempDb.Exec(SqlFormat(L"insert into %s (status, numar, client, dataCreare, dataScadenta, agent, delegat, "
                          L"valoareFT, valoareTVA, valoareTTI, sold, serie) values (1, %lld, %llu, 1700000000, "
                          L"1702592000, 0, 0, %f, %f, %f, %f, 'FCT')",
                          DocumentHeaderTable(type), number, clientId, net, net * 0.24, net * 1.24, net * 1.24)
                    .c_str());
    unsigned long long id = static_cast<unsigned long long>(db().LastInsertRowId());
    for (const LineSpec& line : lines) {
        unsigned long long product =
            line.discount ? 0 : tempDb.AddProduct(line.name.c_str(), line.price, line.vatCode, L"Buc");
        tempDb.Exec(SqlFormat(L"insert into %s (produsID, cantitate, valoareFT, IDFactura) values (%llu, %f, %f, %llu)",
                              DocumentLineTable(type), product, line.quantity, line.price, id)
                        .c_str());
    }
    return id;
}

void PdfExportTest::SetReceiptCounter(long long number)
{
    tempDb.Exec(SqlFormat(L"update ConfigFacturi set numarChit = %lld where id = 1", number).c_str());
}

bool PdfExportTest::WriteLayout(int layout, unsigned long long id, int type, const std::wstring& name, PdfPage& page)
{
    FacturaPrintJob job(id, type, layout, nullptr);
    std::wstring path = OutputPath(name);
    DeleteFileW(path.c_str());
    bool written = layout == 1   ? WriteFacturaPdfLayout1(job, path.c_str())
                   : layout == 2 ? WriteFacturaChitantaPdfLayout2(job, path.c_str())
                                 : WriteFacturaPdfLayout3(job, path.c_str());
    if (!written)
        return false;
    LoadChecked(path, page);
    return true;
}

} // namespace pdftest
