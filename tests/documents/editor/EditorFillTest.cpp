#include "tests/documents/support/EditorFixture.h"
#include <vector>

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorFill : public EditorTest {
protected:
    // Types the text as keys through the system's input queue, into whichever window has the focus.
    static void TypeKeys(const std::wstring& text)
    {
        std::vector<INPUT> keys;
        for (wchar_t c : text) {
            for (DWORD up : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
                INPUT key = {INPUT_KEYBOARD};
                key.ki.wScan = c;
                key.ki.dwFlags = KEYEVENTF_UNICODE | up;
                keys.push_back(key);
            }
        }
        SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
        ModalDriver::Pump(150, false);
    }
    // The combo's list items, joined by "|".
    static std::wstring ComboItems(HWND w, int id)
    {
        std::wstring items;
        int count = static_cast<int>(SendDlgItemMessageW(w, id, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            SendDlgItemMessageW(w, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items += (i ? L"|" : L"") + std::wstring(text);
        }
        return items;
    }
    static int ComboIndexOf(HWND w, int id, const wchar_t* text)
    {
        return static_cast<int>(SendDlgItemMessageW(w, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(text)));
    }
};

// A chosen product brings its price by type (sale or purchase), its own unit
// ("Buc" when it has none), quantity 1 and its VAT (an unknown code counts as
// 0 %); a catalogue price left as shown keeps its full precision.
TEST_F(EditorFill, ProductChoiceFillsItsPriceByTypeItsOwnUnitQuantityAndVat)
{
    tempDb.AddProduct(L"Ciment", 50.0, 1, L"sac", 30.0);
    tempDb.AddProduct(L"Serviciu", 20.0, 7, L"", 0.0);
    tempDb.AddProduct(L"Cui", 0.123456, 0, L"kg");
    for (int tip : {0, 3}) {
        RunDocument(tip, 0, [&](HWND w) {
            ModalDriver::SelectCombo(w, IDC_FE_PRODUCT, ComboIndexOf(w, IDC_FE_PRODUCT, L"Ciment"));
            EXPECT_EQ(std::wstring(tip == 3 ? L"30.00" : L"50.00") + L" sac 1 1",
                      Text(w, IDC_FE_PRICE) + L" " + Text(w, IDC_FE_UNIT) + L" " + Text(w, IDC_FE_QUANTITY) + L" " +
                          std::to_wstring(SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCURSEL, 0, 0)));
            EXPECT_EQ(GetDlgItem(w, IDC_FE_QUANTITY), GetFocus());
            EXPECT_TRUE(IsDlgButtonChecked(w, IDC_FE_EXCLUDES_VAT) && !IsDlgButtonChecked(w, IDC_FE_INCLUDES_VAT));
            ModalDriver::SelectCombo(w, IDC_FE_PRODUCT, ComboIndexOf(w, IDC_FE_PRODUCT, L"Serviciu"));
            EXPECT_EQ(L"Buc 3", Text(w, IDC_FE_UNIT) + L" " +
                                    std::to_wstring(SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCURSEL, 0, 0)));
            if (tip == 0) {
                ModalDriver::SelectCombo(w, IDC_FE_PRODUCT, ComboIndexOf(w, IDC_FE_PRODUCT, L"Cui"));
                ModalDriver::SetText(w, IDC_FE_QUANTITY, L"1000");
                ModalDriver::Click(w, IDOK);
                EXPECT_EQ(L"123.46", Cell(w, 0, 7));
            }
        });
    }
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// A partner with a term sets the due date from the issue date; a picked
// product and delegate fill the editor.
TEST_F(EditorFill, ChosenPartnerPickedProductAndDelegateFillTheEditor)
{
    tempDb.AddClient(L"Termen SRL", 30, L"9001");
    tempDb.AddProduct(L"Ciment", 50.0, 1, L"sac");
    tempDb.AddAgent(L"Vasile Delegat");
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        ModalDriver::SelectCombo(w, IDC_FE_CLIENT_NAME, ComboIndexOf(w, IDC_FE_CLIENT_NAME, L"Termen SRL"));
        EXPECT_EQ(L"9001 Bucuresti", Text(w, IDC_FE_CLIENT_CIF) + L" " + Text(w, IDC_FE_CLIENT_CITY));
        ModalDriver pickers;
        pickers.When(L"Cautare Produse", [](HWND p) { ModalDriver::DoubleClickListRow(p, 1002, 0); });
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDC_FE_PICK_PRODUCT, 0), 0);
        pickers.When(L"Cautare Agenti", [](HWND p) { ModalDriver::DoubleClickListRow(p, 1002, 0); });
        ModalDriver::Click(w, IDC_FE_DELEGATE_PICK);
        pickers.Verify();
        ASSERT_EQ(1, Rows(w));
        EXPECT_EQ(L"Ciment|50.00||sac|0", Cells(w, 0, {2, 3, 4, 5, 9}));
        EXPECT_EQ(L"Vasile Delegat RX 123456", Text(w, IDC_FE_DELEGATE_NAME) + L" " + Text(w, IDC_FE_DELEGATE_ID));
    });
    EXPECT_EQ(30 * 86400ULL, editor.dataScadenta - editor.dataCreare);
    // The product's 9 % differs from the company's 24 %.
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Cota de TVA a produsului este diferita de cota de TVA a Societatii !!!", boxes.Last().text);
}

