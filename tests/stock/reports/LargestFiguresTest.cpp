#include <array>
#include <cmath>
#include <ctime>
#include <cwchar>
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "stock/StockMovePrint.h"
#include "stock/StockRowValues.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/printing/support/HostTools.h"
#include "tests/printing/support/PrintedSheet.h"
#include "tests/stock/support/PaperFit.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;
using cash_tests::AddCashRow;
using layout_tests::EmfPage;
using layout_tests::EmfText;

namespace {

// The largest figures the program takes: a quantity, and a price or an amount.
const double kQty = 999999999.999, kPrice = 999999999.99;
const long long kNumber = 2147483647;  // the largest document number
// A figure of 12 characters that columns of the largest figures still show
// at full size, as wide as the largest amount.
const double kTwelveWide = 806451612.89;

const wchar_t kLongName[] = L"Profil aluminiu anodizat pentru tamplarie termoizolanta, lungime 6 metri, culoare bronz";
const wchar_t kLongPartner[] = L"Societatea Comerciala Constructii si Instalatii Electrice Moldova Nord SRL";

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += "\n  " + line;
    return all;
}

// Every page of the one job printed: no text out of its place, and each of
// `whole` printed whole somewhere.
void ExpectEveryTextInItsPlace(const layout_tests::MetafileSink& sink, std::initializer_list<std::wstring> whole)
{
    ASSERT_EQ(1u, sink.printedPages.size());
    const std::vector<EmfPage>& pages = sink.printedPages[0];
    for (size_t p = 0; p < pages.size(); ++p)
        EXPECT_EQ("", Joined(MisplacedTexts(pages[p]))) << "page " << p + 1;
    for (const std::wstring& text : whole)
        EXPECT_TRUE(sink.printed[0].Find(text)) << testing_support::Narrow(text) << " is not printed whole";
}

// A figure as shown is the value, to the ban or to the digits a double holds.
void ExpectFigure(double expected, const std::wstring& shown)
{
    double value = std::wcstod(shown.c_str(), nullptr);
    EXPECT_NEAR(expected, value, std::fabs(expected) * 1e-12 + 0.005) << testing_support::Narrow(shown);
}

// The first row of a list whose cell in `column` reads `text`.
int RowWith(HWND dialog, int list, int column, const std::wstring& text)
{
    for (int r = 0; r < ModalDriver::ListRowCount(dialog, list); ++r)
        if (ModalDriver::ListCell(dialog, list, r, column) == text)
            return r;
    return -1;
}

// The top of the nth row (from 0) of a table whose first row is at `first` units.
int RowY(float first, int n)
{
    int y = Y(first);
    for (int i = 0; i < n; ++i)
        y = static_cast<int>(y + kSy * 10);
    return y;
}

// An ordinary figure keeps its place and the table's size.
void ExpectInPlace(const EmfPage& page, const std::wstring& text, int x, int y)
{
    const EmfText* t = page.Find(text);
    EXPECT_TRUE(At(page, text, x, y)) << testing_support::Narrow(text) << " at " << (t ? t->x : -1) << ","
                                      << (t ? t->y : -1) << ", not " << x << "," << y;
    EXPECT_TRUE(t && t->fontHeight == static_cast<int>(7 * kSy)) << testing_support::Narrow(text) << " set smaller";
}

} // namespace

