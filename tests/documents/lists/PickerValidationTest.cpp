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
        AddLine(tempDb, L"ArticoleNiruri", productId, quantity, 1.0, AddHeader(tempDb, L"Niruri", nir));
    }
    // Runs the picker of the type and validates its last (selected) row;
    // answers the document's stored status afterwards.
    long long Validate(int type, unsigned long long document)
    {
        MyCautareFacturiDialog picker(nullptr);
        picker.tip = type;
        const wchar_t* captions[] = {L"Facturi", L"Cautare Facturi Proforme", L"Cautare Avize Expeditie",
                                     L"Cautare Nota Intrare Receptie"};
        RunPicker(picker, captions[type], [&](HWND h) {
            EXPECT_EQ(document, picker.idSelectat);
            ModalDriver::Click(h, IDC_CAUTFACT_VALIDARE);
            status = Cell(h, Selected(h), 6);
        });
        return tempDb.Scalar(micro::qsql::SqlFormat(L"select status from '%s' where id = %llu",
                                                    type == 3 ? L"Niruri" : type == 1 ? L"Proforme" : L"Facturi",
                                                    document));
    }
    std::wstring status;
};

} // namespace

TEST_F(PickerValidationTest, StockCheckSumsLinesPerProductAndCountsTheInvoiceOnce)
{
    unsigned long long bolt = tempDb.AddProduct(L"Surub", 1.0);
    unsigned long long nut = tempDb.AddProduct(L"Piulita", 1.0);
    Receive(bolt, 10.0);
    Receive(nut, 5.0);

    unsigned long long tooMuch = AddHeader(tempDb, L"Facturi", Header());
    AddLine(tempDb, L"ArticoleFacturi", bolt, 6.0, 1.0, tooMuch);
    AddLine(tempDb, L"ArticoleFacturi", nut, 5.0, 1.0, tooMuch);
    AddLine(tempDb, L"ArticoleFacturi", bolt, 5.0, 1.0, tooMuch); // 11 of 10 in all
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(1, Validate(0, tooMuch));
        ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
        EXPECT_EQ(L"Cantitate insuficienta in stoc la linia3", boxes.Last().text);
        EXPECT_EQ(L"Atentie", boxes.Last().caption);
    }
    tempDb.Exec(micro::qsql::SqlFormat(L"update ArticoleFacturi set cantitate = 4 where IDFactura = %llu and "
                                       L"produsID = %llu and cantitate = 5",
                                       tooMuch, bolt)
                    .c_str());
    {
        MessageBoxRecorder boxes; // exactly the stock: 6 + 4 bolts, 5 nuts
        EXPECT_EQ(2, Validate(0, tooMuch));
        EXPECT_EQ(1u, boxes.Count()) << boxes.Describe();
    }
}

TEST_F(PickerValidationTest, EachTypeIsValidatedInItsOwnTables)
{
    unsigned long long bolt = tempDb.AddProduct(L"Surub", 1.0);
    Receive(bolt, 3.0);
    // An invoice with the same id as the proforma: it must stay untouched.
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", Header());
    unsigned long long proforma = AddHeader(tempDb, L"Proforme", Header());
    ASSERT_EQ(invoice, proforma);
    AddLine(tempDb, L"ArticoleProforme", bolt, 4.0, 1.0, proforma);
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(1, Validate(1, proforma));
        EXPECT_EQ(L"Cantitate insuficienta in stoc la linia1", boxes.Last().text);
    }
    tempDb.Exec(L"update ArticoleProforme set cantitate = 3");
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(2, Validate(1, proforma));
    }
    EXPECT_EQ(1, tempDb.Scalar(L"select status from Facturi"));

    unsigned long long nir = tempDb.Scalar(L"select max(id) from Niruri");
    {
        MessageBoxRecorder boxes; // goods received need no stock
        EXPECT_EQ(2, Validate(3, nir));
    }
}
