#include "cash/MyIncasareDialog.h"
#include "cash/AmountToWordsUpperCase.h"
#include "cash/CashLists.h"
#include "cash/CashMessages.h"
#include "cash/CashText.h"
#include "cash/CellNumbers.h"
#include "cash/MyFacturiScadenteList.h"
#include "cash/ReceiptPrinting.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/gui/QImage.h"
#include "framework/utils/TimeFormat.h"
#include "masterdata/EditorEntries.h"
#include "masterdata/MasterDataDialogs.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include <algorithm>

using micro::qsql::QsqlQuery;
using micro::qsql::SqlFormat;
using micro::utils::QString;
using settlement::DocumentRow;

namespace {

const ListColumn kColumns[] = {
    {L"Numar", 50, LVCFMT_LEFT},         {L"Data", 80, LVCFMT_LEFT},     {L"Valoare FT", 105, LVCFMT_CENTER},
    {L"Valoare TVA", 75, LVCFMT_CENTER}, {L"Valoare TTI", 105, LVCFMT_CENTER}, {L"Status", 100, LVCFMT_CENTER},
    {L"Sold", 120, LVCFMT_CENTER},
};

// The run-time buttons: text, command, icon, x (pixels).
struct RunTimeButton {
    const wchar_t* text;
    UINT command;
    UINT icon;
    int x;
};
const RunTimeButton kRunTimeButtons[] = {
    {L"  Tiparire", IDC_INCASARE_TIPARIRE, IDI_FE_PRINT, 420},
    {L"  Salvare", IDC_INCASARE_VALIDARE, IDI_FE_SAVE, 540},
    {L"  Anulare", IDC_INCASARE_ANULARE, IDI_INCASARE_ANULARE, 660},
};

const wchar_t kAtentie[] = L"Atentie";
const wchar_t kSaveBeforePrinting[] = L"Salvati chitanta inainte de a o tipari !";
const wchar_t kCancelledNotPrinted[] = L"Chitanta este anulata si nu se mai tipareste !";

} // namespace

MyIncasareDialog::MyIncasareDialog(HWND parent) : QDialog(IDD_INCASARE, parent)
{
    AskBeforeDiscarding();
}

MyIncasareDialog::~MyIncasareDialog()
{
    if (picture)
        DeleteObject(picture);
    for (HICON icon : icons)
        if (icon)
            DestroyIcon(icon);
}

bool MyIncasareDialog::OnInitDialog()
{
    editSuma.Attach(m_hwnd, IDC_INCASARE_SUMA);
    editSumaLitere.Attach(m_hwnd, IDC_INCASARE_SUMA_LITERE);
    dataSelector.Attach(m_hwnd, IDC_INCASARE_DATA);
    dataSelector.SetDayMonthYearFormat();
    comboTip.Attach(m_hwnd, IDC_INCASARE_TIP);
    FillPaymentTypes(comboTip);
    lista.Attach(m_hwnd, IDC_INCASARE_LISTA);
    SetupList(lista, kColumns);
    if (id == 0) {
        numar = static_cast<unsigned long long>(GetInvoiceConfigValue(10)) + 1;
        // Only a new receipt takes the configured series; a stored one keeps its own.
        GetDocumentSeries(serie, 2);
    } else {
        QsqlQuery q = GetRepository().ExecQuery(
            SqlFormat(L"select id,serie,numar,IDCLient,facturi,suma,sumaStr,data,status,tip,agent,documente from "
                      L"Incasari where id = %llu ",
                      id)
                .c_str());
        StoredDocuments stored;
        if (!q.Eof()) {
            serie = q.GetStringField(1);
            numar = q.GetIdField(2);
            IDClient = q.GetIdField(3);
            facturi = q.GetStringField(4);
            suma = q.GetFloatField(5);
            sumaStr = q.GetStringField(6);
            data = q.GetIdField(7);
            status = q.GetIdField(8);
            tip = q.GetIntField(9);
            agent = q.GetIdField(10);
            stored = {id, static_cast<long long>(status), IDClient, !q.FieldIsNull(11), q.GetStringField(11), facturi};
        }
        ListRows(StoredDocumentRows(settlement::kInvoices, settlement::Source::Receipt, stored));
        SelectPaymentType(comboTip, tip);
        SetItemText(IDC_INCASARE_BANCA, GetClientField(IDClient, 25).c_str());
    }
    ShowNumber();
    ShowPicture();
    CreateRunTimeButtons();
    if (id != 0 || IDClient != 0)
        LoadClientTotals();
    bool focus = QDialog::OnInitDialog();
    ShowStatus();
    return focus;
}

