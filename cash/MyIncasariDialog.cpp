#include "cash/MyIncasariDialog.h"
#include "cash/CashText.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include <richedit.h>

using micro::qsql::QsqlQuery;

namespace {

const ListColumn kColumns[] = {
    {L"Data", 70, LVCFMT_CENTER},         {L"Status", 60, LVCFMT_LEFT},    {L"Numar", 50, LVCFMT_CENTER},
    {L"Client", 140, LVCFMT_CENTER},      {L"Numar Facturi", 80, LVCFMT_CENTER}, {L"Suma", 50, LVCFMT_CENTER},
    {L"Suma Litere", 150, LVCFMT_CENTER}, {L"Agent", 150, LVCFMT_LEFT},    {L"Tip plata", 100, LVCFMT_LEFT},
};

} // namespace

MyIncasariDialog::MyIncasariDialog(HWND parent) : QDialog(IDD_INCASARI, parent) {}

bool MyIncasariDialog::OnInitDialog()
{
    search.Attach(m_hwnd, IDC_INCASARI_CAUTARE);
    list.Attach(m_hwnd, IDC_INCASARI_LISTA);
    field.Attach(m_hwnd, IDC_INCASARI_CAMP);
    search.SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    SetFocus(search);
    FillSearchFields(field);
    SetupList(list, kColumns);
    LoadRecords();
    FillList();
    QDialog::OnInitDialog();
    return false; // the focus stays in the search edit
}

void MyIncasariDialog::LoadRecords()
{
    // The editor stores the combo's line, not the account's id.
    std::vector<micro::utils::QString> types = PaymentTypeLines();
    QsqlQuery q = GetRepository().ExecQuery(
        L"select id,serie       ,numar       ,IDClient    ,facturi     ,suma        ,sumaStr     ,data        ,status  "
        L"    ,tip         ,agent        from Incasari ");
    for (; !q.Eof(); q.NextRow()) {
        CashRecord* record = ReadCashRecord(q);
        record->tip = PaymentTypeLine(types, q.GetIntField(9));
        records.Add(record);
    }
}

void MyIncasariDialog::FillList()
{
    ShowCashRecords(list, records, GetItemText(IDC_INCASARI_CAUTARE), field.GetCurSel());
}

bool MyIncasariDialog::UpdateData(bool toControls)
{
    if (toControls)
        return true;
    int row = list.GetSelectedItem();
    if (row >= 0)
        selectedId = static_cast<unsigned long long>(list.GetItemData(row));
    return false;
}

void MyIncasariDialog::OpenReceipt(unsigned long long receiptId)
{
    // Read again however the editor closed: a validated receipt given back
    // (REMOVE, then Esc) or printed was stored without an OK.
    OpenEditor(EditorKind::Receipt, m_hwnd, 0, receiptId);
    records.RemoveAt(0, records.GetCount());
    LoadRecords();
    FillList();
}

bool MyIncasariDialog::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    if (id == IDC_INCASARI_CAUTARE && code == EN_CHANGE) {
        FillList();
        return true;
    }
    return QDialog::OnCommand(id, code, control, result);
}

bool MyIncasariDialog::OnNotify(UINT id, NMHDR* header, LRESULT& result)
{
    if (id != IDC_INCASARI_LISTA || header->code != NM_DBLCLK)
        return QDialog::OnNotify(id, header, result);
    const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem >= 0 && click->iItem < list.GetItemCount())
        OpenReceipt(static_cast<unsigned long long>(list.GetItemData(click->iItem)));
    return true;
}

bool MyIncasariDialog::OnButton(UINT id)
{
    switch (id) {
    case IDC_INCASARI_NOUA: OpenReceipt(0); return true;
    case IDC_INCASARI_VALIDARE: return true;
    default: return QDialog::OnButton(id);
    }
}
