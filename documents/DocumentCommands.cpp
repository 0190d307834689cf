#include "documents/DocumentCommands.h"
#include "database/DocumentTables.h"
#include "documents/MyCautareFacturiDialog.h"
#include "documents/MyFacturiDialog.h"
#include "documents/MyFacturiPanel.h"
#include "framework/gui/QTabContainer.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/DatabaseMessage.h"
#include "masterdata/EditorEntries.h"

using micro::qapp::QCommandContext;

namespace {

struct TypedCommand {
    UINT id;
    int type;
};

// New document of each type: invoice, proforma, delivery note, goods-received
// note, return invoice.
const TypedCommand kNewDocument[] = {{32798, 0}, {32819, 1}, {32820, 2}, {32812, 3}, {32832, 4}};
// The list tab of each listed type (return invoices show among the invoices).
const TypedCommand kListTab[] = {{32842, 0}, {32845, 1}, {32828, 2}, {32813, 3}};
// The picker of each listed type.
const TypedCommand kPicker[] = {{32843, 0}, {32849, 1}, {32850, 2}, {32848, 3}};

void OpenNewDocument(const QCommandContext& context, int type)
{
    MyFacturiDialog editor(context.frame);
    editor.tip = type;
    editor.id = 0;
    editor.DoModal();
    if (!editor.salvat)
        return;
    // A document turned into an invoice may have been stored as both.
    ReloadDocumentTabs(context.tabs, type);
    if (editor.tip != type)
        ReloadDocumentTabs(context.tabs, editor.tip);
}

void OpenListTab(const QCommandContext& context, int type)
{
    if (!context.tabs)
        return;
    MyFacturiPanel* panel = new MyFacturiPanel(type);
    if (context.tabs->AddPage(panel))
        return;
    micro::utils::QError error = micro::utils::QError::FromLastError();
    delete panel;
    micro::qdialog::ShowErrorMessage(error);
}

void OpenPicker(const QCommandContext& context, int type)
{
    MyCautareFacturiDialog picker(context.frame);
    picker.tip = type;
    picker.DoModal();
    // The picker's editors, copies and validations may each have stored
    // something; a proforma or delivery note may have become an invoice.
    ReloadDocumentTabs(context.tabs, type);
    if (type == DocumentProforma || type == DocumentDeliveryNote)
        ReloadDocumentTabs(context.tabs, DocumentInvoice);
}

// A stored document opened from another part (a receipt's row, a ledger
// line). Its caller reads again what it shows after a 1: so does a run that
// stored something through "Tiparire" or "  Chitanta" and was then closed
// another way.
INT_PTR EditStoredDocument(HWND owner, int type, uint64_t id)
{
    MyFacturiDialog editor(owner);
    editor.tip = type;
    editor.id = id;
    INT_PTR result = editor.DoModal();
    return editor.salvat ? 1 : result;
}

// Without a company file each of them is refused in one sentence, before any
// window asks the database for something.
template <size_t N>
void RegisterTyped(micro::qapp::QCommandTable& commands, const TypedCommand (&table)[N],
                   void (*open)(const QCommandContext&, int))
{
    for (const TypedCommand& command : table) {
        int type = command.type;
        commands.Register(command.id, [open, type](const QCommandContext& context) {
            if (RequireOpenDatabase(context.frame))
                open(context, type);
        });
    }
}

} // namespace

void RegisterDocumentCommands(micro::qapp::QCommandTable& commands)
{
    RegisterTyped(commands, kNewDocument, &OpenNewDocument);
    RegisterTyped(commands, kListTab, &OpenListTab);
    RegisterTyped(commands, kPicker, &OpenPicker);
    RegisterEditor(EditorKind::Document, &EditStoredDocument);
}
