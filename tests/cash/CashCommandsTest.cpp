#include <gtest/gtest.h>
#include "cash/CashCommands.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

using testing_support::ModalDriver;

using CashCommands = testing_support::DatabaseTest;

TEST_F(CashCommands, EachListIsRefusedWithoutADatabaseAndOpensWithOne)
{
    testing_support::MessageBoxRecorder boxes;
    micro::qapp::QCommandTable commands;
    RegisterCashCommands(commands);
    const struct {
        UINT command;
        const wchar_t* title;
    } cases[] = {{ID_CMD_CHITANTE, L"Incasari"}, {ID_CMD_PLATI, L"Plati"}};
    for (const auto& c : cases) {
        micro::qapp::QCommandContext context = {nullptr, nullptr, c.command, 0};
        MyRepository closed;
        SetRepository(&closed);
        boxes.Clear();
        EXPECT_TRUE(commands.Execute(c.command, context));
        SetRepository(&tempDb.Db());
        ASSERT_EQ(1u, boxes.Count()) << c.command;
        EXPECT_EQ(L"CPPSQLITE_ERROR[1000]: Database is not open", boxes.Last().text);
        EXPECT_EQ(L"Message", boxes.Last().caption);

        ModalDriver driver;
        driver.When(c.title, [](HWND hwnd) { ModalDriver::Click(hwnd, IDCANCEL); });
        commands.Execute(c.command, context);
        driver.Verify();
    }
}
