#include "stock/StockCommands.h"
#include "database/MyRepository.h"
#include "masterdata/EditorEntries.h"
#include "stock/MyIntrariGeneraleDialog.h"
#include "stock/MyIntrariGeneraleDialogEdit.h"
#include "stock/StockReportCommands.h"

using micro::qapp::QCommandContext;

namespace {

const UINT kEntriesCommand = 32810;
const UINT kExitsCommand = 32811;

void OpenMovementList(const QCommandContext& context, int kind)
{
    if (!RequireOpenRepository(context.frame))
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
