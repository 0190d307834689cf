#include "cash/MyFacturiScadenteList.h"
#include "cash/CashLists.h"
#include "cash/CashMessages.h"
#include "cash/CellNumbers.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/utils/TimeFormat.h"
#include "resources/resource.h"
#include <cmath>

using micro::qsql::QsqlQuery;
using micro::qsql::SqlFormat;
using micro::utils::QString;

namespace {

const ListColumn kColumns[] = {
    {L"Numar", 50, LVCFMT_LEFT},        {L"Client", 200, LVCFMT_LEFT},      {L"Data", 100, LVCFMT_LEFT},
    {L"Valoare FT", 100, LVCFMT_LEFT},  {L"Valoare TVA", 100, LVCFMT_LEFT}, {L"Valoare TTI", 100, LVCFMT_LEFT},
    {L"Status", 90, LVCFMT_CENTER},     {L"Sold", 100, LVCFMT_LEFT},
};

QString Amount(double value)
{
    return QString::Formatted(L"%.2f", value);
}

} // namespace

MyFacturiScadenteList::MyFacturiScadenteList(HWND parent) : QDialog(IDD_FACTURI_SCADENTE, parent) {}

bool MyFacturiScadenteList::OnInitDialog()
{
    list.Attach(m_hwnd, IDC_FACTURI_SCADENTE_LIST);
    SetupList(list, kColumns);
    FillList();
    return QDialog::OnInitDialog();
}

void MyFacturiScadenteList::FillList()
{
    const bool invoices = documentKind != KindGoodsReceived;
    // What is owed is judged in whole bani: a balance of a fraction of a ban is
    // settled. A client's credits (return invoices) are listed with the
    // invoices, so the amount received can take them into account.
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id,status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold from %s "
                  L"where client = %llu and round(sold * 100) %s %llu and status < %llu ",
                  invoices ? L"Facturi" : L"Niruri", partnerId, invoices ? L"<>" : L">", 0ULL, 3ULL)
            .c_str());
    credits.clear();
    for (int row = 0; !q.Eof(); q.NextRow(), ++row) {
        credits.push_back(std::llround(q.GetFloatField(8) * 100) < 0);
        list.InsertItem(row, QString::Formatted(L"%llu", q.GetIdField(2)).c_str());
        list.SetItemText(row, 1, GetClientField(q.GetIdField(3), 1).c_str());
        QString date;
        micro::utils::FormatTimeText(q.FieldIsNull(4) ? -1 : q.GetIntField(4), date, L"%d-%m-%Y");
        list.SetItemText(row, 2, date.c_str());
        list.SetItemText(row, 3, Amount(q.GetFloatField(5)).c_str());
        list.SetItemText(row, 4, Amount(q.GetFloatField(6)).c_str());
        list.SetItemText(row, 5, Amount(q.GetFloatField(7)).c_str());
        list.SetItemText(row, 6, DocumentStatusWord(q.GetIntField(1)));
        list.SetItemText(row, 7, q.GetStringField(8).c_str());
        list.SetItemData(row, static_cast<ULONG_PTR>(q.GetIdField(0)));
    }
    ListView_SetTextColor(list, RGB(255, 0, 0));
}

bool MyFacturiScadenteList::OnNotify(UINT id, NMHDR* header, LRESULT& result)
{
    if (id != IDC_FACTURI_SCADENTE_LIST || header->code != NM_DBLCLK)
        return QDialog::OnNotify(id, header, result);
    const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem < 0 || click->iItem >= list.GetItemCount())
        return true;
    // Nothing is collected on a credit: it stays listed for the amount to take into account.
    if (static_cast<size_t>(click->iItem) < credits.size() && credits[click->iItem]) {
        MessageBox(QString::Formatted(kReceiptWords.nothingOwed, CellInteger(list.GetItemText(click->iItem, 0).c_str()))
                       .c_str(),
                   L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    // Id and number both come from the row clicked.
    chosenId = static_cast<unsigned long long>(list.GetItemData(click->iItem));
    chosenNumber = CellInteger(list.GetItemText(click->iItem, 0).c_str());
    EndDialog(IDOK);
    return true;
}

bool MyFacturiScadenteList::UpdateData(bool toControls)
{
    if (toControls)
        return true;
    // OK does not choose: the note asks for a double-click.
    int row = list.GetSelectedItem();
    if (row >= 0)
        chosenId = static_cast<unsigned long long>(list.GetItemData(row));
    return false;
}
