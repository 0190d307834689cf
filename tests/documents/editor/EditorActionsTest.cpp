#include "tests/documents/support/EditorFixture.h"
#include "tests/harness/Screenshot.h"
#include <vector>

using namespace editor_tests;
using testing_support::ModalDriver;
using micro::utils::QString;

namespace {

// A real mouse click at a point of the screen, through the system's input queue.
void ClickAtScreen(POINT at)
{
    SetCursorPos(at.x, at.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

POINT CentreOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// While a popup menu is up (its own modal loop), reads which items are
// enabled and clicks the one asked for.
struct MenuPick {
    std::wstring item;
    std::vector<std::wstring> enabled;
    bool done = false;
};
MenuPick* g_pick = nullptr;

void CALLBACK PickFromMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = FindWindowW(L"#32768", nullptr);
    if (!g_pick || g_pick->done || !window || !IsWindowVisible(window))
        return;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        if (!(GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)))
            g_pick->enabled.push_back(text);
        RECT r = {};
        if (g_pick->item == text && GetMenuItemRect(nullptr, menu, i, &r))
            ClickAtScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    g_pick->done = true;
    KillTimer(nullptr, timer);
}

class EditorActions : public EditorTest {
protected:
    unsigned long long clientId = 0, cement = 0;

    void SetUp() override
    {
        EditorTest::SetUp();
        clientId = tempDb.AddClient(L"Client SRL");
        cement = tempDb.AddProduct(L"Ciment", 100.0, 0);
    }
    unsigned long long Store(const wchar_t* table, int status)
    {
        tempDb.Exec(QString::Formatted(L"insert into %s (status, numar, client, dataCreare, dataScadenta, agent, "
                                       L"delegat, valoareFT, valoareTVA, valoareTTI, sold, serie) values (%d, 5, "
                                       L"%llu, 86400, 86400, 0, 0, 100, 24, 124, 124, '')",
                                       table, status, clientId)
                        .c_str());
        return static_cast<unsigned long long>(tempDb.Db().LastInsertRowId());
    }
    // Clicks "Actiuni", then the item; answers the items that were enabled.
    std::vector<std::wstring> ChooseAction(HWND editor, const wchar_t* item)
    {
        MenuPick pick;
        pick.item = item;
        g_pick = &pick;
        SetTimer(nullptr, 0, 30, &PickFromMenu);
        SetForegroundWindow(editor);
        ClickAtScreen(CentreOf(GetDlgItem(editor, IDC_FE_ACTIONS)));
        for (int i = 0; i < 100 && !pick.done; ++i)
            ModalDriver::Pump(20);
        ModalDriver::Pump(100);
        g_pick = nullptr;
        EXPECT_TRUE(pick.done) << "no menu opened";
        return pick.enabled;
    }
};

using Items = std::vector<std::wstring>;

TEST_F(EditorActions, ActionsMenuOffersTheLifecycleCommandsByStatusAndType)
{
    // A temporary invoice (of a service: no stock to check) can be validated
    // or cancelled, not reversed.
    tempDb.Exec(QString::Formatted(L"update Produse set categorie = '2' where id = %llu", cement).c_str());
    unsigned long long invoice = Store(L"Facturi", 1);
    tempDb.Exec(QString::Formatted(L"insert into ArticoleFacturi values (NULL, %llu, 1, 100, %llu)", cement, invoice)
                    .c_str());
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    Items enabled;
    ModalDriver driver;
    driver.When(EditorTitle(0), [&](HWND w) {
        testing_support::SaveWindowPng(w, L"documents-editor-actions");
        enabled = ChooseAction(w, L"Validare");
    });
    EXPECT_EQ(1, editor.DoModal());
    driver.Verify();
    EXPECT_EQ((Items{L"Validare", L"Anulare"}), enabled);
    EXPECT_TRUE(boxes.SawCaption(L"Validare")) << boxes.Describe();
    EXPECT_EQ(2, tempDb.Scalar(L"select status from Facturi"));

    // A validated proforma can be reversed or turned into an invoice, which
    // is a new temporary invoice.
    unsigned long long proforma = Store(L"Proforme", 2);
    tempDb.Exec(QString::Formatted(L"insert into ArticoleProforme values (NULL, %llu, 1, 100, %llu)", cement, proforma)
                    .c_str());
    boxes.Clear();
    boxes.Answer(IDOK);
    MyFacturiDialog second(nullptr);
    second.tip = 1;
    second.id = proforma;
    ModalDriver again;
    again.When(EditorTitle(1), [&](HWND w) {
        enabled = ChooseAction(w, L"Transformare in factura");
        EXPECT_EQ(L"Factura  ", ModalDriver::WindowText(w));
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(1, second.DoModal());
    again.Verify();
    EXPECT_EQ((Items{L"Stornare", L"Transformare in factura"}), enabled);
    EXPECT_EQ(1, tempDb.Scalar(L"select status from Facturi where id = 2"));
    EXPECT_EQ(2, tempDb.Scalar(L"select status from Proforme"));
}

// "Modifica" and "Sterge" lie over the line list and take the click.
TEST_F(EditorActions, LineButtonsOverTheListTakeARealClick)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        AddLine(w, L"Ciment", L"10", L"1", 0, false);
        AddLine(w, L"Nisip", L"20", L"1", 0, false);
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Pump();
        SetForegroundWindow(w);
        ClickAtScreen(CentreOf(GetDlgItem(w, IDC_FE_DELETE_LINE)));
        ModalDriver::Pump(200);
        EXPECT_EQ(1, Rows(w)) << "the click went to the list";
        EXPECT_EQ(L"Nisip", Cell(w, 0, 2));
    });
}

// A typed series is stored with a new document; a stored one's is read-only.
// The date pickers show the day first, as the lists do.
TEST_F(EditorActions, SeriesFieldAndDatePickersShowWhatIsStored)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        wchar_t shown[64] = {};
        GetDlgItemTextW(w, IDC_FE_ISSUE_DATE, shown, 64);
        SYSTEMTIME today = {};
        SendDlgItemMessageW(w, IDC_FE_ISSUE_DATE, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&today));
        wchar_t expected[16];
        swprintf(expected, 16, L"%02u-%02u-%04u", today.wDay, today.wMonth, today.wYear);
        EXPECT_STREQ(expected, shown);
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        ModalDriver::SetText(w, IDC_FE_SERIES, L"XY");
        AddLine(w, L"Ciment", L"10", L"1", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(L"XY", tempDb.Text(L"select serie from Facturi"));
    MyFacturiDialog reopened(nullptr);
    reopened.id = 1;
    Run(reopened, [&](HWND w) {
        EXPECT_EQ(L"XY", Text(w, IDC_FE_SERIES));
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(w, IDC_FE_SERIES), GWL_STYLE) & ES_READONLY);
    });
}

} // namespace