// A name typed into the product field, then a real click into another line
// field: the caret stays where the user clicked, so what is typed next lands
// there; the fields not clicked are filled as for a chosen product.
TEST_F(EditorFill, AClickAfterTheProductNameLeavesTheCaretWhereTheUserClicked)
{
    tempDb.AddProduct(L"Ciment", 50.0, 1, L"sac");
    RunDocument(0, 0, [](HWND w) {
        struct {
            const wchar_t* product;
            int clicked;
            const wchar_t* typed;
        } const entries[] = {{L"Var nou", IDC_FE_UNIT, L"kg"}, {L"Ciment", IDC_FE_QUANTITY, L"12"}};
        for (const auto& entry : entries) {
            SetForegroundWindow(w);
            SetFocus(GetDlgItem(w, IDC_FE_PRODUCT));
            TypeKeys(entry.product);
            ModalDriver::ClickOnScreen(w, entry.clicked);
            TypeKeys(entry.typed);
            EXPECT_EQ(GetDlgItem(w, entry.clicked), GetFocus());
            ModalDriver::Click(w, IDOK);
        }
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"Var nou|kg|1|0.00", Cells(w, 0, {2, 5, 4, 7}));
        EXPECT_EQ(L"Ciment|sac|12|600.00", Cells(w, 1, {2, 5, 4, 7}));
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// An underscore in the client or product name filter is that character, not
// any one: "C_A" lists "SC_ALFA" and neither "SCXALFA" nor "SC ALFA".
TEST_F(EditorFill, AnUnderscoreInTheNameFilterIsAPlainCharacter)
{
    for (const wchar_t* name : {L"SC_ALFA", L"SCXALFA", L"SC ALFA"}) {
        tempDb.AddClient(name);
        tempDb.AddProduct(name, 10.0);
    }
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        EXPECT_EQ(L"SC ALFA|SCXALFA|SC_ALFA", ComboItems(w, IDC_FE_CLIENT_NAME));
        editor.AutocompleteClient(L"C_A");
        editor.AutocompleteProduct(L"C_A");
        EXPECT_EQ(L"SC_ALFA", ComboItems(w, IDC_FE_CLIENT_NAME));
        EXPECT_EQ(L"SC_ALFA", ComboItems(w, IDC_FE_PRODUCT));
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// A stored partner's name typed key by key in small letters, then a real
// click into the next field: the field ends with the name as stored and its
// data, and the save adds no second partner.
TEST_F(EditorFill, APartnerTypedInSmallLettersIsTheStoredOne)
{
    tempDb.AddClient(L"D'Artagnan SRL", 0, L"RO1");
    tempDb.AddClient(L"\u0218tefan Impex", 0, L"RO2");
    for (const wchar_t* typed : {L"d'artagnan srl", L"\u0219tefan impex"}) {
        RunDocument(0, 0, [&](HWND w) {
            SetForegroundWindow(w);
            SetFocus(GetDlgItem(w, IDC_FE_CLIENT_NAME));
            TypeKeys(typed);
            ModalDriver::ClickOnScreen(w, IDC_FE_CLIENT_CIF);
            EXPECT_EQ(typed[0] == L'd' ? L"D'Artagnan SRL|RO1" : L"\u0218tefan Impex|RO2",
                      Fields(w, {IDC_FE_CLIENT_NAME, IDC_FE_CLIENT_CIF}));
            AddLine(w, L"Ciment", L"10", L"1", 0, false);
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
    }
    EXPECT_EQ(L"1:1,2:2", tempDb.Text(L"select group_concat(id || ':' || client) from Facturi"));
    EXPECT_EQ(2, tempDb.Scalar(L"select count(*) from Clienti"));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

} // namespace
