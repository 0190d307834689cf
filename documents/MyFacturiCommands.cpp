// The document editor's commands and notifications.
#include "documents/MyFacturiDialog.h"
#include "framework/qdialog/QMessageBox.h"
#include "framework/gui/QListRowWrite.h"
#include "documents/MyFacturiInternal.h"
#include "database/StockRule.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "cash/CashMessages.h"
#include "cash/MyCreareChitantaFacturiDialog.h"
#include "cash/Settlement.h"
#include "masterdata/MasterDataDialogs.h"
#include "framework/qapp/QApplication.h"
#include "framework/utils/TimeFormat.h"
#include "printing/AmountToWords.h"
#include "printing/InvoiceReceiptRow.h"
#include "printing/MyPrintDialog.h"
#include "printing/layouts/InvoiceReceipt.h"
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "resources/resource.h"
#include <cwchar>
#include <initializer_list>

using micro::qsql::SqlFormat;
using micro::utils::QString;
using namespace facturi_editor;

namespace {


// The signed-in user is not tracked by the program: documents carry agent 0.
const unsigned long long kCurrentUserId = 0;

bool IsClosedStatus(unsigned long long status)
{
    return status >= StatusValidated && status <= StatusReversed;
}

// A document that validated receipts or payments settle is not closed before
// they are cancelled: their money would stay on a closed document.
bool RefusedWhileSettled(HWND owner, int tip, unsigned long long id, unsigned long long number)
{
    const settlement::DocumentTable* settled = SettledTable(tip);
    if (!settled || id == 0)
        return false;
    std::vector<settlement::LiveAllocation> owners = settlement::LiveAllocations(*settled, id);
    if (owners.empty())
        return false;
    long long taken = 0;
    for (const settlement::LiveAllocation& allocation : owners)
        taken += allocation.bani;
    bool payments = owners[0].source == settlement::Source::Payment;
    QString text = SettledText(tip, number, taken, owners) +
                   (payments ? L": anulati intai plata !" : L": anulati intai chitanta !");
    micro::qdialog::ShowMessageBox(owner, text, L"Atentie", MB_OK | MB_ICONEXCLAMATION);
    return true;
}

} // namespace

bool MyFacturiDialog::OnButton(UINT command)
{
    // Commands without a control obey the same status rules as the buttons.
    bool closed = IsClosedStatus(status);
    switch (command) {
    case IDC_FE_ONLINE: LookupCompanyOnline(GetItemText(IDC_FE_CLIENT_CIF)); return true;
    case IDC_FE_PICK_PRODUCT: if (!closed) AddLineFromPicker(); return true;
    case IDC_FE_SAVE: SaveAndClose(); return true;
    case IDC_FE_DELETE_LINE: DeleteSelectedLine(); return true;
    case IDC_FE_MODIFY_LINE: ModifySelectedLine(); return true;
    case IDC_FE_STORNO:
        if (status != StatusTemporary && status != StatusCancelled && status != StatusReversed)
            Storno();
        return true;
    case IDC_FE_CANCEL_DOCUMENT: if (!closed) CancelDocument(); return true;
    case IDC_FE_VALIDATE: if (!closed) ValidateDocument(); return true;
    case IDC_FE_TO_INVOICE: TurnIntoInvoice(); return true;
    case IDC_FE_PICK_AGENT: ChooseAgent(false); return true;
    case IDC_FE_DELEGATE_PICK: ChooseAgent(true); return true;
    case IDC_FE_APPLY_DISCOUNT: if (!closed) ApplyDiscount(); return true;
    case IDC_FE_PRINT: SaveAndPrint(); return true;
    case IDC_FE_RECEIPT: SaveAndMakeReceipt(); return true;
    case IDC_FE_ACTIONS: ShowActionsMenu(); return true;
    case IDOK:
    case IDCANCEL:
    case 9: return QDialog::OnButton(command);
    default: return true;
    }
}

void MyFacturiDialog::OnOK()
{
    if (IsClosedStatus(status))
        return;
    // A refused line keeps what was typed.
    if (!AddOrModifyLine())
        return;
    for (int idc : {IDC_FE_UNIT, IDC_FE_PRICE, IDC_FE_QUANTITY, IDC_FE_PRODUCT})
        SetItemText(idc, L"");
    FocusProductField();
    denumireProdus.Empty();
}