void MyIncasareDialog::ShowStatus()
{
    // A validated receipt's fields are what it settled; a cancelled or
    // reversed one is kept as it is: nothing typed could be stored.
    const bool closed = status >= 3;
    for (int control : {IDC_INCASARE_SUMA, IDC_INCASARE_SUMA_LITERE, IDC_INCASARE_BANCA, IDC_INCASARE_CLIENT,
                        IDC_INCASARE_CUI, IDC_INCASARE_MONEDA})
        ::SendMessageW(GetItem(control), EM_SETREADONLY, status >= 2, 0);
    EnableItem(IDC_INCASARE_DATA, status < 2);
    EnableItem(IDC_INCASARE_TIP, status < 2);
    for (int control : {IDC_INCASARE_ADD, IDC_INCASARE_REMOVE, IDC_INCASARE_ADAUGA_CLIENT, IDOK})
        EnableItem(control, !closed);
    // The run-time buttons share their ids with the template's hidden ones.
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int control = GetDlgCtrlID(child);
        if (control == IDC_INCASARE_VALIDARE || control == IDC_INCASARE_ANULARE)
            EnableWindow(child, !closed);
    }
}

void MyIncasareDialog::ShowNumber()
{
    SetItemText(IDC_INCASARE_NUMAR, QString::Formatted(L"-%07llu-", numar).c_str());
}

void MyIncasareDialog::ShowPicture()
{
    HWND frame = GetItem(IDC_INCASARE_POZA);
    RECT client = {};
    GetClientRect(frame, &client);
    micro::gui::QComPtr<IWICBitmapSource> source;
    if (client.right <= 0 || client.bottom <= 0 ||
        FAILED(micro::gui::LoadImageResource(IDJ_INCASARE, L"JPG", &source, client.right, client.bottom)) ||
        FAILED(micro::gui::CreateDibFromWicBitmap(source, &picture)))
        return;
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
        ::SendMessageW(frame, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
    if (old && old != picture)
        DeleteObject(old);
}

void MyIncasareDialog::CreateRunTimeButtons()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
    for (int i = 0; i < 3; ++i) {
        const RunTimeButton& b = kRunTimeButtons[i];
        HWND button = CreateWindowExW(0, L"BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, b.x,
                                      440, 120, 42, m_hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.command)),
                                      instance, nullptr);
        ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        icons[i] = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(b.icon), IMAGE_ICON, 30, 30, 0));
        ::SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons[i]));
    }
}

bool MyIncasareDialog::UpdateData(bool toControls)
{
    if (!toControls) {
        // An amount shown as stored keeps every digit it was stored with.
        if (GetItemText(IDC_INCASARE_SUMA) != QString::Formatted(L"%.2f", suma) && !AmountFromEdit(suma))
            return false;
        sumaStr = GetItemText(IDC_INCASARE_SUMA_LITERE);
        data = static_cast<unsigned long long>(DateFromPicker());
        return true;
    }
    if (data != 0)
        dataSelector.SetUnixTime(static_cast<long long>(data));
    if (IDClient != 0) {
        SetItemText(IDC_INCASARE_CLIENT, GetClientField(IDClient, 1).c_str());
        SetItemText(IDC_INCASARE_CUI, GetClientField(IDClient, 3).c_str());
        SetItemText(IDC_INCASARE_FACTURI, facturi.c_str());
        // The amount's change notice rewrites the words: the stored words win.
        QString words = sumaStr;
        SetItemText(IDC_INCASARE_SUMA, QString::Formatted(L"%.2f", suma).c_str());
        sumaStr = words;
        SetItemText(IDC_INCASARE_SUMA_LITERE, sumaStr.c_str());
        SetItemText(IDC_INCASARE_MONEDA, L"RON");
    }
    return true;
}

