// The series typed into a new document's "Serie:" field is the one stored,
// whichever command stores the document first, and the one its paper shows.
#include "tests/documents/support/EditorFixture.h"
#include "database/DocumentTables.h"
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "tests/printing/support/MetafilePage.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorSeries : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'FV' where id = 1");
        // A service: its validation asks nothing of the stock.
        tempDb.AddProduct(L"Faina", 10.0);
        tempDb.Exec(L"update Produse set categorie = '2' where denumire = 'Faina'");
    }

    // The partner and a line, then the series typed over the proposed one.
    static void TypeDocument(HWND w, const wchar_t* series)
    {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        ModalDriver::SetText(w, IDC_FE_SERIES, series);
    }

    // "Tiparire", the page printed from the print dialog: what it says of the series.
    static std::wstring PrintFromEditor(HWND w)
    {
        layout_tests::MetafileSink sink(2479, 3508);
        ModalDriver print;
        print.When(L"Tiparire", [](HWND p) {
            ModalDriver::Click(p, IDC_TIPARIRE_PRINT);
            ModalDriver::Click(p, IDCANCEL);
        });
        ModalDriver::Click(w, IDC_FE_PRINT);
        print.Verify();
        if (sink.printed.empty())
            return L"nothing printed";
        std::vector<layout_tests::EmfText> texts = sink.printed[0].StartingWith(L"Serie : ");
        return texts.empty() ? L"no series printed" : texts[0].text;
    }

    std::wstring StoredSeries(int tip)
    {
        return tempDb.Text((std::wstring(L"select group_concat(serie || ' ' || numar, '|') from ") +
                            DocumentHeaderTable(tip)).c_str());
    }
};

} // namespace

// Salvare, Tiparire, validation and cancel of a new invoice, a proforma and a
// delivery note each store the series the field shows.
TEST_F(EditorSeries, EachCommandThatStoresANewDocumentStoresTheSeriesTyped)
{
    struct Case {
        const char* name;
        int tip;
        int command;
    };
    const Case cases[] = {
        {"invoice, Salvare", DocumentInvoice, IDC_FE_SAVE},
        {"invoice, Tiparire", DocumentInvoice, IDC_FE_PRINT},
        {"invoice, Validare", DocumentInvoice, IDC_FE_VALIDATE},
        {"invoice, Anulare", DocumentInvoice, IDC_FE_CANCEL_DOCUMENT},
        {"proforma, Tiparire", DocumentProforma, IDC_FE_PRINT},
        {"delivery note, Tiparire", DocumentDeliveryNote, IDC_FE_PRINT},
    };
    for (const Case& c : cases) {
        tempDb.Exec((std::wstring(L"delete from ") + DocumentHeaderTable(c.tip)).c_str());
        tempDb.Exec(L"update ConfigFacturi set numarFactura = 0, numarProforma = 0 where id = 1");
        boxes.Answer(IDOK);
        std::wstring printed;
        RunDocument(c.tip, 0, [&](HWND w) {
            TypeDocument(w, L"XY");
            if (c.command == IDC_FE_PRINT)
                printed = PrintFromEditor(w);
            else
                ModalDriver::Click(w, c.command);
        });
        EXPECT_EQ(L"XY 1", StoredSeries(c.tip)) << c.name << boxes.Describe();
        if (c.command == IDC_FE_PRINT) {
            EXPECT_EQ(L"Serie : XY Numar : 1", printed) << c.name;
        }
    }
}

// "  Chitanta" stores the invoice with the series typed, and the receipt
// names the invoice by it.
TEST_F(EditorSeries, TheReceiptCommandStoresTheSeriesTypedAndTheReceiptNamesIt)
{
    std::wstring named;
    RunDocument(DocumentInvoice, 0, [&](HWND w) {
        TypeDocument(w, L"XY");
        ModalDriver driver;
        driver.When(L"Confirmare date chitanta", [](HWND confirm) { ModalDriver::Click(confirm, IDOK); });
        driver.When(L"Tiparire", [&](HWND print) {
            auto* dialog = dynamic_cast<MyPrintChitanteDialog*>(micro::gui::QWindow::FromHandle(print));
            if (dialog)
                named = std::wstring(dialog->serieFacturi.c_str()) + L" " + dialog->facturi.c_str();
            ModalDriver::Click(print, IDCANCEL);
        });
        ModalDriver::Click(w, IDC_FE_RECEIPT);
        driver.Verify();
    });
    EXPECT_EQ(L"XY 1", StoredSeries(DocumentInvoice)) << boxes.Describe();
    EXPECT_EQ(L"XY 1", named);
}

// A proforma turned into an invoice, and a copy of a stored invoice, store
// the series typed over the invoices' one the editor proposed: a delegate
// picked, or the numbering opened and closed from the number field, leaves
// it as typed; a series changed in the numbering is shown and stored.
TEST_F(EditorSeries, ConvertedAndCopiedDocumentsKeepTheSeriesTyped)
{
    tempDb.AddClient(L"Client SRL");
    tempDb.AddAgent(L"Ion Delegat");
    tempDb.Exec(L"insert into Proforme (id, status, numar, client, serie) values (1, 1, 1, 1, 'PF')");
    StoreLine(L"ArticoleProforme", 1, tempDb.AddProduct(L"Ciment", 100.0, 0), 1, 100);
    boxes.Answer(IDOK);
    std::wstring printed;
    RunDocument(DocumentProforma, 1, [&](HWND w) {
        ModalDriver::Click(w, IDC_FE_TO_INVOICE);
        EXPECT_EQ(L"FV", Text(w, IDC_FE_SERIES));
        ModalDriver::SetText(w, IDC_FE_SERIES, L"XY");
        ModalDriver dialogs;
        dialogs.When(L"Cautare Agenti", [](HWND p) { ModalDriver::DoubleClickListRow(p, 1002, 0); });
        ModalDriver::Click(w, IDC_FE_DELEGATE_PICK);
        dialogs.When(L"Configurare Facturi", [](HWND c) { ModalDriver::Click(c, IDCANCEL); });
        SetFocus(GetDlgItem(w, IDC_FE_NUMBER));
        dialogs.Verify();
        EXPECT_EQ(L"XY|Ion Delegat", Fields(w, {IDC_FE_SERIES, IDC_FE_DELEGATE_NAME}));
        printed = PrintFromEditor(w);
    });
    EXPECT_EQ(L"XY 1", StoredSeries(DocumentInvoice)) << boxes.Describe();
    EXPECT_EQ(L"Serie : XY Numar : 1", printed);

    MyFacturiDialog copy(nullptr);
    copy.id = 1;
    copy.documentNou = 1;
    Run(copy, [&](HWND w) {
        EXPECT_EQ(L"FV", Text(w, IDC_FE_SERIES));
        ModalDriver::SetText(w, IDC_FE_SERIES, L"ZZ");
        ModalDriver settings;
        settings.When(L"Configurare Facturi", [](HWND c) {
            ModalDriver::SetText(c, IDC_CONFIG_SERIE_FACTURI, L"NS");
            ModalDriver::Click(c, IDOK);
        });
        SetFocus(GetDlgItem(w, IDC_FE_NUMBER));
        settings.Verify();
        EXPECT_EQ(L"NS", Text(w, IDC_FE_SERIES));
        printed = PrintFromEditor(w);
    });
    EXPECT_EQ(L"XY 1|NS 2", StoredSeries(DocumentInvoice)) << boxes.Describe();
    EXPECT_EQ(L"Serie : NS Numar : 2", printed);
}