bool MyFacturiDialog::OnCommand(UINT command, UINT code, HWND control, LRESULT& result)
{
    if (command == IDC_FE_NUMBER) {
        if (code == EN_SETFOCUS)
            OnNumberFieldFocus();
        return code == EN_SETFOCUS;
    }
    if (command == IDC_FE_CLIENT_NAME || command == IDC_FE_PRODUCT) {
        bool partner = command == IDC_FE_CLIENT_NAME;
        if (code == CBN_SELCHANGE) {
            partner ? OnClientChosen() : static_cast<void>(OnProductChosen(1));
            return true;
        }
        if (code == CBN_SELENDOK || code == CBN_SELENDCANCEL) {
            if (comboSelectionGuard)
                comboSelectionGuard = false;
            else if (partner)
                OnClientChosen();
            else
                OnProductChosen(code == CBN_SELENDOK ? 3 : 2);
            return true;
        }
        return false;
    }
    if (code == 0)
        return OnButton(command);
    return false;
}

bool MyFacturiDialog::OnNotify(UINT control, NMHDR* header, LRESULT&)
{
    if (control == IDC_FE_ISSUE_DATE && header->code == DTN_DATETIMECHANGE) {
        OnIssueDateChanged();
    } else if (control == IDC_FE_LINES && header->code == NM_CLICK) {
        if (status < StatusValidated) {
            const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
            linieEditata = click->iItem;
            coloanaEditata = click->iSubItem;
            int selected = listaArticole.GetSelectedItem();
            produsSelectat = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(selected, ColId)));
            if (click->iItem >= 0) {
                listaArticole.SelectItem(click->iItem);
                PlaceLineButtons(click->iItem);
            }
            if (areDiscount)
                RemoveDiscountLine();
        }
    } else if (control == IDC_FE_LINES && header->code == LVN_ITEMCHANGED && !butoaneAmanate) {
        PlaceLineButtons(reinterpret_cast<const NMLISTVIEW*>(header)->iItem);
    }
    return true;
}

// A new document (or a copy) may change its numbering; a stored one may not.
void MyFacturiDialog::OnNumberFieldFocus()
{
    SetFocus(listaArticole);
    if (id != 0 && !documentNou) {
        MessageBox(L"Documentul este deja inregistrat in baza de date\nnumarul si seria nu mai pot fi modificate !",
                   L"Atentie", MB_ICONEXCLAMATION);
        return;
    }
    QString seriesBefore;
    GetDocumentSeries(seriesBefore, 1);
    MyConfigFacturiDialog settings;
    settings.DoModal();
    switch (tip) {
    case DocumentInvoice:
    case DocumentReturnInvoice: {
        numar = GetInvoiceConfigValue(8) + 1;
        // A series typed into the field stays, unless the settings have just
        // given the invoices another one.
        QString series;
        GetDocumentSeries(series, 1);
        if (!(series == seriesBefore)) {
            serie = series;
            SetItemText(IDC_FE_SERIES, serie);
        }
        break;
    }
    case DocumentProforma: numar = GetInvoiceConfigValue(11) + 1; break;
    case DocumentGoodsReceived: numar = GetInvoiceConfigValue(9) + 1; break;
    default: break;
    }
    SetItemText(IDC_FE_NUMBER, FormatNumberText(numar));
}

bool MyFacturiDialog::SaveSequence()
{
    if (id == 0 || documentNou) {
        // A first save makes the document temporary, unless the command
        // itself gave it a status (a new document validated or cancelled at once).
        unsigned long long previous = status;
        if (status == StatusNew)
            status = StatusTemporary;
        if (!SaveDocument()) {
            status = previous;
            return false;
        }
        id = idRezervat;
        LockStoredSeries();
        return true;
    }
    return SaveDocument();
}

void MyFacturiDialog::SaveAndClose()
{
    comboSelectionGuard = true;
    agent = kCurrentUserId;
    if (SaveSequence())
        EndDialog(1);
}