bool MyIncasareDialog::AmountFromEdit(double& amount)
{
    QString text = GetItemText(IDC_INCASARE_SUMA);
    if (ParseAmount(text.c_str(), amount))
        return true;
    MessageBox(NumberRefusal(NumberField::Amount, text.c_str()), L"Atentie", MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetItem(IDC_INCASARE_SUMA));
    return false;
}

long long MyIncasareDialog::DateFromPicker() const
{
    return dataSelector.GetUnixTime();
}

void MyIncasareDialog::AppendInvoiceRow()
{
    std::vector<DocumentRow> rows;
    if (idAles != 0) {
        DocumentRow row;
        if (settlement::ReadDocument(settlement::kInvoices, IDClient, idAles, row))
            rows.push_back(row);
    } else {
        rows = settlement::FindDocumentsByNumber(settlement::kInvoices, IDClient, numarAles);
    }
    std::vector<unsigned long long> listed = RowIds(lista);
    for (const DocumentRow& row : rows) {
        if (std::find(listed.begin(), listed.end(), row.id) != listed.end())
            continue;
        InsertDocumentRow(lista, static_cast<int>(rowCount), row, L"%d-%m-%Y");
        ++rowCount;
    }
}

void MyIncasareDialog::RecomputeTotals()
{
    // " 13, 12": the last row first, plain numbers, ", " between.
    facturi = L" ";
    for (int row = 0; row < lista.GetItemCount(); ++row) {
        unsigned long long listed = CellInteger(lista.GetItemText(row, kDocumentNumberColumn).c_str());
        QString number = QString::Formatted(L"%llu", listed);
        if (row > 0)
            facturi.Insert(1, L", ");
        facturi.Insert(1, number.c_str());
    }
    suma = settlement::FromBani(ListedBalancesBani(lista));
    AmountToWordsUpperCase(sumaStr, suma);
}

void MyIncasareDialog::LoadClientTotals()
{
    settlement::PartnerTotals totals = settlement::ReadPartnerTotals(settlement::kInvoices, IDClient);
    totalFacturat = totals.invoiced;
    totalIncasat = totals.settled;
    totalSold = totals.owed;
    SetItemText(IDC_INCASARE_TOTAL_FACTURAT, QString::Formatted(L"%.2f", totalFacturat).c_str());
    SetItemText(IDC_INCASARE_TOTAL_INCASAT, QString::Formatted(L"%.2f", totalIncasat).c_str());
    SetItemText(IDC_INCASARE_SOLD, QString::Formatted(L"%.2f", totalSold).c_str());
    SetItemText(IDC_INCASARE_BANCA, GetClientField(IDClient, 25).c_str());
}

void MyIncasareDialog::ListRows(const std::vector<DocumentRow>& rows)
{
    for (const DocumentRow& row : rows) {
        InsertDocumentRow(lista, static_cast<int>(rowCount), row, L"%d-%m-%Y");
        ++rowCount;
    }
}

void MyIncasareDialog::ClearRows()
{
    lista.DeleteAllItems();
    rowCount = 0;
}

bool MyIncasareDialog::IsListed(unsigned long long documentId) const
{
    return lista.FindItemByData(static_cast<ULONG_PTR>(documentId)) >= 0;
}

