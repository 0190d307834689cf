#include "cash/MyPlataDialog.h"
#include "cash/PaymentText.h"
#include "cash/Settlement.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/utils/TimeFormat.h"
#include "masterdata/EditorEntries.h"
#include "masterdata/MyCautareClientiDialog.h"
#include "resources/resource.h"
#include <commctrl.h>
#include <uxtheme.h>
#include <cwchar>

using micro::qsql::QsqlQuery;
using micro::qsql::SqlFormat;
using micro::utils::QString;

namespace {

struct NirColumn {
    const wchar_t* title;
    int width;
    int format;
};
const NirColumn kNirColumns[] = {
    {L"Numar", 50, LVCFMT_LEFT},       {L"Data", 80, LVCFMT_LEFT},       {L"Valoare FT", 75, LVCFMT_LEFT},
    {L"Valoare TVA", 75, LVCFMT_LEFT}, {L"Valoare TTI", 75, LVCFMT_LEFT}, {L"Status", 70, LVCFMT_CENTER},
    {L"Sold", 80, LVCFMT_CENTER},
};

const COLORREF kRowColour = 0x00FF0000;

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
}

bool MyPlataDialog::OnInitDialog()
{
    comboTip.Attach(m_hwnd, IDC_PLATA_TIP);
    for (QsqlQuery q = GetRepository().ExecQuery(L"select id,descriere  from ConturiContabile"); !q.Eof(); q.NextRow())
        comboTip.AddString(q.GetStringField(1).c_str());

    editSuma.Attach(m_hwnd, IDC_PLATA_SUMA);
    editSumaStr.Attach(m_hwnd, IDC_PLATA_SUMA_LITERE);
    dataPicker.Attach(m_hwnd, IDC_PLATA_DATA);
    dataPicker.SetDayMonthYearFormat();
    listaNiruri.Attach(m_hwnd, IDC_PLATA_NIRURI);
    listaNiruri.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    SetWindowTheme(listaNiruri, L"explorer", nullptr);
    InsertNirColumns();

    if (id == 0) {
        numar = static_cast<unsigned long long>(GetInvoiceConfigValue(13)) + 1;
        serie = PaymentSeries();
        // What is shown is what a save stores: a new payment starts on the first type.
        SelectType(0);
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

void MyPlataDialog::InsertNirColumns()
{
    int index = 0;
    for (const NirColumn& column : kNirColumns)
        listaNiruri.InsertColumn(index++, column.title, column.width, column.format);
}

void MyPlataDialog::LoadPayment()
{
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id,serie           ,numar           ,IDCLient        ,facturi         ,suma            "
                  L",sumaStr         ,data            ,status          ,tip             ,agent            from Plati "
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
    q.Finalize();

    RowsFromNumbersText();
    SelectType(tip);
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
            suma = _wtof(amount.c_str());
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
    EnableItem(IDC_PLATA_ANULEAZA, status != 2 && status != 4);
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
    UpdateData(false);
    tip = SelectedType();
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
        int row = listaNiruri.InsertItem(static_cast<int>(nrRanduri),
                                         QString::Formatted(L" % d", static_cast<int>(nir.number)).c_str());
        QString date;
        if (nir.created != -1)
            micro::utils::FormatUnixDate(nir.created, date);
        const double amounts[] = {nir.net, nir.vat, nir.total};
        listaNiruri.SetItemText(row, 1, date.c_str());
        for (int column = 2; column <= 4; ++column)
            listaNiruri.SetItemText(row, column, QString::Formatted(L" % .2f", amounts[column - 2]).c_str());
        listaNiruri.SetItemText(row, 5, PaymentStatusWord(nir.status));
        listaNiruri.SetItemText(row, 6, QString::Formatted(L" % .2f", nir.balance).c_str());
        listaNiruri.SetItemData(row, static_cast<ULONG_PTR>(nir.id));
        ListView_SetTextColor(listaNiruri, kRowColour);
        ++nrRanduri;
    }
    return static_cast<int>(notes.size());
}

void MyPlataDialog::RowsFromNumbersText()
{
    // Read from the end, so the rows come back in the order they were listed
    // (the text holds the last row first). Empty pieces ask for nothing.
    QString digits;
    for (int i = facturi.GetLength() - 1; i >= -1; --i) {
        wchar_t ch = i >= 0 ? facturi[i] : L' ';
        if (ch != L',' && ch != L' ') {
            wchar_t s[2] = {ch, 0};
            digits.Insert(0, s);
            continue;
        }
        if (digits.IsEmpty())
            continue;
        numarNir = static_cast<unsigned long long>(_wtoi64(digits.c_str()));
        AppendNirRow();
        digits.Empty();
    }
}

void MyPlataDialog::Recompute()
{
    suma = 0.0;
    facturi = L" ";
    for (int row = 0; row < static_cast<int>(nrRanduri); ++row) {
        if (row > 0)
            facturi.Insert(1, L", ");
        facturi.Insert(1, listaNiruri.GetItemText(row, 0).c_str());
        suma += _wtof(listaNiruri.GetItemText(row, 6).c_str());
    }
    AmountWords(suma, sumaStr);
}

void MyPlataDialog::RefreshAmountWords()
{
    // The words edit follows the typing; the member takes them when the
    // amount is read back.
    QString text = GetItemText(IDC_PLATA_SUMA);
    QString words;
    if (!text.IsEmpty())
        AmountWords(_wtof(text.c_str()), words);
    SetItemText(IDC_PLATA_SUMA_LITERE, words.c_str());
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
    SelectType(tip);
    SetItemText(IDC_PLATA_SOLD, QString::Formatted(L"%.2f", sold).c_str());

    numarNir = chosenNumber;
    if (HasDocumentRow(chosenId)) {
        MessageBox(QString::Formatted(L"Factura %llu a mai fost introdusa o data !", chosenNumber).c_str(), L"Atentie",
                   MB_OK);
        return;
    }
    AppendNirRow(chosenId);
    Recompute();
    UpdateData(true);
}

void MyPlataDialog::LoadSupplierTotals()
{
    totalFacturat = sold = 0.0;
    // Cancelled and reversed notes are owed nothing.
    for (QsqlQuery q = GetRepository().ExecQuery(
             SqlFormat(L"select valoareTTI , sold from Niruri where client = %llu and status < 3", IDClient).c_str());
         !q.Eof(); q.NextRow()) {
        totalFacturat += q.GetFloatField(0);
        sold += q.GetFloatField(1);
    }
    totalPlatit = totalFacturat - sold;
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
        MessageBox(L"Factura a mai fost introdusa o data !", L"Atentie", MB_OK);
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
    listaNiruri.DeleteAllItems();
    nrRanduri = 0;
    RowsFromNumbersText();
    Recompute();
    UpdateData(true);
}

void MyPlataDialog::SelectType(long long index)
{
    comboTip.SetCurSel(index >= 0 && index < comboTip.GetCount() ? static_cast<int>(index) : -1);
}

long long MyPlataDialog::SelectedType() const
{
    // No selection keeps the type the payment had (0 for a new one).
    int selected = comboTip.GetCurSel();
    return selected >= 0 ? selected : (tip >= 0 ? tip : 0);
}
