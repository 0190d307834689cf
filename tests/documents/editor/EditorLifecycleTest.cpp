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
        invoice = StoreInvoice(clientId, 1, 250, 60, 310, 310);
        tempDb.Exec(L"update Facturi set dataCreare = 1772668800");
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

// An injected failure of the reversing lines, or a reversed document that
// cannot be saved, writes nothing and spends no number; then the storno
// writes the reversing invoice and closes the reversed one.
TEST_F(EditorLifecycle, StornoWritesTheReversingInvoiceOnlyWhenBothDocumentsCanBeWritten)
{
    tempDb.Exec(L"update Facturi set status = 2");
    tempDb.Exec(L"create trigger no_negative before insert on ArticoleFacturi when new.cantitate < 0 "
                L"begin select raise(abort, 'injected'); end");
    const wchar_t* clients[] = {L"Client SRL", L"", L"Client SRL"};
    for (int pass = 0; pass < 3; ++pass) {
        boxes.Clear();
        boxes.Answer(IDOK);
        MyFacturiDialog editor(nullptr);
        editor.id = invoice;
        EXPECT_EQ(pass == 2 ? 1 : 2, Run(editor, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, clients[pass]);
            ModalDriver::Click(w, IDC_FE_STORNO);
        }));
        EXPECT_EQ(pass == 2, editor.stornat);
        tempDb.Exec(L"drop trigger if exists no_negative");
        if (pass == 2)
            break;
        ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
        EXPECT_EQ(pass ? L"Nu ati introdus clientul !" : L"Message", pass ? boxes.Last().text : boxes.Last().caption);
        EXPECT_EQ(L"1 2 31000 2 1 1", Stored(L"select count(*) || ' ' || status || ' ' || round(sold * 100) || ' ' || "
                                             L"(select count(*) from ArticoleFacturi) || ' ' || (select numarFactura "
                                             L"from ConfigFacturi) || ' ' || (select idFactura from iduri) from Facturi"));
    }
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Stornare", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"Se va crea factura storno cu numarul 2"));
    // id status number net total balance, lines' quantity: the reversed one closed at 0.
    EXPECT_EQ(L"1 4 1 25000 31000 0 3|2 4 2 -25000 -31000 0 -3|",
              Stored(L"select group_concat(id || ' ' || status || ' ' || numar || ' ' || round(valoareFT * 100) || ' ' || "
                     L"round(valoareTTI * 100) || ' ' || round(sold * 100) || ' ' || (select sum(cantitate) from "
                     L"ArticoleFacturi where IDFactura = f.id) || '|', '') from Facturi f"));
    EXPECT_EQ(L"2 2", Stored(L"select numarFactura || ' ' || (select idFactura from iduri) from ConfigFacturi"));
}

// A cancel the file refuses keeps the editor open; once it can save, status 3 and no balance.
TEST_F(EditorLifecycle, CancelStoresStatusThreeAndNoBalanceOrKeepsTheEditorOpen)
{
    tempDb.Exec(L"create trigger no_updates before update on Facturi begin select raise(abort, 'injected'); end");
    for (INT_PTR expected : {2, 1}) {
        boxes.Answer(IDOK);
        EXPECT_EQ(expected, RunDocument(0, invoice, [&](HWND w) { ModalDriver::Click(w, IDC_FE_CANCEL_DOCUMENT); }));
        EXPECT_EQ(expected == 2 ? L"1 31000" : L"3 0", Stored(L"select status || ' ' || round(sold * 100) from Facturi"));
        tempDb.Exec(L"drop trigger if exists no_updates");
    }
    EXPECT_TRUE(boxes.SawCaption(L"Anulare"));
}

// Stock: 5 cement, no sand; the stored invoice's own lines take 2 cement and
// 1 sand, so 3 cement are left: a new invoice asking 2 + 2 is refused at its
// second line, the stored one for its sand until 1 sand is received.
TEST_F(EditorLifecycle, ValidationSumsEachProductAndAcceptsExactlyEnough)
{
    Receive(cement, 5);
    boxes.Answer(IDOK);
    EXPECT_EQ(2, RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Ciment", L"100", L"2", 0, false);
        AddLine(w, L"Ciment", L"100", L"2", 0, false);
        ModalDriver::Click(w, IDC_FE_VALIDATE);
    }));
    EXPECT_EQ(L"La linia 2\nCantitate Insufucienta in stoc !", boxes.Last().text);
    EXPECT_EQ(1, Count(L"select count(*) from Facturi"));
    for (INT_PTR expected : {2, 1}) {
        boxes.Clear();
        boxes.Answer(IDOK);
        EXPECT_EQ(expected, RunDocument(0, invoice, [&](HWND w) { ModalDriver::Click(w, IDC_FE_VALIDATE); }));
        EXPECT_EQ(expected == 2 ? L"La linia 2\nCantitate Insufucienta in stoc !" : L"", boxes.Count() == 2 ? boxes.Last().text : L"");
        EXPECT_EQ(expected == 2 ? 1 : 2, Count(L"select status from Facturi where id = 1"));
        Receive(sand, 1);
    }
}

} // namespace