class LargestFigures : public StockTest {
protected:
    void SetUp() override
    {
        std::wstring sql = L"update Societate set denumire = '" + std::wstring(kLongPartner) +
                           L"', nrreg = 'J40/12345/2020', cui = 'RO12345678', adresa = 'Str. Mihail Kogalniceanu nr. "
                           L"123, bl. A4, sc. B, et. 10, ap. 245, Sector 5, Bucuresti, cod postal 050123' where id = 1";
        tempDb.Exec(sql.c_str());
    }
    // A product of the long name at the largest price, its id moved to `id`.
    long long BigProduct(long long id)
    {
        long long product = Product(kLongName, L"bucati", kPrice);
        tempDb.Exec(micro::qsql::SqlFormat(L"update Produse set id = %lld, denumireExtinsa = '%s' where id = %lld", id,
                                           kLongName, product)
                        .c_str());
        return id;
    }
    void Collect(HWND w, int from, int to, int collect)
    {
        ModalDriver::SetDate(w, from, PickerDay(kDay));
        ModalDriver::SetDate(w, to, PickerDay(kDay));
        ModalDriver::Click(w, collect);
    }
    // A client of the long name with 40 receipts of the largest sum before
    // the period (a balance of -39999999999.60), 41 invoices of it in the
    // period (the last brings the balance to 999999999.99), a return and one
    // more receipt. Answers the client.
    long long AddLargestPartnerRows()
    {
        long long client = tempDb.AddClient(kLongPartner);
        for (int i = 0; i < 40; ++i)  // paid in advance, before the period
            AddCashRow(tempDb, L"Incasari", {static_cast<unsigned long long>(client),
                                             static_cast<unsigned long long>(i + 1), L"", kPrice, 2, kDay - 86400});
        for (int i = 0; i < 41; ++i)
            Line(L"Facturi", kDay + 10 + i, 2, client, kNumber - i, 1, 1, kPrice);
        Line(L"Facturi", kDay + 100, 2, client, kNumber - 41, 1, -1, kPrice);  // a return
        AddCashRow(tempDb, L"Incasari", {static_cast<unsigned long long>(client),
                                         static_cast<unsigned long long>(kNumber), L"", kPrice, 2, kDay + 200});
        return client;
    }
    // The product's largest movements: three entries and four exits before
    // the period, then a note, an entry and an exit of the widest quantity
    // with two decimals (12 characters, as in the stock after the entry) and
    // two invoices of the largest numbers.
    void AddLargestWarehouseRows(long long product)
    {
        for (int i = 0; i < 3; ++i)
            Line(L"IntrariGenerale", kDay - 86400 + i, 2, 0, 0, product, kQty, kPrice);
        for (int i = 0; i < 4; ++i)
            Line(L"IesiriGenerale", kDay - 86400 + 10 + i, 2, 0, 0, product, kQty, kPrice);
        Line(L"Niruri", kDay + 10, 2, 0, kNumber, product, kQty, 0.01);
        Line(L"IntrariGenerale", kDay + 11, 2, 0, 0, product, kTwelveWide, 1);
        Line(L"IesiriGenerale", kDay + 12, 2, 0, 0, product, kTwelveWide, 1);
        Line(L"Facturi", kDay + 20, 2, 0, kNumber, product, kQty, 0.01);
        Line(L"Facturi", kDay + 30, 2, 0, kNumber, product, kQty, 0.01);
    }
    // A movement of `rows` rows of the product at the largest quantity and price.
    StockMovePrintout LargestMovement(long long product, int rows)
    {
        StockMovePrintout doc;
        doc.kind = 1;
        doc.number = kNumber;
        doc.date = L"31-12-26";
        doc.company.Load();
        for (int r = 0; r < rows; ++r)
            doc.rows.push_back(MovementRow(r, product, kPrice, kQty));
        return doc;
    }
    // The report the dialog prints when `steps` click its print button, the
    // print dialog answered, read back from the queue's PDF.
    void PrintThroughSpooler(micro::qdialog::QDialog& dialog, const wchar_t* title, const cash_tests::Steps& steps,
                             printing_tests::PrintedSheet& sheet)
    {
        long long since = time(nullptr);  // Wine and the queue share the host's clock
        std::string marker = printing_tests::MarkCompanyName(tempDb);
        RunDialog(dialog, title, steps, {{L"Print", printing_tests::ChoosePrint}});
        printing_tests::ReadPrintedJob(marker, since, sheet);
    }
    // A movement's printed row: NR, name, unit, quantity, unit price, value.
    static std::array<micro::utils::QString, 6> MovementRow(int index, long long product, double price, double qty)
    {
        StockRowCells cells = StoredRowCells(index, product, price, qty);
        return {cells.cells[0], cells.cells[2], cells.cells[5], cells.cells[4], cells.cells[3], cells.cells[7]};
    }
};

TEST_F(LargestFigures, StockListKeepsStocksPricesValuesAndTheTotalInTheirColumns)
{
    long long ordinary = Product(L"Cuie", L"kg", 2.5, 1.5);
    long long big = BigProduct(10000), owed = BigProduct(10001);
    for (int i = 0; i < 2; ++i)
        Line(L"IntrariGenerale", kDay - 86400 + i, 2, 0, 0, big, kQty, kPrice);
    Line(L"Facturi", kDay - 86400, 2, 0, 1, owed, kQty, 0.01);  // stock below 0
    MyStocArticoleDialog dialog(nullptr);
    layout_tests::MetafileSink sink(kPageW, kPageH);
    RunDialog(dialog, L"Stoc articole", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay));
        // A stock worth more than 64-bit bani hold is valued all the same.
        double worth = kPrice * (2 * kQty);
        ExpectFigure(worth, ModalDriver::ListCell(w, IDC_STOC_LISTA, 1, 5));
        ExpectFigure(worth + 3.75, ModalDriver::ListCell(w, IDC_STOC_LISTA, RowWith(w, IDC_STOC_LISTA, 0, L"TOTAL"), 5));
        ModalDriver::Click(w, IDC_STOC_TIPARESTE);
    });
    ExpectEveryTextInItsPlace(sink, {L"1999999999.998", L"-999999999.999", L"999999999.99", L"10000"});
    ASSERT_EQ(1u, sink.printedPages[0].size());
    ExpectInPlace(sink.printedPages[0][0], L"3.75", X(395 - 4), RowY(95, 0));
    ExpectInPlace(sink.printedPages[0][0], std::to_wstring(ordinary), X(19), RowY(95, 0));
}

