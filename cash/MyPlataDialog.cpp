#include "cash/MyPlataDialog.h"
#include "cash/CashLists.h"
#include "cash/CashMessages.h"
#include "cash/CashText.h"
#include "cash/Settlement.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "masterdata/EditorEntries.h"
#include "masterdata/MyCautareClientiDialog.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include <commctrl.h>
#include <cwchar>

using micro::qsql::QsqlQuery;
using micro::qsql::SqlFormat;
using micro::utils::QString;

namespace {

const ListColumn kNirColumns[] = {
    {L"Numar", 50, LVCFMT_LEFT},       {L"Data", 80, LVCFMT_LEFT},       {L"Valoare FT", 75, LVCFMT_LEFT},
    {L"Valoare TVA", 75, LVCFMT_LEFT}, {L"Valoare TTI", 75, LVCFMT_LEFT}, {L"Status", 70, LVCFMT_CENTER},
    {L"Sold", 80, LVCFMT_CENTER},
};

// The supplier picker. Goods-received notes keep their supplier as a Clienti
// row (the note editor writes it there), so the supplier is chosen among the
// same rows, under the supplier search's caption.
class SupplierPicker : public MyCautareClientiDialog {
public:
    explicit SupplierPicker(HWND parent) : MyCautareClientiDialog(parent) { table = 0; }
    bool OnInitDialog() override
    {
        bool result = MyCautareClientiDialog::OnInitDialog();
        SetText(L"Cautare Furnizori");
        return result;
    }
};

} // namespace

MyPlataDialog::MyPlataDialog(HWND parent) : QDialog(IDD_PLATA, parent)
{
    AskBeforeDiscarding();
}

bool MyPlataDialog::OnInitDialog()
{
    comboTip.Attach(m_hwnd, IDC_PLATA_TIP);
    FillPaymentTypes(comboTip);

    editSuma.Attach(m_hwnd, IDC_PLATA_SUMA);
    editSumaStr.Attach(m_hwnd, IDC_PLATA_SUMA_LITERE);
    dataPicker.Attach(m_hwnd, IDC_PLATA_DATA);
    dataPicker.SetDayMonthYearFormat();
    listaNiruri.Attach(m_hwnd, IDC_PLATA_NIRURI);
    SetupList(listaNiruri, kNirColumns);

    if (id == 0) {
        numar = static_cast<unsigned long long>(GetInvoiceConfigValue(13)) + 1;
        serie = PaymentSeries();
        // What is shown is what a save stores: a new payment starts on the first type.
        SelectPaymentType(comboTip, 0);
    } else {
        LoadPayment();
    }
    ShowNumber();
    ShowStatus();
    QDialog::OnInitDialog();
    // The focus goes to the amount, not to the read-only number.
    SetFocus(editSuma);
    return false;
}

void MyPlataDialog::LoadPayment()
{
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id,serie           ,numar           ,IDCLient        ,facturi         ,suma            "
                  L",sumaStr         ,data            ,status          ,tip             ,agent  ,documente from Plati "
                  L" where id = %llu ",
                  id)
            .c_str());
    if (q.Eof())
        return;
    serie = q.GetStringField(1);
    numar = q.GetIdField(2);
    IDClient = q.GetIdField(3);
    facturi = q.GetStringField(4);
    suma = q.GetFloatField(5);
    sumaStr = q.GetStringField(6);
    // The save stores the picked moment 7200 s earlier; adding them back shows
    // the moment picked, so saving again never moves the date.
    data = q.FieldIsNull(7) ? 0 : q.GetIntField(7) + kStoredDateShift;
    status = q.GetIdField(8);
    tip = q.GetIntField(9);
    agent = q.GetIdField(10);
    StoredDocuments stored = {id, static_cast<long long>(status), IDClient, !q.FieldIsNull(11),
                              q.GetStringField(11), facturi};
    q.Finalize();

    ListRows(StoredDocumentRows(settlement::kGoodsReceived, settlement::Source::Payment, stored));
    SelectPaymentType(comboTip, tip);
    SetItemText(IDC_PLATA_BANCA, GetClientField(IDClient, 25).c_str());
}

void MyPlataDialog::ShowNumber()
{
    SetItemText(IDC_PLATA_NUMAR, QString::Formatted(L"-%07d-", static_cast<int>(numar)).c_str());
}

