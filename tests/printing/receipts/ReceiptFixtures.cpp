#include "tests/printing/receipts/ReceiptFixtures.h"
#include "framework/utils/QString.h"
#include "tests/printing/support/PrintFixtures.h"

namespace receipt_tests {

ChitantaTexts SampleTexts()
{
    ChitantaTexts t;
    t.facturi = L"12";
    t.serieFacturi = L"FCT";
    t.data = L"06-12-2026";
    t.clientNume = L"Client Test SRL";
    t.clientNrReg = L"J08/55/2010";
    t.clientCod = L"RO777";
    t.clientAdresa = L"Str. Lunga 5";
    t.clientOras = L"Brasov";
    t.numar = L"7";
    t.serieChit = L"AB";
    t.suma = L"1456.78";
    t.sumaInLitere = L" una mie patru sute cincizeci si sase   lei si  saptezeci si opt  bani ";
    t.firmaDenumire = L"Firma Test SRL";
    t.firmaNrReg = L"J40/1/2000";
    t.firmaCui = L"RO123";
    t.firmaAdresa = L"Bd. Unirii 1";
    t.firmaOras = L"Bucuresti";
    return t;
}

std::string LogoPicture() { return printing_tests::SolidPng(80, 30, 30, 60, 200); }
std::string StampPicture() { return printing_tests::SolidPng(30, 30, 200, 30, 30); }

void StoreCompany(testing_support::TempDatabase& db, bool withPictures)
{
    db.Exec(L"update Societate set denumire = 'Firma Test SRL', nrreg = 'J40/1/2000', cui = 'RO123', "
            L"adresa = 'Bd. Unirii 1', oras = 'Bucuresti' where id = 1");
    if (!withPictures)
        return;
    std::string logo = LogoPicture(), stamp = StampPicture();
    micro::qsql::QsqlStatement update =
        db.Db().CompileStatement(L"update Societate set logo = ?, stampila = ? where id = 1");
    update.Bind(1, reinterpret_cast<const unsigned char*>(logo.data()), static_cast<int>(logo.size()));
    update.Bind(2, reinterpret_cast<const unsigned char*>(stamp.data()), static_cast<int>(stamp.size()));
    update.ExecDML();
}

unsigned long long StoreClient(testing_support::TempDatabase& db)
{
    db.Exec(L"insert into Clienti (id, Nume, Cod, NrReg, Adresa, Oras) values "
            L"(NULL, 'Client Test SRL', 'RO777', 'J08/55/2010', 'Str. Lunga 5', 'Brasov')");
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

} // namespace receipt_tests
