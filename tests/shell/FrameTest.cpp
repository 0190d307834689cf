#include <gtest/gtest.h>
#include <vector>
#include "cash/CashCommands.h"
#include "database/MyRepository.h"
#include "database/qsql/SqlText.h"
#include "framework/gui/QPanel.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "shell/MyFrame.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

using micro::qapp::QCommandContext;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

// A workspace page titled like the print tab; counts its own deletion.
class ProbePanel : public micro::gui::QXPanel {
public:
    ProbePanel(unsigned long long id, bool failCreation, int* deleted) : m_id(id), m_fail(failCreation), m_deleted(deleted) {}
    ~ProbePanel() override
    {
        Destroy();
        ++*m_deleted;
    }
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD style) override
    {
        // Like a page whose window is made but whose drawing resources are not.
        return QXPanel::Create(parent, id, style) && !m_fail;
    }
    micro::utils::QString GetTitle() override
    {
        micro::utils::QString title;
        title.Format(L"Factura %llu", m_id);
        return title;
    }

private:
    unsigned long long m_id;
    bool m_fail;
    int* m_deleted;
};

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateMain());
        SetWindowPos(frame, nullptr, 0, 0, 1000, 640, SWP_NOZORDER | SWP_SHOWWINDOW);
        ModalDriver::Pump();
    }
    void TearDown() override
    {
        frame.Destroy();
        // The window's end posts the quit message: take it before another test's loop does.
        ModalDriver::Pump();
    }
    // Replaces the handler of each command by one that records what it got.
    void Record(std::vector<UINT> ids)
    {
        for (int i = 0; i < MyToolbar::kButtonCount; ++i)
            ids.push_back(MyToolbar::kButtons[i].command);
        for (UINT id : ids)
            frame.commands.Register(id, [this, id](const QCommandContext& context) { seen.push_back({id, context}); });
        frame.toolbar.EnableFor(frame.commands);
    }
    void OpenPrintTabOnCommand(int* deleted, bool fail = false)
    {
        frame.commands.Register(ID_CMD_TIPARIRE_FACTURI, [deleted, fail](const QCommandContext& context) {
            micro::qapp::AddTabPage(context, new ProbePanel(static_cast<unsigned long long>(context.lParam), fail, deleted),
                                    L"Eroare tiparire factura!", L"Message");
        });
    }
    struct Seen {
        UINT id;
        QCommandContext context;
    };
    MyFrame frame;
    std::vector<Seen> seen;
};

// Stands for a receipt or payment editor that settles what it is given: the
// documents' balances drop to 0.
const wchar_t* g_settled = nullptr;
INT_PTR SettlingEditor(HWND, int, uint64_t)
{
    GetRepository().ExecDML(micro::qsql::SqlFormat(L"update %s set sold = 0", g_settled).c_str());
    return IDOK;
}

// The main window over a company with invoice 1 and NIR 1, each owing 100.00.
class WorkspaceTabs : public MainFrameTest {
protected:
    void SetUp() override
    {
        unsigned long long partner = tempDb.AddClient(L"Gama SRL");
        cash_tests::AddDocument(tempDb, {partner, 1, 100.0, 100.0});
        cash_tests::AddDocument(tempDb, {partner, 1, 100.0, 100.0, 2, L"Niruri"});
        MainFrameTest::SetUp();
    }
    void TearDown() override
    {
        MainFrameTest::TearDown();
        // The real editors again for the tests after.
        micro::qapp::QCommandTable commands;
        RegisterCashCommands(commands);
    }
    // The "Sold" cell of the tab's only row.
    std::wstring Balance(int tab)
    {
        return ModalDriver::ListCell(frame.tabs.GetPage(tab)->GetHandle(), IDC_FACTURI_PANEL_LIST, 0, 7);
    }

    testing_support::TempDatabase tempDb;
};

} // namespace

