#include "cash/CashCommands.h"
#include "cash/MyIncasareDialog.h"
#include "cash/MyIncasariDialog.h"
#include "cash/PaymentCommands.h"
#include "database/MyRepository.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"

using micro::qapp::QCommandContext;

namespace {

void OpenReceiptsList(const QCommandContext& context)
{
    if (!RequireOpenRepository(context.frame))
        return;
    MyIncasariDialog dialog(context.frame);
    dialog.DoModal();
}

// A receipt opened from another part (a ledger row, the receipts list).
INT_PTR EditStoredReceipt(HWND owner, int, uint64_t id)
{
    MyIncasareDialog editor(owner);
    editor.id = id;
    return editor.DoModal();
}

} // namespace

void RegisterCashCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(ID_CMD_CHITANTE, &OpenReceiptsList);
    RegisterEditor(EditorKind::Receipt, &EditStoredReceipt);
    RegisterPaymentCommands(commands);
}