bool MyPlataDialog::UpdateData(bool toControls)
{
    if (toControls) {
        if (data != 0)
            dataPicker.SetUnixTime(data);
        if (IDClient != 0) {
            SetItemText(IDC_PLATA_NUME, GetClientField(IDClient, 1).c_str());
            SetItemText(IDC_PLATA_CUI, GetClientField(IDClient, 3).c_str());
            SetItemText(IDC_PLATA_MONEDA, L"RON");
            SetItemText(IDC_PLATA_FACTURI, facturi.c_str());
            m_shownAmount = QString::Formatted(L"%.2f", suma);
            SetItemText(IDC_PLATA_SUMA, m_shownAmount.c_str());
            SetItemText(IDC_PLATA_SUMA_LITERE, sumaStr.c_str());
        }
    } else {
        // An amount nobody touched keeps every digit and the words it had.
        QString amount = GetItemText(IDC_PLATA_SUMA);
        if (amount != m_shownAmount) {
            if (!AmountFromEdit(suma))
                return false;
            sumaStr = GetItemText(IDC_PLATA_SUMA_LITERE);
        }
        data = dataPicker.GetUnixTime();
    }
    return true;
}

void MyPlataDialog::ShowStatus()
{
    static const int kEditing[] = {IDC_PLATA_ADAUGA_NIR, IDC_PLATA_FURNIZOR, IDC_PLATA_VALIDEAZA, IDOK,
                                   IDC_PLATA_SCOATE_NIR};
    static const wchar_t* const kTitles[] = {nullptr, L"Plata - document temporar", L"Plata - document validat",
                                             L"Plata - document anulat", L"Plata - document stornat"};
    if (status < 5 && kTitles[status])
        SetText(kTitles[status]);
    bool editable = status < 2;
    for (int control : kEditing)
        EnableItem(control, editable);
    // What a validated or closed payment shows is what it stored.
    for (int control : {IDC_PLATA_SUMA, IDC_PLATA_MONEDA})
        ::SendMessageW(GetItem(control), EM_SETREADONLY, !editable, 0);
    EnableItem(IDC_PLATA_DATA, editable);
    EnableItem(IDC_PLATA_TIP, editable);
    // A cancelled or reversed payment is never written again.
    EnableItem(IDC_PLATA_ANULEAZA, editable);
    // Only a validated payment has taken anything it could give back.
    EnableItem(IDC_PLATA_STORNARE, status == 2);
}

bool MyPlataDialog::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    if (id == IDC_PLATA_SUMA && code == EN_CHANGE) {
        RefreshAmountWords();
        return true;
    }
    return QDialog::OnCommand(id, code, control, result);
}

bool MyPlataDialog::OnButton(UINT id)
{
    // A disabled button (Enter on a disabled default) does nothing.
    HWND button = GetItem(static_cast<int>(id));
    if (button && !IsWindowEnabled(button))
        return true;
    switch (id) {
    case IDC_PLATA_FURNIZOR: ChooseSupplier(); return true;
    case IDC_PLATA_ADAUGA_NIR: AddNir(); return true;
    case IDC_PLATA_SCOATE_NIR: RemoveNir(); return true;
    case IDC_PLATA_VALIDEAZA: Validate(); return true;
    case IDC_PLATA_ANULEAZA: CancelPayment(); return true;
    case IDC_PLATA_STORNARE: Reverse(); return true;
    default: return QDialog::OnButton(id);
    }
}

bool MyPlataDialog::OnNotify(UINT id, NMHDR* header, LRESULT&)
{
    if (id != IDC_PLATA_NIRURI || !header || header->code != NM_DBLCLK)
        return false;
    int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (row >= 0)
        OpenNir(row);
    return true;
}

void MyPlataDialog::OnOK()
{
    // Without a partner the save says so before the amount is looked at.
    if (IDClient != 0 && !UpdateData(false))
        return;
    tip = ChosenPaymentType(comboTip, tip);
    // A failed save keeps the editor open with everything typed.
    if (SaveAs(1))
        EndDialog(1);
}

int MyPlataDialog::AppendNirRow(unsigned long long documentId)
{
    // Only this supplier's notes: another supplier's note may carry the same number.
    std::vector<settlement::DocumentRow> notes;
    settlement::DocumentRow note;
    if (documentId == 0)
        notes = settlement::FindDocumentsByNumber(settlement::kGoodsReceived, IDClient, numarNir);
    else if (settlement::ReadDocument(settlement::kGoodsReceived, IDClient, documentId, note))
        notes.push_back(note);
    for (const settlement::DocumentRow& nir : notes) {
        InsertDocumentRow(listaNiruri, static_cast<int>(nrRanduri), nir, L"%Y-%m-%d");
        ++nrRanduri;
    }
    return static_cast<int>(notes.size());
}

void MyPlataDialog::ListRows(const std::vector<settlement::DocumentRow>& rows)
{
    for (const settlement::DocumentRow& nir : rows) {
        InsertDocumentRow(listaNiruri, static_cast<int>(nrRanduri), nir, L"%Y-%m-%d");
        ++nrRanduri;
    }
}

