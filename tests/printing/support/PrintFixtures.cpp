#include "tests/printing/support/PrintFixtures.h"
#include "database/DocumentTables.h"
#include "tests/printing/support/HostTools.h"

namespace printing_tests {

unsigned long long AddHeader(testing_support::TempDatabase& db, const wchar_t* table, long long number,
                             unsigned long long client, double net, double vat, double total, const wchar_t* series,
                             unsigned long long delegate, long long created, long long due)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into %s (status, numar, client, dataCreare, dataScadenta, agent, "
                                   L"delegat, valoareFT, valoareTVA, valoareTTI, sold, serie) values "
                                   L"(1, %lld, %llu, %lld, %lld, 0, %llu, %.2f, %.2f, %.2f, %.2f, '%s')",
                                   table, number, client, created, due, delegate, net, vat, total, total, series)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

void AddLine(testing_support::TempDatabase& db, const wchar_t* table, unsigned long long document,
             unsigned long long product, double quantity, double price)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into %s (produsID, cantitate, valoareFT, IDFactura) values "
                                   L"(%llu, %.17g, %.17g, %llu)",
                                   table, product, quantity, price, document)
                .c_str());
}

std::string SolidPng(unsigned width, unsigned height, unsigned char r, unsigned char g, unsigned char b)
{
    std::string png;
    pdftest::RunOnHost("convert -size " + std::to_string(width) + "x" + std::to_string(height) + " 'xc:rgb(" +
                           std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b) + ")' PNG24:-",
                       png);
    return png;
}

} // namespace printing_tests

namespace layout_tests {

void SetCompany(testing_support::TempDatabase& db, int vatCode, int vatOnCollection)
{
    db.Exec(micro::qsql::SqlFormat(
                L"update Societate set denumire = 'Firma Test SRL', nrreg = 'J40/1/2020', cui = 'RO111', "
                L"adresa = 'Str. Lunga 3', oras = 'Brasov', telefon = '0268 111', fax = '0268 222', "
                L"banca = 'Banca A', cont = 'RO01A', banca2 = 'Banca B', cont2 = 'RO02B', cotaTVA = %d, "
                L"tvaincasare = %d where id = 1",
                vatCode, vatOnCollection)
                .c_str());
}

InvoiceFixture AddDocument(testing_support::TempDatabase& db, int type, long long number,
                           const std::vector<std::wstring>& productNames)
{
    InvoiceFixture f;
    f.clientId = db.AddClient(L"Client Unu SRL");
    double net = 0;
    for (size_t i = 0; i < productNames.size(); ++i)
        net += 2 * (10.0 + i + 1);
    f.documentId = printing_tests::AddHeader(db, DocumentHeaderTable(type), number, f.clientId, net, net * 0.24,
                                             net * 1.24, L"FCT");
    for (size_t i = 0; i < productNames.size(); ++i) {
        unsigned long long product = db.AddProduct(productNames[i].c_str(), 10.0 + i + 1, 0, L"Buc");
        f.products.push_back(product);
        printing_tests::AddLine(db, DocumentLineTable(type), f.documentId, product, 2, 10.0 + i + 1);
    }
    return f;
}

std::vector<std::wstring> ShortNames(int count)
{
    std::vector<std::wstring> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(L"Produs " + std::to_wstring(i));
    return names;
}

std::wstring NameOfLength(int length, int row)
{
    std::wstring tail = L" " + std::to_wstring(row);
    std::wstring name = L"Produs cu denumire lunga";
    while (static_cast<int>(name.size() + tail.size()) < length)
        name += L'x';
    name = name.substr(0, length - tail.size()) + tail;
    return name;
}

void SetCompanyImages(testing_support::TempDatabase& db)
{
    const wchar_t* columns[] = {L"logo", L"stampila", L"background"};
    std::string pictures[] = {printing_tests::SolidPng(40, 20, 30, 60, 200), printing_tests::SolidPng(20, 20, 200, 30, 30),
                              printing_tests::SolidPng(30, 30, 235, 235, 200)};
    for (int i = 0; i < 3; ++i) {
        micro::qsql::QsqlStatement statement = db.Db().CompileStatement(
            micro::utils::QString::Formatted(L"update Societate set %s = ? where id = 1", columns[i]));
        statement.Bind(1, pictures[i].data(), static_cast<int>(pictures[i].size()));
        statement.ExecDML();
    }
}

} // namespace layout_tests