bool MyIncasareDialog::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    if (id == IDC_INCASARE_SUMA && code == EN_CHANGE) {
        QString text = GetItemText(IDC_INCASARE_SUMA);
        if (text.IsEmpty()) {
            SetItemText(IDC_INCASARE_SUMA_LITERE, L"");
        } else {
            // No words for an amount that will be refused.
            double amount = 0.0;
            sumaStr = L"";
            if (ParseAmount(text.c_str(), amount))
                AmountToWordsUpperCase(sumaStr, amount);
            SetItemText(IDC_INCASARE_SUMA_LITERE, sumaStr.c_str());
        }
        return true;
    }
    return QDialog::OnCommand(id, code, control, result);
}

bool MyIncasareDialog::OnNotify(UINT id, NMHDR* header, LRESULT& result)
{
    if (id != IDC_INCASARE_LISTA || header->code != NM_DBLCLK)
        return QDialog::OnNotify(id, header, result);
    const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem >= 0 && click->iItem < lista.GetItemCount())
        OpenInvoice(click->iItem);
    return true;
}

void MyIncasareDialog::OpenInvoice(int row)
{
    unsigned long long document = static_cast<unsigned long long>(lista.GetItemData(row));
    if (OpenEditor(EditorKind::Document, m_hwnd, 0, document) != 1)
        return;
    // The same documents, as they stand now.
    std::vector<DocumentRow> rows;
    for (unsigned long long listed : RowIds(lista)) {
        DocumentRow row;
        if (settlement::ReadDocument(settlement::kInvoices, IDClient, listed, row))
            rows.push_back(row);
    }
    ClearRows();
    ListRows(rows);
    // A validated or closed receipt keeps what it received and its words:
    // its rows show the documents as stored, nothing there is left unsaved.
    if (status < 2)
        RecomputeTotals();
    UpdateData(true);
    if (status >= 2)
        MarkSaved();
}

bool MyIncasareDialog::OnButton(UINT command)
{
    switch (command) {
    case IDC_INCASARE_ADD: AddInvoice(); return true;
    case IDC_INCASARE_REMOVE: RemoveInvoice(); return true;
    case IDC_INCASARE_ADAUGA_CLIENT: ChooseClient(); return true;
    case IDC_INCASARE_VALIDARE: Validate(); return true;
    case IDC_INCASARE_ANULARE: Cancel(); return true;
    case IDC_INCASARE_TIPARIRE: Print(); return true;
    case IDC_INCASARE_REVERT:
        // Only a validated receipt has anything to give back.
        if (status != 2)
            EndDialog(IDCANCEL);
        else if (RevertInvoiceBalances())
            EndDialog(IDOK);
        return true;
    default: return QDialog::OnButton(command);
    }
}

bool MyIncasareDialog::ConfirmEditOfValidated()
{
    if (status >= 3)
        return false;
    if (status != 2)
        return true;
    if (MessageBox(L"Atentie, acest document a fost deja inregistrat ! Daca doriti modificarea acestuia, datele "
                   L"anterioare vor fi sterse !",
                   L"Document deja inregistrat !", MB_OKCANCEL | MB_ICONSTOP) != IDOK)
        return false;
    return RevertInvoiceBalances();
}

void MyIncasareDialog::AddInvoice()
{
    if (!ConfirmEditOfValidated())
        return;
    MyFacturiScadenteList picker(m_hwnd);
    picker.partnerId = IDClient;
    picker.documentKind = MyFacturiScadenteList::KindInvoices;
    if (picker.DoModal() != IDOK)
        return;
    numarAles = picker.chosenNumber;
    idAles = picker.chosenId;
    if (IsListed(idAles)) {
        ShowAlreadyListed(m_hwnd);
        return;
    }
    AppendInvoiceRow();
    RecomputeTotals();
    UpdateData(true);
}

