#include "printing/PrintingCommands.h"
#include "cash/ReceiptPrinting.h"
#include "framework/gui/QTabContainer.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/DatabaseMessage.h"
#include "printing/MyPrintPanel.h"
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "resources/resource.h"

// The print tab, from the menu (id 0) or from a right click on a document
// row (the id in lParam). A tab that cannot be made is reported and dropped.
static void OpenPrintTab(const micro::qapp::QCommandContext& context)
{
    if (!context.tabs || !RequireOpenDatabase(context.frame))
        return;
    MyPrintPanel* panel = new MyPrintPanel(static_cast<unsigned long long>(context.lParam));
    if (!context.tabs->AddPage(panel)) {
        micro::qdialog::ShowMessageBox(context.frame, L"Eroare tiparire factura!", L"Message", MB_OK);
        delete panel;
    }
}

// The receipt editor's "Tiparire": nothing it prints is stored.
static INT_PTR RunReceiptPrintDialog(HWND owner, const ReceiptPrintRequest& request)
{
    MyPrintChitanteDialog dialog(owner);
    dialog.clientId = request.clientId;
    dialog.SetAmount(request.amount);
    dialog.SetFacturiText(request.facturi, request.series);
    dialog.SetReceiptNumberText(request.number);
    if (request.receiptSeries)
        dialog.SetReceiptSeriesText(request.receiptSeries);
    dialog.SetDateText(request.date);
    return dialog.DoModal();
}

void RegisterPrintingCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(ID_CMD_TIPARIRE_FACTURI, &OpenPrintTab);
    SetReceiptPrinter(&RunReceiptPrintDialog);
}