void MyFacturiDialog::DeleteSelectedLine()
{
    if (IsClosedStatus(status))
        return;
    int row = listaArticole.GetSelectedItem();
    if (row < 0 || row > 1000)
        return;
    bool discountRow = listaArticole.GetItemText(row, ColId) == L"0";
    if (areDiscount)
        RemoveDiscountLine();
    if (!discountRow && row < nrLinii) {
        listaArticole.DeleteItem(row);
        --nrLinii;
    }
    RecomputeTotals();
    RenumberRows();
}

void MyFacturiDialog::ModifySelectedLine()
{
    if (!IsClosedStatus(status) && listaArticole.GetSelectedItem() >= 0)
        BeginModifyLine();
}

void MyFacturiDialog::AddLineFromPicker()
{
    if (areDiscount)
        RemoveDiscountLine();
    MyCautareProduseDialog picker(m_hwnd);
    picker.mode = 2;
    if (picker.DoModal() != 1 || picker.selectedId == 0)
        return;
    produsSelectat = picker.selectedId;
    QString name, unit;
    GetProductTextField(name, produsSelectat, 1);
    GetProductTextField(unit, produsSelectat, 6);
    double price = GetProductNumField(produsSelectat, tip == DocumentGoodsReceived ? 4 : 5);
    micro::gui::QListRowWrite write(listaArticole, nrLinii);
    int row = listaArticole.InsertItem(nrLinii, QString::Formatted(L"%lu", static_cast<unsigned long>(nrLinii + 1)));
    listaArticole.SetItemText(row, ColId, QString::Formatted(L"%d", static_cast<int>(produsSelectat)));
    listaArticole.SetItemText(row, ColName, name);
    listaArticole.SetItemText(row, ColUnitPrice, Amount(price));
    SetRowPrice(row, price);
    listaArticole.SetItemText(row, ColQuantity, L"");
    listaArticole.SetItemText(row, ColUnit, unit);
    listaArticole.SetItemText(row, ColCurrency, GetCurrencyName(GetProductIntField(produsSelectat, 1)));
    for (int column : {ColNet, ColVat, ColGross})
        listaArticole.SetItemText(row, column, L"0");
    long long vatCode = GetProductIntField(produsSelectat, 3);
    listaArticole.SetItemText(row, ColVatText, VatLabel(vatCode));
    SetRowVat(row, static_cast<int>(vatCode), true);
    write.SelectAndShow(row);
    if (vatCode != GetRepository().ExecScalar(L"Select cotaTVA from Societate"))
        MessageBox(L"Cota de TVA a produsului este diferita de cota de TVA a Societatii !!!", L"Atentie",
                   MB_ICONEXCLAMATION);
    linieEditata = row;
    coloanaEditata = ColQuantity;
    editareInLinie = true;
    PlaceLineButtons(row);
    ++nrLinii;
}

void MyFacturiDialog::ChooseAgent(bool forDelegate)
{
    MyCautareAgentiDialog picker(m_hwnd);
    if (picker.DoModal() != 1 || picker.selectedId == 0)
        return;
    (forDelegate ? delegat : agent) = picker.selectedId;
    // Only the delegate's fields follow the choice: the series, partner and
    // dates keep what was typed.
    if (forDelegate)
        FillDelegateFields();
}

