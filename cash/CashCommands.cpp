#include "cash/CashCommands.h"
#include "cash/MyIncasareDialog.h"
#include "cash/MyIncasariDialog.h"
#include "cash/PaymentCommands.h"
#include "database/MyRepository.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"

using micro::qapp::QCommandContext;

namespace {

// Without a company database the lists have nothing to read: the command is
// refused with the database layer's own words.
bool DatabaseIsOpen(HWND owner)
{
    if (GetRepository().IsOpen())
        return true;
    micro::qsql::QSqlError error(micro::qsql::QSqlError::kWrapperError, L"Database is not open");
    micro::qdialog::ShowMessageBox(owner, error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
    return false;
}

void OpenReceiptsList(const QCommandContext& context)
{
    if (!DatabaseIsOpen(context.frame))
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
