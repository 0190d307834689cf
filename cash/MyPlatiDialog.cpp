#include "cash/MyPlatiDialog.h"
#include "cash/CashText.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include <richedit.h>
#include <vector>

using micro::qsql::QsqlQuery;

namespace {

const ListColumn kColumns[] = {
    {L"Data", 70, LVCFMT_CENTER},          {L"Status", 60, LVCFMT_LEFT},        {L"Numar", 50, LVCFMT_CENTER},
    {L"Client", 140, LVCFMT_CENTER},       {L"Numar Facturi", 80, LVCFMT_CENTER}, {L"Suma", 50, LVCFMT_CENTER},
    {L"Suma Litere", 150, LVCFMT_CENTER},  {L"Creat de", 150, LVCFMT_LEFT},     {L"Tip Plata", 90, LVCFMT_LEFT},
};

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
    FillSearchFields(comboCamp);
    lista.Attach(m_hwnd, IDC_PLATI_LISTA);
    SetupList(lista, kColumns);

    LoadRecords();
    FillList();
    QDialog::OnInitDialog();
    // The focus stays in the search edit.
    return false;
}

long long MyPlatiDialog::PeriodStart(long long periodDays)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wHour = 23;
    now.wMinute = 59;
    return micro::gui::SystemTimeToUnix(now) - periodDays * 86400;
}

void MyPlatiDialog::LoadRecords()
{
    long long lower = PeriodStart(GetInvoiceConfigValue(15));
    std::vector<micro::utils::QString> types = PaymentTypeLines();
    QsqlQuery q = GetRepository().ExecQuery(
        // The day shown and filtered is the one the editor shows. Payments
        // dated after today are listed too: this list is their only way back
        // into the editor.
        micro::qsql::SqlFormat(L"select id,serie       ,numar       ,IDClient    ,facturi     ,suma        ,sumaStr     "
                               L",data + %lld ,status      ,tip         ,agent        from Plati where data >= %lld ",
                               kPaymentDateShift, lower - kPaymentDateShift)
            .c_str());
    for (; !q.Eof(); q.NextRow()) {
        CashRecord* record = ReadCashRecord(q);
        record->tip = PaymentTypeLine(types, q.GetIntField(9));
        records.Add(record);
    }
}

void MyPlatiDialog::FillList()
{
    ShowCashRecords(lista, records, GetItemText(IDC_PLATI_TEXT), comboCamp.GetCurSel());
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
    // Read again however the editor closed: a validated payment given back
    // (REMOVE, then Esc) was stored without an OK.
    ::OpenEditor(EditorKind::Payment, m_hwnd, 0, paymentId);
    Reload();
}

void MyPlatiDialog::Reload()
{
    records.RemoveAt(0, records.GetCount());
    LoadRecords();
    FillList();
}