void MyFacturiDialog::Storno()
{
    if (RefusedWhileSettled(m_hwnd, tip, documentNou ? 0 : id, numar))
        return;
    if (status == StatusNew) {
        MessageBox(L"Documentul nu a fost inca introdus in baza de date !", L"Atentie", MB_ICONEXCLAMATION);
        return;
    }
    // A NIR is reversed by a NIR, numbered from the NIR counter.
    long long n = GetInvoiceConfigValue(tip == DocumentGoodsReceived ? 9 : 8) + 1;
    // A counter lowered in the numbering settings must not hand the reversal a number held already.
    QString taken = NumberTakenText(tip == DocumentGoodsReceived ? DocumentGoodsReceived : DocumentInvoice, serie,
                                    static_cast<unsigned long long>(n), 0);
    if (!taken.IsEmpty()) {
        MessageBox(taken, L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    QString question = QString(L"Stornarea implica anularea facturii si modificarea \n stocurilor la valorile initiale "
                               L"!\nSe va crea factura storno cu numarul ") +
                       QString::Formatted(L"%d", static_cast<int>(n));
    if (MessageBox(question, L"Stornare", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    // The reversing invoice and the reversed document are stored together: a
    // reversing invoice that cannot be written takes the save back. The
    // reversed document is saved first, so the reversing one copies the
    // partner, delegate and dates as stored, not as they were when opened.
    unsigned long long previousStatus = status, previousId = id, previousReserved = idRezervat;
    unsigned long long previousNew = documentNou;
    if (!StockAllowsSave(false))
        return;
    bool saved = false;
    try {
        micro::qsql::QsqlTransaction transaction(GetRepository());
        status = StatusReversed;
        stornat = true;
        saved = SaveSequence() && CreateStornoInvoice();
        if (saved)
            transaction.Commit();
    } catch (const micro::qsql::QSqlError& e) {
        MessageBox(e.GetText(), L"Message", MB_OK);
        saved = false;
    }
    OuterSaveEnded(saved);
    if (saved) {
        EndDialog(1);
        return;
    }
    status = previousStatus;
    id = previousId;
    idRezervat = previousReserved;
    documentNou = previousNew;
    stornat = false;
    idStorno = 0;
}

void MyFacturiDialog::CancelDocument()
{
    if (RefusedWhileSettled(m_hwnd, tip, documentNou ? 0 : id, numar))
        return;
    if (MessageBox(L"Anularea implica imposibilitatea modificarii datelor \n si pierderea numarului de factura !",
                   L"Anulare", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    double previousBalance = sold;
    unsigned long long previousStatus = status;
    sold = 0.0;
    status = StatusCancelled;
    if (SaveSequence()) {
        EndDialog(1);
        return;
    }
    sold = previousBalance;
    status = previousStatus;
}

void MyFacturiDialog::ValidateDocument()
{
    if (MessageBox(L"Validare document ?", L"Validare", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    dataCreare = GetPicker(IDC_FE_ISSUE_DATE);
    if (tip == DocumentInvoice) {
        // This invoice's own stored lines are replaced by the ones validated.
        std::vector<StockLine> lines;
        for (int row = 0; row < nrLinii; ++row)
            lines.push_back({static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(row, ColId))),
                             RowQuantity(row)});
        int row = FirstUncoveredLine(static_cast<long long>(dataCreare), id != 0 && !documentNou ? id : 0, lines);
        if (row >= 0) {
            MessageBox(QString::Formatted(L"La linia %d", row + 1) + L"\nCantitate Insufucienta in stoc !", L"Message",
                       MB_OK);
            return;
        }
    }
    agent = kCurrentUserId;
    unsigned long long previous = status;
    status = StatusValidated;
    if (SaveSequence()) {
        EndDialog(1);
        return;
    }
    status = previous;
}

// The invoice carries its source's lines as they stand, a discount line
// included, and so its totals: the discount command does not run.
void MyFacturiDialog::TurnIntoInvoice()
{
    if (MessageBox(L"Transformati in factura ?", L"Factura ", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    IssueLinesAtShownVat();
    tip = DocumentInvoice;
    idRezervat = static_cast<unsigned long long>(GetRepository().ExecScalar(L"Select MAX(id) from Facturi")) + 1;
    id = 0;
    // A new invoice, temporary at its first save whatever its source's status.
    status = StatusNew;
    numar = GetInvoiceConfigValue(8) + 1;
    // The invoice is numbered in the invoices' series, not the proforma's.
    GetDocumentSeries(serie, 1);
    ApplyDocumentType();
    SetWindowTextW(m_hwnd, L"Factura  ");
    ShowNumberAndSeries();
}

void MyFacturiDialog::SaveAndPrint()
{
    if (!SaveSequence())
        return;
    MarkSaved();
    MyPrintDialog print(m_hwnd);
    print.SetDocument(idRezervat, tip);
    if (tip == DocumentGoodsReceived)
        print.textNir = textNir;
    print.DoModal();
}

// Confirms the receipt's number and series, then saves the document, writes
// the receipt row and moves the receipt counter in one transaction: a save
// that fails spends no receipt number. An invoice keeps one temporary
// receipt: asked again, it gets that one, brought to what is left to collect,
// without a new number. The receipt is shown once it exists.
void MyFacturiDialog::SaveAndMakeReceipt()
{
    if (RefusedReceiptForDocumentType(m_hwnd, tip))
        return;
    // A stored invoice with nothing left to collect gets no receipt at all;
    // nor does one whose lines, as they stand, total nothing to collect.
    if (id != 0 && (RefusedReceiptForClosedInvoice(m_hwnd, client, id) ||
                    RefusedReceiptForSettledInvoice(m_hwnd, client, id)))
        return;
    if (settlement::ToBani(CellAmount(GetItemText(IDC_FE_TOTAL).c_str())) <= 0) {
        ShowNothingToCollect(m_hwnd, numar);
        return;
    }
    // The invoice's temporary receipt, when it has one, is the one it gets again.
    StoredInvoiceReceipt kept;
    bool reused = id != 0 && !documentNou && FindInvoiceReceipt(client, id, QString::Formatted(L"%llu", numar), kept) &&
                  kept.Temporary();
    InvoiceReceiptRow row;
    row.date = reused && kept.dated ? static_cast<unsigned long long>(kept.date) : GetPicker(IDC_FE_ISSUE_DATE);
    if (reused) {
        numarChitanta = kept.number;
        serieChitanta = kept.series;
    } else {
        QString number, series;
        ProposeReceipt(number, series);
        MyCreareChitantaFacturiDialog confirmation(m_hwnd);
        confirmation.SetReceiptNumberAndSeries(number, series);
        if (confirmation.DoModal() != 1)
            return;
        confirmation.GetReceiptNumberAndSeries(numarChitanta, serieChitanta);
    }
    row.series = serieChitanta;
    // The confirmation accepted only a counter.
    ParseCounter(numarChitanta.c_str(), row.number);
    row.amount = CellAmount(GetItemText(IDC_FE_TOTAL).c_str());
    if (!SaveWithReceipt(row, reused ? kept.id : 0))
        return;
    MarkSaved();

    QString date;
    micro::utils::FormatTimeText(static_cast<long long>(row.date), date, L"%d-%m-%Y");
    MyPrintChitanteDialog receipt(m_hwnd);
    receipt.clientId = client;
    receipt.SetAmount(row.amount);
    receipt.SetFacturiText(QString::Formatted(L"%d", static_cast<int>(numar)).c_str(), serie.c_str());
    receipt.SetReceiptNumberText(numarChitanta);
    receipt.SetReceiptSeriesText(serieChitanta);
    receipt.SetDateText(date);
    receipt.DoModal();
}

bool MyFacturiDialog::SaveWithReceipt(InvoiceReceiptRow& row, unsigned long long keptReceipt)
{
    unsigned long long previousId = id, previousReserved = idRezervat, previousStatus = status;
    unsigned long long previousNew = documentNou;
    bool saved = false;
    try {
        micro::qsql::QsqlTransaction transaction(GetRepository());
        if (SaveSequence()) {
            row.clientId = client;
            row.invoices = QString::Formatted(L" %d", static_cast<int>(numar));
            row.invoiceId = idRezervat;
            // What is left to collect once saved: a partly paid invoice's
            // receipt takes its balance, which a validation can settle.
            row.amount = GetRepository()
                             .ExecQuery(SqlFormat(L"select sold from Facturi where id = %llu", idRezervat).c_str())
                             .GetFloatField(0, row.amount);
            // Receipts already taken may leave the saved total nothing to
            // collect: then neither the save nor a receipt is kept.
            if (settlement::ToBani(row.amount) <= 0) {
                ShowNothingToCollect(m_hwnd, numar);
            } else {
                row.amountInWords = AmountToWords(row.amount);
                if (keptReceipt != 0)
                    BringInvoiceReceipt(keptReceipt, row.clientId, row.amount, row.amountInWords);
                else
                    WriteInvoiceReceipt(row, ReceiptCounterSeries::Store);
                transaction.Commit();
                saved = true;
            }
        }
    } catch (const micro::qsql::QSqlError& error) {
        micro::qdialog::ShowMessageBox(m_hwnd, error.GetText(), L"Message", MB_OK);
    }
    OuterSaveEnded(saved);
    if (!saved) {
        // Nothing was stored: the editor goes on as before the command.
        id = previousId;
        idRezervat = previousReserved;
        status = previousStatus;
        documentNou = previousNew;
    }
    return saved;
}
