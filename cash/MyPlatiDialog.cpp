#include "cash/MyPlatiDialog.h"
#include "cash/PaymentText.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/utils/TimeFormat.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include <commctrl.h>
#include <richedit.h>
#include <uxtheme.h>
#include <vector>

using micro::qsql::QsqlQuery;
using micro::utils::QString;

namespace {

struct ListColumn {
    const wchar_t* title;
    int width;
    int format;
};
const ListColumn kColumns[] = {
    {L"Data", 70, LVCFMT_CENTER},          {L"Status", 60, LVCFMT_LEFT},        {L"Numar", 50, LVCFMT_CENTER},
    {L"Client", 140, LVCFMT_CENTER},       {L"Numar Facturi", 80, LVCFMT_CENTER}, {L"Suma", 50, LVCFMT_CENTER},
    {L"Suma Litere", 150, LVCFMT_CENTER},  {L"Creat de", 150, LVCFMT_LEFT},     {L"Tip Plata", 90, LVCFMT_LEFT},
};
const wchar_t* const kSearchFields[] = {L"Denumire", L"Numar", L"Status", L"Suma"};

QString AmountText(double amount) { return QString::Formatted(L"%.2f", amount); }

// The field the search looks at, by the combo's line.
QString SearchedField(const PlatiRecord& record, int field)
{
    switch (field) {
    case 0: return record.client;
    case 1: return record.numar;
    case 2: return record.status;
    case 3: return AmountText(record.suma);
    default: return QString();
    }
}

// The payment types as the editor's combo lists them: a stored type is the
// line's index, whatever ids the table gives its rows.
std::vector<QString> PaymentTypeLines()
{
    std::vector<QString> lines;
    for (QsqlQuery q = GetRepository().ExecQuery(L"select id,descriere  from ConturiContabile"); !q.Eof(); q.NextRow())
        lines.push_back(q.GetStringField(1));
    return lines;
}

} // namespace

MyPlatiDialog::MyPlatiDialog(HWND parent) : QDialog(IDD_PLATI, parent)
{
}

bool MyPlatiDialog::OnInitDialog()
{
    editCautare.Attach(m_hwnd, IDC_PLATI_TEXT);
    editCautare.SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    SetFocus(editCautare);
    comboCamp.Attach(m_hwnd, IDC_PLATI_CAMP);
    for (const wchar_t* field : kSearchFields)
        comboCamp.AddString(field);
    comboCamp.SetCurSel(0);

    lista.Attach(m_hwnd, IDC_PLATI_LISTA);
    lista.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    SetWindowTheme(lista, L"explorer", nullptr);
    int index = 0;
    for (const ListColumn& column : kColumns)
        lista.InsertColumn(index++, column.title, column.width, column.format);

    LoadRecords();
    FillList();
    QDialog::OnInitDialog();
    // The focus stays in the search edit.
    return false;
}

void MyPlatiDialog::PeriodBounds(long long periodDays, long long& lower, long long& upper)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wHour = 23;
    now.wMinute = 59;
    upper = micro::gui::SystemTimeToUnix(now);
    lower = upper - periodDays * 86400;
}

void MyPlatiDialog::LoadRecords()
{
    long long lower = 0, upper = 0;
    PeriodBounds(GetInvoiceConfigValue(15), lower, upper);
    std::vector<QString> types = PaymentTypeLines();
    QsqlQuery q = GetRepository().ExecQuery(
        micro::qsql::SqlFormat(L"select id,serie       ,numar       ,IDClient    ,facturi     ,suma        ,sumaStr     "
                               L",data        ,status      ,tip         ,agent        from Plati where data BETWEEN "
                               L"%lld AND %lld ",
                               lower, upper)
            .c_str());
    for (; !q.Eof(); q.NextRow()) {
        PlatiRecord* record = new PlatiRecord;
        record->id = q.GetIdField(0);
        record->idText = q.GetStringField(0);
        record->serie = q.GetStringField(1);
        record->numar = q.GetStringField(2);
        record->client = GetClientField(q.GetIdField(3), 1);
        record->facturi = q.GetStringField(4);
        record->suma = q.GetFloatField(5);
        record->sumaStr = q.GetStringField(6);
        micro::utils::FormatTimeText(q.GetIntField(7), record->data, L"%d-%m-%Y");
        record->status = PaymentStatusWord(q.GetIntField(8));
        long long type = q.GetIntField(9);
        if (type >= 0 && type < static_cast<long long>(types.size()))
            record->tip = types[static_cast<size_t>(type)];
        records.Add(record);
    }
}

void MyPlatiDialog::FillList()
{
    lista.DeleteAllItems();
    QString text = GetItemText(IDC_PLATI_TEXT);
    int field = comboCamp.GetCurSel();
    int row = 0;
    for (int i = 0; i < records.GetCount(); ++i) {
        const PlatiRecord& record = *records[i];
        if (!text.IsEmpty() && !SearchedField(record, field).ContainsNoCase(text.c_str()))
            continue;
        const QString amount = AmountText(record.suma);
        const wchar_t* cells[] = {record.data.c_str(),    record.status.c_str(), record.numar.c_str(),
                                  record.client.c_str(),  record.facturi.c_str(), amount.c_str(),
                                  record.sumaStr.c_str(), record.agent.c_str(),  record.tip.c_str()};
        lista.InsertItem(row, cells[0]);
        for (int column = 1; column < 9; ++column)
            lista.SetItemText(row, column, cells[column]);
        lista.SetItemData(row, static_cast<ULONG_PTR>(record.id));
        ++row;
    }
}

bool MyPlatiDialog::UpdateData(bool toControls)
{
    if (toControls)
        return true;
    int row = lista.GetSelectedItem();
    if (row >= 0)
        selectedId = lista.GetItemData(row);
    return false;
}

bool MyPlatiDialog::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    if (id == IDC_PLATI_TEXT && code == EN_CHANGE) {
        FillList();
        return true;
    }
    return QDialog::OnCommand(id, code, control, result);
}

bool MyPlatiDialog::OnButton(UINT id)
{
    if (id == IDC_PLATI_NOUA) {
        OpenEditor(0);
        return true;
    }
    if (id == IDC_PLATI_VALIDARE)
        return true;
    return QDialog::OnButton(id);
}

bool MyPlatiDialog::OnNotify(UINT id, NMHDR* header, LRESULT&)
{
    if (id != IDC_PLATI_LISTA || !header || header->code != NM_DBLCLK)
        return false;
    int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (row >= 0)
        OpenEditor(lista.GetItemData(row));
    return true;
}

void MyPlatiDialog::OpenEditor(unsigned long long paymentId)
{
    if (::OpenEditor(EditorKind::Payment, m_hwnd, 0, paymentId) == 1)
        Reload();
}

void MyPlatiDialog::Reload()
{
    records.RemoveAt(0, records.GetCount());
    LoadRecords();
    FillList();
}
