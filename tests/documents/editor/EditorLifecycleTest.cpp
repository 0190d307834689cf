#include "tests/documents/support/EditorFixture.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

// A stored invoice of client "Client SRL" with two lines: 2 x 100 and 1 x 50 (24 %).
class EditorLifecycle : public EditorTest {
protected:
    unsigned long long clientId = 0, cement = 0, sand = 0, invoice = 0;

    void SetUp() override
    {
        EditorTest::SetUp();
        clientId = tempDb.AddClient(L"Client SRL");
        cement = tempDb.AddProduct(L"Ciment", 100.0, 0);
        sand = tempDb.AddProduct(L"Nisip", 50.0, 0);
        invoice = StoreInvoice(clientId, 1, 310, 310);
        tempDb.Exec(micro::utils::QString::Formatted(L"update Facturi set valoareFT = 250, valoareTVA = 60, "
                                                     L"dataCreare = 1772668800 where id = %llu", invoice).c_str());
        StoreLine(L"ArticoleFacturi", invoice, cement, 2, 100);
        StoreLine(L"ArticoleFacturi", invoice, sand, 1, 50);
        tempDb.Exec(L"update ConfigFacturi set numarFactura = 1 where id = 1");
        tempDb.Exec(L"update iduri set idFactura = 1 where id = 1");
    }
    long long Count(const wchar_t* sql) { return tempDb.Scalar(sql); }
    void Receive(unsigned long long product, double quantity)
    {
        tempDb.Exec(L"insert into Niruri (status, numar, client, dataCreare) values (1, 1, 0, 1700000000)");
        StoreLine(L"ArticoleNiruri", static_cast<unsigned long long>(tempDb.Db().LastInsertRowId()), product, quantity,
                  1);
    }
};

