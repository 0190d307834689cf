#include "stock/ReportSupport.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/gui/QControl.h"
#include "framework/qdialog/QMessageBox.h"
#include "framework/utils/TimeFormat.h"
#include <commctrl.h>
#include <uxtheme.h>

using micro::utils::QString;

namespace stock_reports {

void CompanyHeading::Load()
{
    micro::qsql::QsqlQuery q = GetRepository().ExecQuery(
        micro::qsql::SqlFormat(L"select id   , denumire     , nrreg        , cui          , adresa       , logo    "
                               L"      From Societate where id = %llu",
                               1ULL));
    if (q.Eof())
        return;
    name = q.GetStringField(1);
    registration = q.GetStringField(2);
    fiscalCode = q.GetStringField(3);
    address = q.GetStringField(4);
}

void StyleList(micro::gui::QListCtrl& list)
{
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    SetWindowTheme(list, L"explorer", nullptr);
}

void InsertColumns(micro::gui::QListCtrl& list, const ListColumn* columns, int count)
{
    for (int i = 0; i < count; ++i)
        list.InsertColumn(i, columns[i].title, columns[i].width, columns[i].format);
}

void SetUpList(micro::gui::QListCtrl& list, HWND dialog, int id, const ListColumn* columns, int count)
{
    list.Attach(dialog, id);
    StyleList(list);
    InsertColumns(list, columns, count);
}

long long ReadPickerDate(HWND dialog, int id)
{
    micro::gui::QDateTimeSelector picker(GetDlgItem(dialog, id));
    return picker.GetUnixTime();
}

Period ReadPeriod(HWND dialog, int startId, int endId)
{
    Period period;
    period.start = EndOfDay(ReadPickerDate(dialog, startId)) - 86399;
    period.end = EndOfDay(ReadPickerDate(dialog, endId));
    return period;
}

void SetDayMonthYear(HWND dialog, std::initializer_list<int> ids)
{
    for (int id : ids)
        micro::gui::QDateTimeSelector(GetDlgItem(dialog, id)).SetDayMonthYearFormat();
}

QString Amount(double value)
{
    return QString::Formatted(L"%.2f", value);
}

QString LedgerDate(long long seconds)
{
    QString text;
    micro::utils::FormatTimeText(seconds, text, L"%d-%m-%Y ");
    return text;
}

int AppendRow(micro::gui::QListCtrl& list, const wchar_t* const* cells, int count, LPARAM data)
{
    int row = list.InsertItem(list.GetItemCount(), cells[0] ? cells[0] : L"");
    for (int i = 1; i < count; ++i)
        if (cells[i])
            list.SetItemText(row, i, cells[i]);
    if (data)
        list.SetItemData(row, static_cast<ULONG_PTR>(data));
    return row;
}

ListFill::ListFill(micro::gui::QListCtrl& list) : m_list(list)
{
    m_list.SendMessage(WM_SETREDRAW, FALSE);
}

ListFill::~ListFill()
{
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(m_list, nullptr, TRUE);
}

void ShowFillError(HWND dialog, const micro::qsql::QSqlError& error)
{
    micro::qdialog::ShowMessageBox(dialog, error.GetText().c_str(), L"Message", MB_OK);
}

} // namespace stock_reports
