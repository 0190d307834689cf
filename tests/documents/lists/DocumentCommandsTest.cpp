#include <gtest/gtest.h>
#include "documents/DocumentCommands.h"
#include "framework/gui/QTabContainer.h"
#include "tests/documents/lists/ListsTestData.h"
#include "tests/harness/ModalDriver.h"

using namespace lists_test;
using testing_support::ModalDriver;

namespace {

class HostWindow : public micro::gui::QWindow {
public:
    const wchar_t* GetClassName() override { return L"BrivaneListsHost"; }
};

class DocumentCommandsTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        ASSERT_TRUE(tabs.Create(&host, 100, 0));
        tabs.MoveWindow(0, 0, 800, 500);
        RegisterDocumentCommands(commands);
    }
    void Run(UINT id) { ASSERT_TRUE(commands.Execute(id, {host, &tabs, id, 0})); }
    HostWindow host;
    micro::gui::QTabContainer tabs;
    micro::qapp::QCommandTable commands;
};

} // namespace

TEST_F(DocumentCommandsTest, ListCommandsAddATabOfTheirType)
{
    const UINT ids[] = {32842, 32845, 32828, 32813};
    const wchar_t* titles[] = {L"Facturi", L"Facturi Proforme", L"Avize Expeditie", L"Note Intrare Receptie"};
    for (int i = 0; i < 4; ++i) {
        Run(ids[i]);
        ASSERT_EQ(i + 1, tabs.GetPageCount());
        EXPECT_STREQ(titles[i], tabs.GetPageTitle(i));
    }
}

TEST_F(DocumentCommandsTest, EditorAndPickerCommandsOpenTheirDialogsOverTheFrame)
{
    const UINT editors[] = {32798, 32819, 32820, 32812, 32832};
    const wchar_t* editorCaptions[] = {L"Factura  ", L"Factura Proforma ", L"Avize Expeditie ",
                                       L"Nota Intrare Receptie", L"Factura retur"};
    const UINT pickers[] = {32843, 32849, 32850, 32848};
    const wchar_t* pickerCaptions[] = {L"Facturi", L"Cautare Facturi Proforme", L"Cautare Avize Expeditie",
                                       L"Cautare Nota Intrare Receptie"};
    for (int i = 0; i < 9; ++i) {
        bool editor = i < 5;
        ModalDriver driver;
        HWND owner = nullptr;
        driver.When(editor ? editorCaptions[i] : pickerCaptions[i - 5], [&](HWND dialog) {
            owner = GetWindow(dialog, GW_OWNER);
            if (editor)
                EXPECT_EQ(0u, EditorOf(dialog)->id);
            EndDialog(dialog, IDCANCEL);
        });
        Run(editor ? editors[i] : pickers[i - 5]);
        driver.Verify();
        EXPECT_EQ(host.GetHandle(), owner) << i;
    }
}
