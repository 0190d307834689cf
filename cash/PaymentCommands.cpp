#include "cash/PaymentCommands.h"
#include "cash/MyPlataDialog.h"
#include "cash/MyPlatiDialog.h"
#include "masterdata/DatabaseMessage.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"

namespace {

void OpenPaymentsList(const micro::qapp::QCommandContext& context)
{
    if (!RequireOpenDatabase(context.frame))
        return;
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