TEST_F(EditorLifecycle, StornoWritesTheReversingInvoiceAndClosesTheReversedOne)
{
    tempDb.Exec(L"update Facturi set status = 2");
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    EXPECT_EQ(1, Run(editor, [&](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Stornare", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"Se va crea factura storno cu numarul 2"));
    EXPECT_EQ(2, Count(L"select count(*) from Facturi"));
    EXPECT_EQ(4, Count(L"select status from Facturi where id = 2"));
    EXPECT_EQ(2, Count(L"select numar from Facturi where id = 2"));
    EXPECT_NEAR(-310.0, tempDb.Number(L"select valoareTTI from Facturi where id = 2"), 1e-9);
    EXPECT_NEAR(-250.0, tempDb.Number(L"select valoareFT from Facturi where id = 2"), 1e-9);
    EXPECT_NEAR(0.0, tempDb.Number(L"select sold from Facturi where id = 2"), 1e-9);
    EXPECT_NEAR(-3.0, tempDb.Number(L"select sum(cantitate) from ArticoleFacturi where IDFactura = 2"), 1e-9);
    EXPECT_EQ(2, Count(L"select numarFactura from ConfigFacturi"));
    EXPECT_EQ(2, Count(L"select idFactura from iduri"));
    EXPECT_EQ(4, Count(L"select status from Facturi where id = 1"));
    EXPECT_NEAR(0.0, tempDb.Number(L"select sold from Facturi where id = 1"), 1e-9);
    EXPECT_TRUE(editor.stornat);
    EXPECT_EQ(2u, editor.idStorno);
}

TEST_F(EditorLifecycle, FailedStornoChangesNothing)
{
    tempDb.Exec(L"create trigger no_negative before insert on ArticoleFacturi when new.cantitate < 0 "
                L"begin select raise(abort, 'injected'); end");
    tempDb.Exec(L"update Facturi set status = 2");
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    EXPECT_EQ(2, Run(editor, [&](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }));
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_EQ(1, Count(L"select count(*) from Facturi"));
    EXPECT_EQ(2, Count(L"select count(*) from ArticoleFacturi"));
    EXPECT_EQ(2, Count(L"select status from Facturi where id = 1"));
    EXPECT_NEAR(310.0, tempDb.Number(L"select sold from Facturi where id = 1"), 1e-9);
    EXPECT_EQ(1, Count(L"select numarFactura from ConfigFacturi"));
}

TEST_F(EditorLifecycle, StornoWhoseDocumentCannotBeSavedLeavesNoReversingInvoice)
{
    tempDb.Exec(L"update Facturi set status = 2");
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    EXPECT_EQ(2, Run(editor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"");
        ModalDriver::Click(w, IDC_FE_STORNO);
    }));
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Nu ati introdus clientul !", boxes.Last().text);
    EXPECT_EQ(1, Count(L"select count(*) from Facturi"));
    EXPECT_EQ(2, Count(L"select count(*) from ArticoleFacturi"));
    EXPECT_EQ(2, Count(L"select status from Facturi where id = 1"));
    EXPECT_EQ(1, Count(L"select numarFactura from ConfigFacturi"));
    EXPECT_EQ(1, Count(L"select idFactura from iduri"));
    EXPECT_FALSE(editor.stornat);
    EXPECT_EQ(2u, editor.status);
}

TEST_F(EditorLifecycle, StornoOfANewDocumentIsRefused)
{
    MyFacturiDialog editor(nullptr);
    EXPECT_EQ(2, Run(editor, [&](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Documentul nu a fost inca introdus in baza de date !", boxes.Last().text);
    EXPECT_EQ(1, Count(L"select count(*) from Facturi"));
}

TEST_F(EditorLifecycle, CancelStoresStatusThreeAndNoBalance)
{
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    EXPECT_EQ(1, Run(editor, [&](HWND w) { ModalDriver::Click(w, IDC_FE_CANCEL_DOCUMENT); }));
    EXPECT_EQ(L"Anulare", boxes.Last().caption);
    EXPECT_EQ(3, Count(L"select status from Facturi where id = 1"));
    EXPECT_NEAR(0.0, tempDb.Number(L"select sold from Facturi where id = 1"), 1e-9);
}

TEST_F(EditorLifecycle, CancelThatCannotSaveKeepsTheEditorOpen)
{
    tempDb.Exec(L"create trigger no_updates before update on Facturi begin select raise(abort, 'injected'); end");
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    EXPECT_EQ(2, Run(editor, [&](HWND w) { ModalDriver::Click(w, IDC_FE_CANCEL_DOCUMENT); }));
    EXPECT_EQ(1, Count(L"select status from Facturi where id = 1"));
}

TEST_F(EditorLifecycle, NewDocumentValidatedOrCancelledAtOnceKeepsThatStatus)
{
    for (int command : {IDC_FE_VALIDATE, IDC_FE_CANCEL_DOCUMENT}) {
        boxes.Answer(IDOK);
        MyFacturiDialog editor(nullptr);
        editor.tip = 1; // no stock check for a proforma
        EXPECT_EQ(1, Run(editor, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
            AddLine(w, L"Ciment", L"100", L"1", 0, false);
            ModalDriver::Click(w, command);
        }));
    }
    EXPECT_EQ(2, Count(L"select status from Proforme where id = 1"));
    EXPECT_NEAR(124.0, tempDb.Number(L"select sold from Proforme where id = 1"), 1e-9);
    EXPECT_EQ(3, Count(L"select status from Proforme where id = 2"));
    EXPECT_NEAR(0.0, tempDb.Number(L"select sold from Proforme where id = 2"), 1e-9);
}

TEST_F(EditorLifecycle, ValidationRefusesMissingStockAndAcceptsExactlyEnough)
{
    // Stock: 2 cement, 0 sand; the invoice's own stored lines already took 2 + 1.
    Receive(cement, 2);
    boxes.Answer(IDOK);
    MyFacturiDialog refused(nullptr);
    refused.id = invoice;
    EXPECT_EQ(2, Run(refused, [&](HWND w) { ModalDriver::Click(w, IDC_FE_VALIDATE); }));
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"La linia 2\nCantitate Insufucienta in stoc !", boxes.Last().text);
    EXPECT_EQ(1, Count(L"select status from Facturi where id = 1"));

    Receive(sand, 1);
    boxes.Clear();
    boxes.Answer(IDOK);
    MyFacturiDialog accepted(nullptr);
    accepted.id = invoice;
    EXPECT_EQ(1, Run(accepted, [&](HWND w) { ModalDriver::Click(w, IDC_FE_VALIDATE); }));
    EXPECT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(2, Count(L"select status from Facturi where id = 1"));
}

TEST_F(EditorLifecycle, ValidationAddsUpTheQuantitiesOfOneProduct)
{
    Receive(cement, 5); // 3 left after the stored invoice
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    EXPECT_EQ(2, Run(editor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Ciment", L"100", L"2", 0, false);
        AddLine(w, L"Ciment", L"100", L"2", 0, false);
        ModalDriver::Click(w, IDC_FE_VALIDATE);
    }));
    EXPECT_EQ(L"La linia 2\nCantitate Insufucienta in stoc !", boxes.Last().text);
    EXPECT_EQ(1, Count(L"select count(*) from Facturi"));
}

TEST_F(EditorLifecycle, CancelledReceiptConfirmationSavesNothing)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Ciment", L"100", L"1", 0, false);
        ModalDriver confirm;
        confirm.When(L"Confirmare date chitanta", [](HWND c) { ModalDriver::Click(c, IDCANCEL); });
        ModalDriver::Click(w, IDC_FE_RECEIPT);
        confirm.Verify();
    });
    EXPECT_EQ(1, Count(L"select count(*) from Facturi"));
    EXPECT_EQ(0, Count(L"select numarChit from ConfigFacturi"));
}

} // namespace
