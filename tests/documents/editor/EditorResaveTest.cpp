#include "tests/documents/support/EditorFixture.h"
#include "documents/MyFacturiInternal.h"
#include <cmath>

using namespace editor_tests;
using testing_support::ModalDriver;
using micro::utils::QString;

namespace {

class EditorResave : public EditorTest {
protected:
    unsigned long long clientId = 0;

    void SetUp() override
    {
        EditorTest::SetUp();
        clientId = tempDb.AddClient(L"Client SRL");
    }
    unsigned long long Invoice(double net, double vat, double total, double balance)
    {
        tempDb.Exec(QString::Formatted(L"insert into Facturi values (NULL, 1, 7, %llu, 86400, 86400, 0, 0, %.17g, "
                                       L"%.17g, %.17g, %.17g, 'AB')",
                                       clientId, net, vat, total, balance)
                        .c_str());
        return static_cast<unsigned long long>(tempDb.Db().LastInsertRowId());
    }
    void Line(unsigned long long invoice, unsigned long long product, double quantity, double price)
    {
        tempDb.Exec(QString::Formatted(L"insert into ArticoleFacturi values (NULL, %llu, %.17g, %.17g, %llu)", product,
                                       quantity, price, invoice)
                        .c_str());
    }
    long long Bani(const wchar_t* sql) { return std::llround(tempDb.Number(sql) * 100.0); }
    // The stored header in whole bani and the lines exactly, as one text.
    std::wstring Stored(unsigned long long invoice)
    {
        std::wstring where = L" from Facturi where id = " + std::to_wstring(invoice);
        std::wstring text;
        for (const wchar_t* column : {L"valoareFT", L"valoareTVA", L"valoareTTI", L"sold"})
            text += std::to_wstring(Bani((L"select " + std::wstring(column) + where).c_str())) + L" ";
        text += tempDb.Text((L"select status || '|' || numar || '|' || client || '|' || serie" + where).c_str());
        text += tempDb.Text((L"select group_concat(produsID || ':' || printf('%.17g', cantitate) || 'x' || "
                             L"printf('%.17g', valoareFT), ' ') from ArticoleFacturi where IDFactura = " +
                             std::to_wstring(invoice))
                                .c_str());
        return text;
    }
    void ReopenAndSave(unsigned long long invoice, std::function<void(HWND)> before = nullptr)
    {
        MyFacturiDialog editor(nullptr);
        editor.id = invoice;
        EXPECT_EQ(1, Run(editor, [&](HWND w) {
            if (before)
                before(w);
            ModalDriver::Click(w, IDC_FE_SAVE);
        }));
    }
};

// Reopening and pressing "Salvare" without touching anything writes exactly
// what was stored: quantities with three decimals, a discount over lines at
// 9 %, a return invoice whose total and balance are negative.
TEST_F(EditorResave, SavingWithoutAChangeWritesWhatWasStored)
{
    struct Case {
        const char* name;
        int vatCode;
        double quantity, price, discount;
        double net, vat, total, balance;
    };
    const Case cases[] = {
        {"three-decimal quantity", 0, 3.333, 10.0, 0.0, 33.33, 8.0, 41.33, 41.33},
        {"discount at 9 %", 1, 1.0, 100.0, 10.0, 90.0, 8.1, 98.1, 98.1},
        {"negative total, nothing paid", 0, -2.0, 50.0, 0.0, -100.0, -24.0, -124.0, -124.0},
        {"negative total, part refunded", 0, -2.0, 50.0, 0.0, -100.0, -24.0, -124.0, -100.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        unsigned long long product = tempDb.AddProduct(QString::Formatted(L"P%d", static_cast<int>(&c - cases)),
                                                       c.price, c.vatCode);
        unsigned long long invoice = Invoice(c.net, c.vat, c.total, c.balance);
        Line(invoice, product, c.quantity, c.price);
        if (c.discount != 0.0)
            Line(invoice, 0, -1.0, c.discount);
        std::wstring before = Stored(invoice);
        ReopenAndSave(invoice);
        EXPECT_EQ(before, Stored(invoice));
        ReopenAndSave(invoice);
        EXPECT_EQ(before, Stored(invoice)) << "a second re-save moved the figures";
        EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    }
}

// 33.33 off 333.30 reads 10 % on reopening, and a line added afterwards is
// discounted at 10 % too; the discount over 9 % lines can still be taken away.
TEST_F(EditorResave, ReopenedDiscountKeepsItsPercentageAndRate)
{
    unsigned long long cement = tempDb.AddProduct(L"Ciment", 111.1, 0);
    unsigned long long invoice = Invoice(299.97, 71.99, 371.96, 371.96);
    Line(invoice, cement, 3, 111.1);
    Line(invoice, 0, -1, 33.33);
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    Run(editor, [&](HWND w) {
        EXPECT_EQ(L"Discount 10%", Cell(w, 1, facturi_editor::ColName));
        EXPECT_EQ(L"-8.00", Cell(w, 1, facturi_editor::ColVat));
        AddLine(w, L"Nisip", L"100", L"1", 0, false);
        ASSERT_EQ(3, Rows(w));
        EXPECT_EQ(L"Discount 10%", Cell(w, 2, facturi_editor::ColName));
        EXPECT_EQ(L"-43.33", Cell(w, 2, facturi_editor::ColNet));
    });

    unsigned long long rice = tempDb.AddProduct(L"Orez", 100, 1);
    unsigned long long second = Invoice(90, 8.1, 98.1, 98.1);
    Line(second, rice, 1, 100);
    Line(second, 0, -1, 10);
    MyFacturiDialog again(nullptr);
    again.id = second;
    Run(again, [&](HWND w) {
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(1, Rows(w)) << "the discount was not taken away";
        EXPECT_EQ(L"109.00", Text(w, IDC_FE_TOTAL));
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// "2,5" and "10,50" are numbers; "abc" and "doi lei" are refused.
TEST_F(EditorResave, TypedNumbersTakeTheDecimalCommaAndRefuseWords)
{
    struct Case {
        const wchar_t* quantity;
        const wchar_t* price;
        bool added;
    };
    const Case cases[] = {{L"2,5", L"10,50", true}, {L"abc", L"10", false}, {L"2", L"doi lei", false}};
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        for (const Case& c : cases) {
            boxes.Clear();
            int rows = Rows(w);
            AddLine(w, L"Faina", c.price, c.quantity, 0, false);
            EXPECT_EQ(rows + (c.added ? 1 : 0), Rows(w));
            EXPECT_EQ(c.added ? 0u : 1u, boxes.Count());
            if (!c.added && boxes.Count() == 1) {
                EXPECT_EQ(L"Atentie", boxes.Last().caption);
            }
        }
        EXPECT_EQ(L"26.25", Cell(w, 0, facturi_editor::ColNet));
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_NEAR(2.5, tempDb.Number(L"select cantitate from ArticoleFacturi"), 1e-12);
    EXPECT_NEAR(10.5, tempDb.Number(L"select valoareFT from ArticoleFacturi"), 1e-12);
    EXPECT_EQ(2625, Bani(L"select valoareFT from Facturi"));
}

// Product 0 names the discount row: never offered, never matched by name.
TEST_F(EditorResave, DiscountProductIsNeverOffered)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        EXPECT_EQ(CB_ERR, SendDlgItemMessageW(w, IDC_FE_PRODUCT, CB_FINDSTRINGEXACT, -1,
                                              reinterpret_cast<LPARAM>(L"Discount")));
        AddLine(w, L"Discount", L"5", L"1", 0, false);
        EXPECT_NE(L"0", Cell(w, 0, facturi_editor::ColId));
    });
}

} // namespace

namespace {

// A name typed exactly as stored fills only the empty fields, and a save keeps
// every stored partner, delegate and company field the user did not change
// here, including what another dialog changed while the editor was open.
TEST_F(EditorResave, SaveKeepsStoredFieldsNotChangedInTheEditor)
{
    tempDb.AddClient(L"D'Artagnan Import-Export SRL", 0, L"RO123");
    tempDb.Exec(L"update Clienti set NrReg = 'J40/1', Adresa = 'Str. Lunga 1', Banca = 'BRD' "
                L"where Nume = 'D''Artagnan Import-Export SRL'");
    tempDb.Exec(L"insert into Agenti (numeAgent, serie, eliberat, auto) values ('Ion', 'AB 1', 'SPCLEP', 'B-01-XYZ')");
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_ADDRESS, L"Str. Noua 2");
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"D'Artagnan Import-Export SRL");
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDC_FE_CLIENT_NAME, CBN_SELENDCANCEL),
                     reinterpret_cast<LPARAM>(GetDlgItem(w, IDC_FE_CLIENT_NAME)));
        EXPECT_EQ(L"RO123", Text(w, IDC_FE_CLIENT_CIF));
        EXPECT_EQ(L"Str. Noua 2", Text(w, IDC_FE_CLIENT_ADDRESS)) << "a typed field was overwritten";
        ModalDriver::SetText(w, IDC_FE_CLIENT_NRREG, L"");
        ModalDriver::SetText(w, IDC_FE_DELEGATE_NAME, L"Ion");
        ModalDriver::SetText(w, IDC_FE_COMPANY_BANK, L"BT");
        // "Informatii Societate" saves while the editor is open.
        tempDb.Exec(L"update Societate set telefon = '0722', cotaTVA = 2 where id = 1");
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    const wchar_t* where = L" from Clienti where Nume = 'D''Artagnan Import-Export SRL'";
    EXPECT_EQ(L"RO123|||Str. Noua 2|BRD",
              tempDb.Text((std::wstring(L"select Cod || '|' || NrReg || '||' || Adresa || '|' || Banca") + where).c_str()));
    EXPECT_EQ(L"AB 1|SPCLEP|B-01-XYZ", tempDb.Text(L"select serie || '|' || eliberat || '|' || auto from Agenti"));
    EXPECT_EQ(L"0722|BT|2", tempDb.Text(L"select telefon || '|' || banca || '|' || cotaTVA from Societate"));
}

// A company row the editor could not read at opening is never written back
// with a VAT code it never saw.
TEST_F(EditorResave, UnreadCompanyVatCodeIsNeverWritten)
{
    tempDb.Exec(L"create table SocietateSalvata as select * from Societate");
    tempDb.Exec(L"delete from Societate");
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        tempDb.Exec(L"insert into Societate select * from SocietateSalvata");
        tempDb.Exec(L"update Societate set cotaTVA = 2");
        ModalDriver::SetText(w, IDC_FE_COMPANY_NAME, L"Firma Mea SRL");
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(2, tempDb.Scalar(L"select cotaTVA from Societate"));
}

} // namespace