void MyIncasareDialog::ChooseClient()
{
    if (!ConfirmEditOfValidated())
        return;
    MyCautareClientiDialog clients(m_hwnd);
    if (clients.DoModal() != IDOK || clients.selectedId == IDClient)
        return;
    // Another client's invoices cannot stay on this receipt.
    ClearRows();
    RecomputeTotals();
    IDClient = clients.selectedId;
    MyFacturiScadenteList picker(m_hwnd);
    picker.partnerId = IDClient;
    picker.documentKind = MyFacturiScadenteList::KindInvoices;
    if (picker.DoModal() != IDOK) {
        IDClient = 0;
        for (int control : {IDC_INCASARE_CLIENT, IDC_INCASARE_CUI, IDC_INCASARE_BANCA, IDC_INCASARE_FACTURI,
                            IDC_INCASARE_TOTAL_FACTURAT, IDC_INCASARE_TOTAL_INCASAT, IDC_INCASARE_SOLD})
            SetItemText(control, L"");
        return;
    }
    tip = GetClientIntField(IDClient, 2);
    SelectPaymentType(comboTip, tip);
    LoadClientTotals();
    numarAles = picker.chosenNumber;
    idAles = picker.chosenId;
    if (IsListed(idAles)) {
        ShowAlreadyListed(m_hwnd, numarAles);
        return;
    }
    AppendInvoiceRow();
    RecomputeTotals();
    AmountToWordsUpperCase(sumaStr, suma);
    UpdateData(true);
}

void MyIncasareDialog::RemoveInvoice()
{
    if (!ConfirmEditOfValidated())
        return;
    int row = lista.GetSelectedItem();
    if (row < 0)
        return;
    lista.DeleteItem(row);
    --rowCount;
    RecomputeTotals();
    UpdateData(true);
}

// Paper proves a payment: it shows the receipt only as the books hold it,
// and never one that was cancelled.
void MyIncasareDialog::Print()
{
    if (id == 0) {
        MessageBox(kSaveBeforePrinting, kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select serie, numar, IDClient, suma, data, status from Incasari where id = %llu", id).c_str());
    if (q.Eof()) {
        MessageBox(kReceiptWords.gone, L"Message", MB_OK);
        return;
    }
    if (q.GetIntField(5) >= 3) {
        MessageBox(kCancelledNotPrinted, kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (HasUnsavedChanges()) {
        MessageBox(kSaveBeforePrinting, kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    QString storedSeries = q.GetStringField(0);
    QString number = QString::Formatted(L"%llu", q.GetIdField(1));
    QString date;
    micro::utils::FormatTimeText(q.GetIntField(4), date, L"%d-%m-%Y");
    QString series, invoices;
    InvoicesAsPrinted(series, invoices);
    ReceiptPrintRequest request = {q.GetIdField(2),  q.GetFloatField(3), invoices.c_str(),    number.c_str(),
                                   date.c_str(),     series.c_str(),     storedSeries.c_str()};
    PrintReceipt(m_hwnd, request);
}

void MyIncasareDialog::InvoicesAsPrinted(QString& series, QString& invoices) const
{
    // Each invoice by its own series and number, in the numbers text's order
    // (the last row first); one series shared by all is printed once.
    std::vector<std::pair<QString, QString>> named;
    for (unsigned long long listed : RowIds(lista)) {
        QsqlQuery q = GetRepository().ExecQuery(
            SqlFormat(L"select serie, numar from Facturi where id = %llu", listed).c_str());
        if (!q.Eof())
            named.insert(named.begin(), {q.GetStringField(0), QString::Formatted(L"%llu", q.GetIdField(1))});
    }
    if (named.empty()) {
        invoices = facturi;
        return;
    }
    bool shared = true;
    for (const auto& invoice : named)
        shared = shared && invoice.first == named.front().first;
    series = shared ? named.front().first : QString();
    for (size_t i = 0; i < named.size(); ++i) {
        invoices += i ? L", " : L" ";
        if (!shared)
            invoices += named[i].first + L" ";
        invoices += named[i].second;
    }
}