void MyPlataDialog::Recompute()
{
    facturi = L" ";
    for (int row = 0; row < static_cast<int>(nrRanduri); ++row) {
        if (row > 0)
            facturi.Insert(1, L", ");
        facturi.Insert(1, listaNiruri.GetItemText(row, 0).c_str());
    }
    suma = settlement::FromBani(ListedBalancesBani(listaNiruri));
    AmountWords(suma, sumaStr);
}

void MyPlataDialog::RefreshAmountWords()
{
    // The words edit follows the typing; the member takes them when the
    // amount is read back.
    QString text = GetItemText(IDC_PLATA_SUMA);
    QString words;
    double amount = 0.0;
    if (ParseAmount(text.c_str(), amount))
        AmountWords(amount, words);
    SetItemText(IDC_PLATA_SUMA_LITERE, words.c_str());
}

bool MyPlataDialog::AmountFromEdit(double& amount)
{
    QString text = GetItemText(IDC_PLATA_SUMA);
    if (ParseAmount(text.c_str(), amount))
        return true;
    MessageBox(NumberRefusal(NumberField::Amount, text.c_str()), L"Atentie", MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetItem(IDC_PLATA_SUMA));
    return false;
}

bool MyPlataDialog::HasDocumentRow(unsigned long long documentId) const
{
    return listaNiruri.FindItemByData(static_cast<ULONG_PTR>(documentId)) >= 0;
}

void MyPlataDialog::ChooseSupplier()
{
    SupplierPicker picker(m_hwnd);
    if (picker.DoModal() != IDOK || picker.selectedId == IDClient)
        return;
    // Until one of the new supplier's notes is chosen the payment stays as it
    // was; then the previous supplier's rows have nothing to do with it.
    const unsigned long long previous = IDClient;
    IDClient = picker.selectedId;
    unsigned long long chosenId = 0, chosenNumber = 0;
    if (!PickUnpaidNir(chosenId, chosenNumber)) {
        IDClient = previous;
        return;
    }
    listaNiruri.DeleteAllItems();
    nrRanduri = 0;
    LoadSupplierTotals();
    SetItemText(IDC_PLATA_BANCA, GetClientField(IDClient, 25).c_str());
    tip = GetClientIntField(IDClient, 2);
    SelectPaymentType(comboTip, tip);
    SetItemText(IDC_PLATA_SOLD, QString::Formatted(L"%.2f", sold).c_str());

    numarNir = chosenNumber;
    if (HasDocumentRow(chosenId)) {
        ShowAlreadyListed(m_hwnd, chosenNumber);
        return;
    }
    AppendNirRow(chosenId);
    Recompute();
    UpdateData(true);
}

void MyPlataDialog::LoadSupplierTotals()
{
    settlement::PartnerTotals totals = settlement::ReadPartnerTotals(settlement::kGoodsReceived, IDClient);
    totalFacturat = totals.invoiced;
    totalPlatit = totals.settled;
    sold = totals.owed;
    SetItemText(IDC_PLATA_TOTAL_FACTURAT, QString::Formatted(L"%.2f", totalFacturat).c_str());
    SetItemText(IDC_PLATA_TOTAL_PLATIT, QString::Formatted(L"%.2f", totalPlatit).c_str());
}

void MyPlataDialog::AddNir()
{
    unsigned long long chosenId = 0, chosenNumber = 0;
    if (!PickUnpaidNir(chosenId, chosenNumber))
        return;
    numarNir = chosenNumber;
    if (HasDocumentRow(chosenId)) {
        ShowAlreadyListed(m_hwnd);
        return;
    }
    AppendNirRow(chosenId);
    Recompute();
    UpdateData(true);
}

void MyPlataDialog::RemoveNir()
{
    int row = listaNiruri.GetSelectedItem();
    if (row < 0)
        return;
    listaNiruri.DeleteItem(row);
    --nrRanduri;
    Recompute();
    UpdateData(true);
}

void MyPlataDialog::OpenNir(int row)
{
    unsigned long long documentId = listaNiruri.GetItemData(row);
    if (OpenEditor(EditorKind::Document, m_hwnd, 3, documentId) != 1)
        return;
    // The same notes, as they stand now.
    std::vector<settlement::DocumentRow> rows;
    for (unsigned long long listed : RowIds(listaNiruri)) {
        settlement::DocumentRow note;
        if (settlement::ReadDocument(settlement::kGoodsReceived, IDClient, listed, note))
            rows.push_back(note);
    }
    listaNiruri.DeleteAllItems();
    nrRanduri = 0;
    ListRows(rows);
    // A validated or closed payment keeps what it paid and its words: its
    // rows show the notes as stored, nothing there is left unsaved.
    if (status < 2)
        Recompute();
    UpdateData(true);
    if (status >= 2)
        MarkSaved();
}
