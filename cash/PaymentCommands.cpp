#include "cash/PaymentCommands.h"
#include "cash/MyPlataDialog.h"
#include "cash/MyPlatiDialog.h"
#include "database/MyRepository.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"

namespace {

// Without a company database the list has nothing to read: the command is
// refused, as every list is.
void OpenPaymentsList(const micro::qapp::QCommandContext& context)
{
    if (!RequireOpenRepository(context.frame))
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
