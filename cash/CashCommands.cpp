#include "cash/CashCommands.h"
#include "cash/MyIncasareDialog.h"
#include "cash/MyIncasariDialog.h"
#include "cash/MyPlataDialog.h"
#include "cash/MyPlatiDialog.h"
#include "masterdata/DatabaseMessage.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"

using micro::qapp::QCommandContext;

namespace {

// The receipts and the payments list.
template <class List>
void OpenList(const QCommandContext& context)
{
    if (!RequireOpenDatabase(context.frame))
        return;
    List list(context.frame);
    list.DoModal();
}

// A receipt or payment opened from another part (a ledger row, its list).
template <class Editor>
INT_PTR EditStored(HWND owner, int, uint64_t id)
{
    Editor editor(owner);
    editor.id = id;
    return editor.DoModal();
}

} // namespace

void RegisterCashCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(ID_CMD_CHITANTE, &OpenList<MyIncasariDialog>);
    commands.Register(ID_CMD_PLATI, &OpenList<MyPlatiDialog>);
    RegisterEditor(EditorKind::Receipt, &EditStored<MyIncasareDialog>);
    RegisterEditor(EditorKind::Payment, &EditStored<MyPlataDialog>);
}
