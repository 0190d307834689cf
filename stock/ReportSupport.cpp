#include "stock/ReportSupport.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/gui/QControl.h"
#include "framework/qdialog/QMessageBox.h"
#include "framework/utils/TimeFormat.h"
#include <cmath>
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
    // Sums of decimals miss 0 by a trace (0.3 less 0.2 less 0.1): what
    // shows as nothing reads "0.00", not "-0.00".
    return QString::Formatted(L"%.2f", std::fabs(value) < 0.005 ? 0.0 : value);
}

double BaniOf(double value)
{
    return std::round(value * 100.0);
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

ReportRows::ReportRows(micro::gui::QListCtrl& list, ItemText itemText) : m_list(list), m_itemText(std::move(itemText))
{
}

void ReportRows::Clear()
{
    m_rows.clear();
    m_texts.clear();
    if (m_list)
        m_list.SendMessage(LVM_SETITEMCOUNT, 0);
}

void ReportRows::AppendItem(size_t item, LPARAM data)
{
    m_rows.push_back({item, -1, 0, data});
}

int ReportRows::AppendRow(const wchar_t* const* cells, int count, LPARAM data)
{
    m_rows.push_back({0, static_cast<int>(m_texts.size()), count, data});
    for (int i = 0; i < count; ++i)
        m_texts.push_back(cells[i] ? QString(cells[i]) : QString());
    return Count() - 1;
}

void ReportRows::Show()
{
    m_list.SendMessage(LVM_SETITEMCOUNT, m_rows.size());
    InvalidateRect(m_list, nullptr, TRUE);
}

LPARAM ReportRows::Data(int row) const
{
    return row >= 0 && row < Count() ? m_rows[row].data : 0;
}

QString ReportRows::Text(int row, int column) const
{
    if (row < 0 || row >= Count() || column < 0)
        return QString();
    const Row& r = m_rows[row];
    if (r.fixed < 0)
        return m_itemText(r.item, column);
    return column < r.count ? m_texts[r.fixed + column] : QString();
}

bool ReportRows::AnswerDisplayInfo(const NMHDR* header) const
{
    if (!header || header->hwndFrom != m_list || header->code != LVN_GETDISPINFOW)
        return false;
    LVITEMW& item = const_cast<NMLVDISPINFOW*>(reinterpret_cast<const NMLVDISPINFOW*>(header))->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynW(item.pszText, Text(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
    return true;
}

void ShowFillError(HWND dialog, const micro::qsql::QSqlError& error)
{
    micro::qdialog::ShowMessageBox(dialog, error.GetText().c_str(), L"Message", MB_OK);
}

} // namespace stock_reports
