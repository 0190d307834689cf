#include <gtest/gtest.h>
#include "tests/documents/lists/PickerTestSupport.h"
#include "tests/harness/MessageBoxRecorder.h"

using namespace lists_test;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

class PickerValidationTest : public testing_support::DatabaseTest {
protected:
    // Goods received before the invoice day: `quantity` of the product.
    void Receive(unsigned long long productId, double quantity)
    {
        Header nir;
        nir.date = kDay - 86400;
        printing_tests::AddLine(tempDb, L"ArticoleNiruri", AddHeader(tempDb, L"Niruri", nir), productId, quantity, 1.0);
    }
    // Runs the picker of the type and validates its last (selected) row;
    // answers the document's stored status afterwards and the boxes shown.
    std::wstring Validate(int type, unsigned long long document)
    {
        MessageBoxRecorder boxes;
        MyCautareFacturiDialog picker(nullptr);
        picker.tip = type;
        const wchar_t* captions[] = {L"Facturi", L"Cautare Facturi Proforme", L"Cautare Avize Expeditie",
                                     L"Cautare Nota Intrare Receptie"};
        RunPicker(picker, captions[type], [&](HWND h) {
            EXPECT_EQ(document, picker.idSelectat);
            EXPECT_TRUE(type != 3 || ModalDriver::GetText(h, IDC_CAUTFACT_VALIDARE) == L"Valideaza NIR ");
            ModalDriver::Click(h, IDC_CAUTFACT_VALIDARE);
        });
        std::wstring shown;
        for (const auto& box : boxes.Boxes())
            shown += L"|" + box.text;
        return std::to_wstring(tempDb.Scalar(micro::qsql::SqlFormat(L"select status from '%s' where id = %llu",
                                                                    type == 3 ? L"Niruri" : type == 1 ? L"Proforme"
                                                                                                      : L"Facturi",
                                                                    document))) +
               (boxes.Count() > 1 ? shown.substr(shown.rfind(L'|')) : L"");
    }
};

} // namespace

// Each type is validated in its own tables; the stock check sums an invoice's
// lines per product and counts the invoice once; goods received need no stock.
TEST_F(PickerValidationTest, StockCheckSumsLinesPerProductAndEachTypeIsValidatedInItsOwnTables)
{
    unsigned long long bolt = tempDb.AddProduct(L"Surub", 1.0);
    unsigned long long nut = tempDb.AddProduct(L"Piulita", 1.0);
    Receive(bolt, 10.0);
    Receive(nut, 5.0);
    // A proforma with the same id as the invoice: the invoice must stay untouched.
    unsigned long long tooMuch = AddHeader(tempDb, L"Facturi", Header());
    unsigned long long proforma = AddHeader(tempDb, L"Proforme", Header());
    ASSERT_EQ(tooMuch, proforma);
    printing_tests::AddLine(tempDb, L"ArticoleProforme", proforma, bolt, 11.0, 1.0);
    EXPECT_EQ(L"1|Cantitate insuficienta in stoc la linia1", Validate(1, proforma));
    tempDb.Exec(L"update ArticoleProforme set cantitate = 10");
    EXPECT_EQ(L"2", Validate(1, proforma));
    EXPECT_EQ(1, tempDb.Scalar(L"select status from Facturi"));
    for (auto line : {std::make_pair(bolt, 6.0), std::make_pair(nut, 5.0), std::make_pair(bolt, 5.0)}) // 11 of 10 bolts
        printing_tests::AddLine(tempDb, L"ArticoleFacturi", tooMuch, line.first, line.second, 1.0);
    EXPECT_EQ(L"1|Cantitate insuficienta in stoc la linia3", Validate(0, tooMuch));
    tempDb.Exec(L"update ArticoleFacturi set cantitate = 4 where id = (select max(id) from ArticoleFacturi)");
    EXPECT_EQ(L"2", Validate(0, tooMuch)); // exactly the stock: 6 + 4 bolts, 5 nuts
    EXPECT_EQ(L"2", Validate(3, tempDb.Scalar(L"select max(id) from Niruri"))); // goods received need no stock
}

// A service holds no stock: an invoice billing transport beside goods in
// stock is validated from the list as from its editor; the goods are checked.
TEST_F(PickerValidationTest, AServiceLineIsNotStockChecked)
{
    unsigned long long bolt = tempDb.AddProduct(L"Surub", 1.0);
    unsigned long long transport = tempDb.AddProduct(L"Transport", 1.0);
    tempDb.Exec(micro::qsql::SqlFormat(L"update Produse set categorie = '2' where id = %llu", transport).c_str());
    Receive(bolt, 10.0);
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", Header());
    printing_tests::AddLine(tempDb, L"ArticoleFacturi", invoice, transport, 1.0, 50.0);
    printing_tests::AddLine(tempDb, L"ArticoleFacturi", invoice, bolt, 11.0, 1.0);
    EXPECT_EQ(L"1|Cantitate insuficienta in stoc la linia2", Validate(0, invoice));
    tempDb.Exec(micro::qsql::SqlFormat(L"update ArticoleFacturi set cantitate = 10 where produsID = %llu", bolt).c_str());
    EXPECT_EQ(L"2", Validate(0, invoice));
}
