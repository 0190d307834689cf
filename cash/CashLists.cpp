#include "cash/CashLists.h"
#include "cash/CashText.h"
#include "database/DocumentTables.h"
#include "cash/CellNumbers.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/qsql/SqlText.h"
#include "database/qsql/QsqlQuery.h"
#include "framework/utils/TimeFormat.h"
#include <commctrl.h>
#include <cwchar>
#include <string>
#include <uxtheme.h>

using micro::gui::QListCtrl;
using micro::utils::QString;

namespace {

QString Amount(double value)
{
    return QString::Formatted(L" % .2f", value);
}

QString AmountText(double amount)
{
    return QString::Formatted(L"%.2f", amount);
}

QString SearchedText(const CashRecord& record, int field)
{
    switch (field) {
    case 1: return record.numar;
    case 2: return record.status;
    case 3: return AmountText(record.suma);
    default: return record.client;
    }
}

} // namespace

void SetupList(QListCtrl& list, const ListColumn* columns, size_t count)
{
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    SetWindowTheme(list, L"explorer", nullptr);
    for (size_t i = 0; i < count; ++i)
        list.InsertColumn(static_cast<int>(i), columns[i].title, columns[i].width, columns[i].format);
}

void InsertDocumentRow(QListCtrl& list, int index, const settlement::DocumentRow& row, const wchar_t* dateFormat)
{
    QString date;
    micro::utils::FormatTimeText(row.created, date, dateFormat);
    int at = list.InsertItem(index, QString::Formatted(L" % d", static_cast<int>(row.number)).c_str());
    list.SetItemText(at, 1, date.c_str());
    list.SetItemText(at, 2, Amount(row.net).c_str());
    list.SetItemText(at, 3, Amount(row.vat).c_str());
    list.SetItemText(at, 4, Amount(row.total).c_str());
    list.SetItemText(at, 5, CashStatusWord(row.status));
    list.SetItemText(at, kDocumentBalanceColumn, Amount(row.balance).c_str());
    list.SetItemData(at, static_cast<ULONG_PTR>(row.id));
    ListView_SetTextColor(list, RGB(0, 0, 255));
}

std::vector<unsigned long long> RowIds(const QListCtrl& list)
{
    std::vector<unsigned long long> ids;
    for (int row = 0; row < list.GetItemCount(); ++row)
        ids.push_back(static_cast<unsigned long long>(list.GetItemData(row)));
    return ids;
}

QString DocumentIdsText(const std::vector<unsigned long long>& ids)
{
    QString text;
    for (size_t i = 0; i < ids.size(); ++i)
        text += QString::Formatted(i ? L",%llu" : L"%llu", ids[i]);
    return text;
}

namespace {

std::vector<unsigned long long> AllocatedIds(const settlement::DocumentTable& table, settlement::Source source,
                                             unsigned long long ownerId)
{
    micro::qsql::QsqlQuery q = GetRepository().ExecQuery(
        micro::qsql::SqlFormat(L"select idDocument from Alocari where sursa = %d and idSursa = %llu and "
                               L"tipDocument = %d order by id",
                               static_cast<int>(source), ownerId, table.documentType)
            .c_str());
    std::vector<unsigned long long> ids;
    for (; !q.Eof(); q.NextRow())
        ids.push_back(q.GetIdField(0));
    return ids;
}

std::vector<unsigned long long> KeptIds(const QString& documente)
{
    std::vector<unsigned long long> ids;
    std::wstring token;
    for (const wchar_t* c = documente.c_str();; ++c) {
        if (*c >= L'0' && *c <= L'9') {
            token += *c;
            continue;
        }
        if (!token.empty())
            ids.push_back(std::wcstoull(token.c_str(), nullptr, 10));
        token.clear();
        if (!*c)
            return ids;
    }
}

void AddOnce(std::vector<settlement::DocumentRow>& rows, const settlement::DocumentRow& row)
{
    for (const settlement::DocumentRow& listed : rows)
        if (listed.id == row.id)
            return;
    rows.push_back(row);
}

} // namespace

std::vector<settlement::DocumentRow> StoredDocumentRows(const settlement::DocumentTable& table,
                                                        settlement::Source source, const StoredDocuments& stored)
{
    std::vector<settlement::DocumentRow> rows;
    std::vector<unsigned long long> ids;
    if (stored.status == 2 && stored.ownerId != 0)
        ids = AllocatedIds(table, source, stored.ownerId);
    if (ids.empty() && stored.idsKept)
        ids = KeptIds(stored.documente);
    if (ids.empty() && !stored.idsKept) {
        for (unsigned long long number : ListedNumbers(stored.facturi.c_str()))
            for (const settlement::DocumentRow& row : settlement::FindDocumentsByNumber(table, stored.partner, number))
                AddOnce(rows, row);
        return rows;
    }
    for (unsigned long long id : ids) {
        settlement::DocumentRow row;
        if (settlement::ReadDocument(table, stored.partner, id, row))
            AddOnce(rows, row);
    }
    return rows;
}

long long ListedBalancesBani(const QListCtrl& list)
{
    long long bani = 0;
    for (int row = 0; row < list.GetItemCount(); ++row)
        bani += settlement::ToBani(CellNumber(list.GetItemText(row, kDocumentBalanceColumn).c_str()));
    return bani;
}

void FillSearchFields(micro::gui::QCombo& combo)
{
    for (const wchar_t* name : {L"Denumire", L"Numar", L"Status", L"Suma"})
        combo.AddString(name);
    combo.SetCurSel(0);
}

CashRecord* ReadCashRecord(const micro::qsql::QsqlQuery& q)
{
    CashRecord* record = new CashRecord;
    record->id = q.GetIdField(0);
    record->idText = q.GetStringField(0);
    record->serie = q.GetStringField(1);
    record->numar = q.GetStringField(2);
    record->client = GetClientField(q.GetIdField(3), 1);
    record->facturi = q.GetStringField(4);
    record->suma = q.GetFloatField(5);
    record->sumaStr = q.GetStringField(6);
    micro::utils::FormatTimeText(q.GetIntField(7), record->data, L"%d-%m-%Y");
    record->status = CashStatusWord(q.GetIntField(8));
    return record;
}

void ShowCashRecords(QListCtrl& list, const micro::utils::QObArray<CashRecord>& records, const QString& text,
                     int field)
{
    list.DeleteAllItems();
    int row = 0;
    for (int i = 0; i < records.GetCount(); ++i) {
        const CashRecord& r = *records[i];
        if (!text.IsEmpty() && !SearchedText(r, field).ContainsNoCase(text.c_str()))
            continue;
        const QString amount = AmountText(r.suma);
        const wchar_t* cells[] = {r.data.c_str(),    r.status.c_str(), r.numar.c_str(), r.client.c_str(),
                                  r.facturi.c_str(), amount.c_str(),   r.sumaStr.c_str(), r.agent.c_str(),
                                  r.tip.c_str()};
        list.InsertItem(row, cells[0]);
        for (int column = 1; column < 9; ++column)
            list.SetItemText(row, column, cells[column]);
        list.SetItemData(row, static_cast<ULONG_PTR>(r.id));
        ++row;
    }
}
