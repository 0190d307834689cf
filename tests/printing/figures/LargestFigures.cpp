#include "tests/printing/figures/LargestFigures.h"
#include "database/DocumentTables.h"
#include "masterdata/NumberText.h"
#include "printing/AmountToWords.h"
#include "tests/printing/support/PrintFixtures.h"

using printing_tests::AddHeader;
using printing_tests::AddLine;

namespace figures_tests {

namespace {

struct Line {
    bool discount;
    double quantity, price;
};

LargestDocument AddDocument(testing_support::TempDatabase& db, int type, const std::vector<Line>& lines, double net,
                            double vat, double total, std::vector<std::wstring> figures,
                            std::vector<std::wstring> vatFigures = {})
{
    unsigned long long client = db.AddClient(L"Client Unu SRL");
    LargestDocument doc{AddHeader(db, DocumentHeaderTable(type), 2147483647LL, client, net, vat, total), type,
                        std::move(figures), std::move(vatFigures)};
    int row = 0;
    for (const Line& line : lines) {
        std::wstring name = LongProductName(++row);
        unsigned long long product = line.discount ? 0 : db.AddProduct(name.c_str(), line.price, 0, L"Buc");
        AddLine(db, DocumentLineTable(type), doc.id, product, line.quantity, line.price);
    }
    return doc;
}

} // namespace

std::wstring LongProductName(int row)
{
    return L"Produs cu o denumire lunga, pe doua randuri " + std::to_wstring(row);
}

LargestDocument AddLargestReturnInvoice(testing_support::TempDatabase& db)
{
    return AddDocument(db, DocumentReturnInvoice,
                       {{false, -999999999.999, 0.01}, {false, -1, 806451612.89}, {true, 1, -999999999.99}},
                       -999999999.99, -193548387.09, -999999999.99,
                       {L"-999999999.999", L"-806451612.89", L"-999999999.99"}, {L"-193548387.09", L"-240000000.00"});
}

LargestDocument AddLargestInvoice(testing_support::TempDatabase& db)
{
    return AddDocument(db, DocumentInvoice,
                       {{false, 999999999.999, 0.01}, {false, 1, 806451612.89}, {true, -1, 999999999.99}},
                       999999999.99, 193548387.09, 999999999.99,
                       {L"999999999.999", L"806451612.89", L"999999999.99", L"-999999999.99"},
                       {L"193548387.09", L"-240000000.00"});
}

LargestDocument AddLargestNote(testing_support::TempDatabase& db)
{
    return AddDocument(db, DocumentGoodsReceived,
                       {{false, -999999999.999, 0.01}, {false, -1, 999999999.99}, {true, 1, -999999999.99}},
                       -999999999.99, 0, -999999999.99, {L"-999999999.999", L"999999999.99", L"-999999999.99"});
}

ChitantaTexts ReceiptOf(double sum)
{
    ChitantaTexts t;
    t.facturi = L"2147483647", t.serieFacturi = L"FCT", t.data = L"31-12-2026", t.numar = L"2147483647";
    t.serieChit = L"AB", t.clientNume = L"Client Unu SRL", t.clientNrReg = L"J08/55/2010", t.clientCod = L"RO777";
    t.clientAdresa = L"Str. Lunga 5", t.clientOras = L"Brasov";
    t.suma = MoneyText(sum), t.sumaInLitere = AmountToWords(sum);
    t.firmaDenumire = L"Firma Test SRL", t.firmaNrReg = L"J40/1/2000", t.firmaCui = L"RO123";
    t.firmaAdresa = L"Bd. Unirii 1", t.firmaOras = L"Bucuresti";
    return t;
}

std::vector<LargestDocument> AddLargestDocuments(testing_support::TempDatabase& db, int vatCode, bool note)
{
    layout_tests::SetCompany(db, vatCode);
    if (note)
        return {AddLargestNote(db)};
    return {AddLargestReturnInvoice(db), AddLargestInvoice(db)};
}

} // namespace figures_tests
