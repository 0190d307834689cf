#include "cash/PaymentCommands.h"
#include "cash/MyPlataDialog.h"
#include "cash/MyPlatiDialog.h"
#include "database/MyRepository.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"

namespace {

// Without a company database the list has nothing to read: the command is
// refused with the database layer's own words, as the receipts list is.
void OpenPaymentsList(const micro::qapp::QCommandContext& context)
{
    if (!GetRepository().IsOpen()) {
        micro::qsql::QSqlError error(micro::qsql::QSqlError::kWrapperError, L"Database is not open");
        micro::qdialog::ShowMessageBox(context.frame, error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
        return;
    }
    MyPlatiDialog list(context.frame);
    list.DoModal();
}

INT_PTR EditPayment(HWND owner, int, uint64_t id)
{
    MyPlataDialog editor(owner);
    editor.id = id;
    return editor.DoModal();
}

} // namespace

void RegisterPaymentCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(ID_CMD_PLATI, &OpenPaymentsList);
    RegisterEditor(EditorKind::Payment, &EditPayment);
}
