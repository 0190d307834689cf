#include "stock/StockReportCommands.h"
#include "database/MyRepository.h"
#include "framework/qdialog/QMessageBox.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"

using micro::qapp::QCommandContext;

namespace {

// Every report reads the company database: without one the command says so
// in the words the database itself uses and opens nothing.
bool DatabaseReady(const QCommandContext& context)
{
    if (GetRepository().IsOpen())
        return true;
    micro::qsql::QSqlError error(micro::qsql::QSqlError::kWrapperError, L"Database is not open");
    micro::qdialog::ShowMessageBox(context.frame, error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
    return false;
}

void OpenStockList(const QCommandContext& context)
{
    if (!DatabaseReady(context))
        return;
    MyStocArticoleDialog dialog(context.frame);
    dialog.DoModal();
}

void OpenLedger(const QCommandContext& context, unsigned long long mode)
{
    if (!DatabaseReady(context))
        return;
    MyFisaDeArticolDialog dialog(context.frame);
    dialog.mode = mode;
    dialog.DoModal();
}

void OpenWarehouseLedger(const QCommandContext& context)
{
    if (!DatabaseReady(context))
        return;
    MyFisaDeMagazieDialog dialog(context.frame);
    dialog.DoModal();
}

struct LedgerCommand {
    UINT id;
    unsigned long long mode;
};
const LedgerCommand kLedgerCommands[] = {{32862, 0}, {32814, 0}, {32863, 1}, {32822, 1}, {32837, 2}};

} // namespace

void RegisterStockReportCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(32826, &OpenStockList);
    for (const LedgerCommand& command : kLedgerCommands) {
        unsigned long long mode = command.mode;
        commands.Register(command.id, [mode](const QCommandContext& context) { OpenLedger(context, mode); });
    }
    commands.Register(32864, &OpenWarehouseLedger);
    commands.Register(32823, &OpenWarehouseLedger);
}
