#include "stock/StockCommands.h"
#include "database/MyRepository.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/EditorEntries.h"
#include "stock/MyIntrariGeneraleDialog.h"
#include "stock/MyIntrariGeneraleDialogEdit.h"
#include "stock/StockReportCommands.h"

using micro::qapp::QCommandContext;

namespace {

const UINT kEntriesCommand = 32810;
const UINT kExitsCommand = 32811;

// Without a database the lists refuse, with the database layer's own words.
bool RequireDatabase(HWND owner)
{
    if (GetRepository().IsOpen())
        return true;
    micro::qdialog::ShowMessageBox(owner, L"CPPSQLITE_ERROR[1000]: Database is not open", L"Message",
                                   MB_OK | MB_ICONERROR);
    return false;
}

void OpenMovementList(const QCommandContext& context, int kind)
{
    if (!RequireDatabase(context.frame))
        return;
    MyIntrariGeneraleDialog list(context.frame);
    list.kind = kind;
    list.DoModal();
}

// A stored movement opened from another part (a ledger line).
INT_PTR EditStoredMovement(HWND owner, int kind, uint64_t id)
{
    MyIntrariGeneraleDialogEdit editor(owner);
    editor.kind = kind;
    editor.id = id;
    return editor.DoModal();
}

} // namespace

void RegisterStockCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(kEntriesCommand, [](const QCommandContext& context) { OpenMovementList(context, 0); });
    commands.Register(kExitsCommand, [](const QCommandContext& context) { OpenMovementList(context, 1); });
    RegisterEditor(EditorKind::StockMovement, &EditStoredMovement);
    RegisterStockReportCommands(commands);
}
