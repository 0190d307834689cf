#include "stock/StockCommands.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/stock/reports/ReportsFixture.h"

using namespace reports_test;

namespace {
struct Command {
    UINT id;
    const wchar_t* caption;
} const kCommands[] = {{32826, L"Stoc articole"},   {32862, L"Fisa de articol"}, {32814, L"Fisa de articol"},
                       {32863, L"Fisa de Client"},  {32822, L"Fisa de Client"},  {32837, L"Fisa de Furnizor"},
                       {32864, L"Fisa de magazie"}, {32823, L"Fisa de magazie"}};
}

TEST_F(ReportsTest, EachCommandOpensItsReportAndNoneRunsWithoutADatabase)
{
    micro::qapp::QCommandTable commands;
    RegisterStockCommands(commands);
    micro::qapp::QCommandContext context = {nullptr, nullptr, 0, 0};
    for (const Command& c : kCommands) {
        ModalDriver driver;
        driver.When(c.caption, [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
        EXPECT_TRUE(commands.Execute(c.id, context)) << c.id;
        driver.Verify();
    }
    db().Close();
    testing_support::MessageBoxRecorder boxes;
    for (const Command& c : kCommands)
        EXPECT_TRUE(commands.Execute(c.id, context));
    ASSERT_EQ(8u, boxes.Count());
    EXPECT_EQ(L"CPPSQLITE_ERROR[1000]: Database is not open", boxes.Last().text);
    EXPECT_EQ(L"Message", boxes.Last().caption);
}