TEST_F(LargestFigures, ArticleLedgerKeepsDatesNumbersQuantitiesAndSignedValuesInTheirColumns)
{
    long long product = BigProduct(10000);
    long long client = tempDb.AddClient(kLongPartner);
    for (int i = 0; i < 2; ++i)
        Line(L"IntrariGenerale", kDay + 10 + i, 2, 0, 0, product, kQty, kPrice);
    Line(L"IesiriGenerale", kDay + 20, 2, 0, 0, product, kQty, kPrice);
    Line(L"Niruri", kDay + 30, 2, client, kNumber, product, kQty, 0.01);
    Line(L"Facturi", kDay + 40, 2, client, kNumber, product, -kQty, 0.01);  // a return
    Line(L"Facturi", kDay + 50, 2, client, 7, product, 1.5, 10);
    MyFisaDeArticolDialog dialog(nullptr);
    dialog.productId = product, dialog.chosenName = kLongName;
    layout_tests::MetafileSink sink(kPageW, kPageH);
    RunDialog(dialog, L"Fisa de articol", [&](HWND w) {
        Collect(w, IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA);
        // Values beyond what 64-bit bani hold, in and out, and their sum.
        double worth = kQty * kPrice;
        ExpectFigure(worth, ModalDriver::ListCell(w, IDC_FISA_LISTA, RowWith(w, IDC_FISA_LISTA, 1, L"IG"), 7));
        ExpectFigure(-worth, ModalDriver::ListCell(w, IDC_FISA_LISTA, RowWith(w, IDC_FISA_LISTA, 1, L"EG"), 7));
        ExpectFigure(worth + 2 * 10000000.00 - 15.00,
                     ModalDriver::ListCell(w, IDC_FISA_LISTA, RowWith(w, IDC_FISA_LISTA, 0, L"TOTAL"), 7));
        ModalDriver::Click(w, IDC_FISA_TIPARIRE);
    });
    ExpectEveryTextInItsPlace(sink, {L"2147483647", L"-999999999.999", L"999999999.99", kLongName, kLongPartner});
    const EmfPage& page = sink.printedPages[0][0];
    ExpectInPlace(page, L"-15.00", X(391 - 6), RowY(95, 4));
    ExpectInPlace(page, L"1.50", X(295 - 4), RowY(95, 4));
}

TEST_F(LargestFigures, PartnerLedgerKeepsNumbersDebitsCreditsAndLargeNegativeBalancesInTheirColumns)
{
    long long client = AddLargestPartnerRows();
    MyFisaDeArticolDialog dialog(nullptr);
    dialog.mode = 1, dialog.partnerId = client, dialog.chosenName = kLongPartner;
    layout_tests::MetafileSink sink(kPageW, kPageH);
    RunDialog(dialog, L"Fisa de Client", [&](HWND w) {
        Collect(w, IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA);
        EXPECT_EQ(L"-39999999999.60", ModalDriver::ListCell(w, IDC_FISA_LISTA, 0, 5));
        ModalDriver::Click(w, IDC_FISA_TIPARIRE);
    });
    ExpectEveryTextInItsPlace(sink, {L"2147483647", L"-999999999.99", L"-39999999999.60", L"999999999.99"});
    ExpectInPlace(sink.printedPages[0][0], L"Cumuli", X(50 - 6), Y(95));
}

TEST_F(LargestFigures, WarehouseLedgerKeepsDatesUnderTheirHeadingAndTheControlHeadingInsideTheFrame)
{
    long long product = BigProduct(10000);
    AddLargestWarehouseRows(product);
    MyFisaDeMagazieDialog dialog(nullptr);
    dialog.productId = product;
    layout_tests::MetafileSink sink(kPageW, kPageH);
    RunDialog(dialog, L"Fisa de magazie", [&](HWND w) {
        Collect(w, IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA, IDC_MAGAZIE_COLECTEAZA);
        EXPECT_EQ(L"806451612.89", ModalDriver::ListCell(w, IDC_MAGAZIE_LISTA, 2, 5));
        EXPECT_EQ(L"-1999999999.998", ModalDriver::ListCell(w, IDC_MAGAZIE_LISTA, 5, 5));
        ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE);
    });
    ExpectEveryTextInItsPlace(sink, {L"15-03-2024 ", L"2999999999.997", L"-1999999999.998", L"806451612.89",
                                     L"Data si semnatura", kLongName, L"999999999.99", L"10000"});
}

