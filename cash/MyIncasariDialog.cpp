#include "cash/MyIncasariDialog.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/utils/TimeFormat.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include <richedit.h>
#include <uxtheme.h>

using micro::qsql::QsqlQuery;
using micro::utils::QString;

namespace {

const wchar_t* const kStatusWords[] = {L" ? ", L"Temporar", L"Validat", L"Anulat", L"Stornat"};
const wchar_t* const kFields[] = {L"Denumire", L"Numar", L"Status", L"Suma"};

struct Column {
    const wchar_t* title;
    int width;
    int format;
};
const Column kColumns[] = {
    {L"Data", 70, LVCFMT_CENTER},         {L"Status", 60, LVCFMT_LEFT},    {L"Numar", 50, LVCFMT_CENTER},
    {L"Client", 140, LVCFMT_CENTER},      {L"Numar Facturi", 80, LVCFMT_CENTER}, {L"Suma", 50, LVCFMT_CENTER},
    {L"Suma Litere", 150, LVCFMT_CENTER}, {L"Agent", 150, LVCFMT_LEFT},    {L"Tip plata", 100, LVCFMT_LEFT},
};

QString AmountText(double amount)
{
    return QString::Formatted(L"%.2f", amount);
}

} // namespace

MyIncasariDialog::MyIncasariDialog(HWND parent) : QDialog(IDD_INCASARI, parent) {}

bool MyIncasariDialog::OnInitDialog()
{
    search.Attach(m_hwnd, IDC_INCASARI_CAUTARE);
    list.Attach(m_hwnd, IDC_INCASARI_LISTA);
    field.Attach(m_hwnd, IDC_INCASARI_CAMP);
    search.SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    SetFocus(search);
    for (const wchar_t* name : kFields)
        field.AddString(name);
    field.SetCurSel(0);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    SetWindowTheme(list, L"explorer", nullptr);
    for (int i = 0; i < static_cast<int>(sizeof(kColumns) / sizeof(kColumns[0])); ++i)
        list.InsertColumn(i, kColumns[i].title, kColumns[i].width, kColumns[i].format);
    LoadRecords();
    FillList();
    QDialog::OnInitDialog();
    return false; // the focus stays in the search edit
}

void MyIncasariDialog::LoadRecords()
{
    QsqlQuery q = GetRepository().ExecQuery(
        L"select id,serie       ,numar       ,IDClient    ,facturi     ,suma        ,sumaStr     ,data        ,status  "
        L"    ,tip         ,agent        from Incasari ");
    for (; !q.Eof(); q.NextRow()) {
        IncasariRecord* record = new IncasariRecord;
        record->id = q.GetIdField(0);
        record->idText = q.GetStringField(0);
        record->serie = q.GetStringField(1);
        record->numar = q.GetStringField(2);
        record->client = GetClientField(q.GetIdField(3), 1);
        record->facturi = q.GetStringField(4);
        // Kept in full: 1 234 567.89 must show and be found as such.
        record->suma = q.GetFloatField(5);
        record->sumaStr = q.GetStringField(6);
        micro::utils::FormatTimeText(q.GetIntField(7), record->data, L"%d-%m-%Y");
        long long status = q.GetIntField(8);
        record->status = status >= 0 && status <= 4 ? kStatusWords[status] : L"";
        record->tip = GetAccountDescription(static_cast<unsigned long long>(q.GetIntField(9) + 1));
        records.Add(record);
    }
}

const QString& MyIncasariDialog::SearchedField(const IncasariRecord& record, QString& amount) const
{
    switch (field.GetCurSel()) {
    case 1: return record.numar;
    case 2: return record.status;
    case 3: amount = AmountText(record.suma); return amount;
    default: return record.client;
    }
}

void MyIncasariDialog::FillList()
{
    list.DeleteAllItems();
    QString text = GetItemText(IDC_INCASARI_CAUTARE);
    int row = 0;
    for (int i = 0; i < records.GetCount(); ++i) {
        const IncasariRecord& r = *records[i];
        QString amount;
        if (!text.IsEmpty() && !SearchedField(r, amount).ContainsNoCase(text.c_str()))
            continue;
        list.InsertItem(row, r.data.c_str());
        list.SetItemText(row, 1, r.status.c_str());
        list.SetItemText(row, 2, r.numar.c_str());
        list.SetItemText(row, 3, r.client.c_str());
        list.SetItemText(row, 4, r.facturi.c_str());
        list.SetItemText(row, 5, AmountText(r.suma).c_str());
        list.SetItemText(row, 6, r.sumaStr.c_str());
        list.SetItemText(row, 7, r.agent.c_str());
        list.SetItemText(row, 8, r.tip.c_str());
        list.SetItemData(row, static_cast<ULONG_PTR>(r.id));
        ++row;
    }
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
    if (OpenEditor(EditorKind::Receipt, m_hwnd, 0, receiptId) != IDOK)
        return;
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