// The shell's own handlers first, then recording ones: every way in (menu,
// keys, toolbar) reaches its command's handler with the frame's context.
TEST_F(MainFrameTest, ItemsWithoutAHandlerAreGreyedAndMenusKeysAndButtonsReachTheirHandlers)
{
    HMENU bar = GetMenu(frame);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        HMENU popup = GetSubMenu(bar, i);
        SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(i, FALSE));
        for (int k = 0; k < GetMenuItemCount(popup); ++k) {
            UINT id = GetMenuItemID(popup, k);
            if (id != 0 && id != static_cast<UINT>(-1))
                EXPECT_EQ(!frame.commands.Has(id), (GetMenuState(popup, k, MF_BYPOSITION) & MF_GRAYED) != 0) << id;
        }
    }
    for (int i = 0; i < MyToolbar::kButtonCount; ++i) {
        UINT id = MyToolbar::kButtons[i].command;
        EXPECT_EQ(frame.commands.Has(id), SendMessageW(frame.toolbar, TB_ISBUTTONENABLED, id, 0) != 0) << id;
    }

    testing_support::TempDatabase temp;
    SendMessageW(frame, WM_COMMAND, ID_CMD_LISTARE_FACTURI, 0);
    ASSERT_EQ(1, frame.tabs.GetPageCount());
    EXPECT_STREQ(L"Facturi", frame.tabs.GetPageTitle(0).c_str());
    ModalDriver driver;
    driver.When(L"Facturi", [](HWND hwnd) { ModalDriver::Click(hwnd, IDCANCEL); });
    SendMessageW(frame, WM_COMMAND, ID_CMD_CAUTARE_FACTURI, 0);
    driver.Verify();

    Record({32842, 32837});
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(32842, 0), 0);   // a menu choice
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(frame.GetHandle(), seen[0].context.frame);
    EXPECT_EQ(&frame.tabs, seen[0].context.tabs);
    // Keys: Ctrl+Shift+F through the message loop's pre-translation.
    seen.clear();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    MSG msg = {frame, WM_KEYDOWN, 'F', 0};
    EXPECT_TRUE(frame.PreTranslateMessage(msg));
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(32837u, seen[0].id);

    // Toolbar clicks arrive like menu choices: no control handle as parameter.
    seen.clear();
    for (int i = 0; i < MyToolbar::kButtonCount; ++i) {
        RECT rc = frame.toolbar.ButtonRect(MyToolbar::kButtons[i].command);
        LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        SendMessageW(frame.toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(frame.toolbar, WM_LBUTTONUP, 0, at);
    }
    ASSERT_EQ(static_cast<size_t>(MyToolbar::kButtonCount), seen.size());
    for (int i = 0; i < MyToolbar::kButtonCount; ++i) {
        EXPECT_EQ(MyToolbar::kButtons[i].command, seen[i].id);
        EXPECT_EQ(0, seen[i].context.lParam);
    }
}

TEST_F(MainFrameTest, PrintCommandOpensATabForTheDocumentIdOrReportsAFailedPageAndExitClosesEverything)
{
    // A page that cannot be made is deleted (its window with it) and reported.
    MessageBoxRecorder boxes;
    int deleted = 0;
    OpenPrintTabOnCommand(&deleted, true);
    SendMessageW(frame, WM_COMMAND, ID_CMD_TIPARIRE_FACTURI, 5);
    EXPECT_EQ(0, frame.tabs.GetPageCount());
    EXPECT_EQ(1, deleted);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Eroare tiparire factura!", boxes.Last().text);
    EXPECT_EQ(frame.GetHandle(), boxes.Last().owner);
    // No calculator on this system (Wine ships none): the command says so.
    SendMessageW(frame, WM_COMMAND, ID_CMD_CALCULATOR, 0);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(L"Calculatorul sistemului nu a fost gasit !", boxes.Last().text);

    deleted = 0;
    OpenPrintTabOnCommand(&deleted);
    // A document list's right click: the second parameter is an id, not a window.
    SendMessageW(frame, WM_COMMAND, ID_CMD_TIPARIRE_FACTURI, 17);
    SendMessageW(frame, WM_COMMAND, ID_CMD_TIPARIRE_FACTURI, 0);
    SendMessageW(frame, WM_COMMAND, ID_CMD_TIPARIRE_FACTURI, 17);
    ASSERT_EQ(3, frame.tabs.GetPageCount());
    EXPECT_STREQ(L"Factura 17", frame.tabs.GetPageTitle(0).c_str());
    EXPECT_STREQ(L"Factura 0", frame.tabs.GetPageTitle(1).c_str());
    EXPECT_EQ(2, frame.tabs.GetSelected());
    HWND page = frame.tabs.GetPage(2)->GetHandle();
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(frame.tabs.GetHandle(), GetParent(page));
    ModalDriver::Pump();

    // Closing the main window deletes its pages.
    HWND hwnd = frame.GetHandle();
    SendMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(3, deleted);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0, static_cast<int>(quit.wParam));
}

// The invoice and NIR tabs stay open while a receipt and a payment are made
// from their lists: each tab shows the balance the editor left, not the one
// it read when it opened.
TEST_F(WorkspaceTabs, ATabShowsTheBalanceAReceiptOrPaymentLeft)
{
    frame.ExecuteCommand(32842, 0, 0);  // the invoices' tab
    frame.ExecuteCommand(32813, 0, 0);  // the goods-received notes' tab
    ASSERT_EQ(2, frame.tabs.GetPageCount());
    ASSERT_EQ(L"100.00|100.00", Balance(0) + L"|" + Balance(1));
    const struct {
        const cash_tests::Side& side;
        const wchar_t* documents;
        int tab;
    } cases[] = {{cash_tests::kReceipts, L"Facturi", 0}, {cash_tests::kPayments, L"Niruri", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side.name);
        g_settled = c.documents;
        RegisterEditor(c.side.editor, &SettlingEditor);
        ModalDriver driver;
        driver.When(c.side.table, [&](HWND w) {
            ModalDriver::ClickOnScreen(w, c.side.addRow);
            ModalDriver::Click(w, IDCANCEL);
        });
        frame.ExecuteCommand(c.side.command, 0, 0);
        driver.Verify();
        EXPECT_EQ(L"0.00", Balance(c.tab));
    }
}