// Three pages of the largest rows: 46, 46 and 9 rows numbered up to 101.
TEST_F(LargestFigures, StockMovementKeepsRowNumbersQuantitiesPricesValuesAndEachPagesTotalInPlace)
{
    StockMovePrintout doc = LargestMovement(BigProduct(10000), 101);
    doc.rows.back()[3] = L"1.50", doc.rows.back()[5] = L"3.00";  // an ordinary last row
    layout_tests::MetafileSink sink(kPageW, kPageH);
    PrintPageRange range = {1, 0, 0};
    PrintStockMoveDocument(nullptr, range, doc);
    ExpectEveryTextInItsPlace(sink, {L"101", L"999999999.999", L"999999999.99", doc.rows[0][5].c_str()});
    ASSERT_EQ(3u, sink.printedPages[0].size());
    // Each page's total sums its values, however large.
    const EmfPage& first = sink.printedPages[0][0];
    const EmfText* label = first.Find(L"Total:");
    ASSERT_TRUE(label);
    std::wstring total;
    for (const EmfText& t : first.texts)
        if (t.y == label->y && t.x == X(372))
            total = t.text;
    ExpectFigure(46 * kQty * kPrice, total);
    ExpectInPlace(sink.printedPages[0][2], L"3.00", X(382 - 4), RowY(109, 8));
}

// Printed through the queue, the glyphs come out a little wider than the
// printer's device context measures them. Each sheet is read back from the
// queue's PDF: every word of the partner ledger, the warehouse ledger and the
// movement keeps clear of every line, and the largest figures show whole.
// One company file for the three jobs (a fresh one opened after a print
// dialog ran fails its first lock).
TEST_F(LargestFigures, ThroughTheSpoolerEveryWordOfTheLedgersAndTheMovementKeepsClearOfEveryLine)
{
    if (!printing_tests::SpoolerRunning())
        GTEST_SKIP() << "no print spooler with a default queue is running (start it with tools/spooler.sh)";
    long long client = AddLargestPartnerRows(), product = BigProduct(10000);
    AddLargestWarehouseRows(product);
    printing_tests::PrintedSheet sheet;
    MyFisaDeArticolDialog partner(nullptr);
    partner.mode = 1, partner.partnerId = client, partner.chosenName = kLongPartner;
    PrintThroughSpooler(partner, L"Fisa de Client", [&](HWND w) {
        Collect(w, IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA);
        ModalDriver::Click(w, IDC_FISA_TIPARIRE);
    }, sheet);
    EXPECT_EQ("", sheet.WordsOnLines()) << "partner ledger";
    EXPECT_TRUE(sheet.HasWord("999999999.99") && sheet.HasWord("-39999999999.60"));

    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = product;
    PrintThroughSpooler(warehouse, L"Fisa de magazie", [&](HWND w) {
        Collect(w, IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA, IDC_MAGAZIE_COLECTEAZA);
        ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE);
    }, sheet);
    EXPECT_EQ("", sheet.WordsOnLines()) << "warehouse ledger";
    EXPECT_TRUE(sheet.HasWord("2999999999.997") && sheet.HasWord("806451612.89"));

    // One page of rows: the print dialog answered as it is prints the first.
    std::string marker = printing_tests::MarkCompanyName(tempDb);
    StockMovePrintout movement = LargestMovement(product, kStockMoveRowsPerPage);
    // Rows whose value, and whose quantity, is 12 characters wide.
    movement.rows[0] = MovementRow(0, product, kTwelveWide, 1);
    movement.rows[1] = MovementRow(1, product, 1, kTwelveWide);
    HWND owner = printing_tests::CreatePrintOwner();
    printing_tests::PrintThroughSpooler(
        [&] {
            PrintPageRange range = {1, 0, 0};
            return PrintStockMoveDocument(owner, range, movement);
        },
        marker, sheet);
    DestroyWindow(owner);
    EXPECT_EQ("", sheet.WordsOnLines()) << "movement";
    EXPECT_TRUE(sheet.HasWord("999999999.999") && sheet.HasWord("806451612.89"));
}
