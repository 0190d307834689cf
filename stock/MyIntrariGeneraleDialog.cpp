#include "stock/MyIntrariGeneraleDialog.h"
#include <ctime>
#include <cwctype>
#include <string>
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/qapp/QApplication.h"
#include "framework/utils/TimeFormat.h"
#include "resources/resource.h"
#include "stock/MyIntrariGeneraleDialogEdit.h"
#include "stock/ReportSupport.h"
#include "stock/StockMoveStore.h"
#include "stock/StockRowValues.h"

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;
using micro::utils::QString;

namespace {

using stock_reports::ListColumn;

const ListColumn kMovementColumns[] = {
    {L"ID", 30, LVCFMT_CENTER},          {L"Data creare", 90, LVCFMT_CENTER}, {L"Status", 80, LVCFMT_CENTER},
    {L"Valoare FT", 85, LVCFMT_RIGHT},   {L"Valoare TVA", 85, LVCFMT_RIGHT},  {L"Valoare TTI", 85, LVCFMT_RIGHT},
    {L"Creat de ", 140, LVCFMT_LEFT},
};

// The editor's columns, but for a narrower, left-aligned quantity.
const ListColumn kItemColumns[] = {
    {L"NR", 30, LVCFMT_CENTER},        {L"ID", 30, LVCFMT_LEFT},          {L"Denumire", 150, LVCFMT_LEFT},
    {L"Pret Unitar", 80, LVCFMT_LEFT}, {L"Cantitate", 65, LVCFMT_LEFT},   {L"UM", 40, LVCFMT_LEFT},
    {L"Moneda", 80, LVCFMT_LEFT},      {L"Valoare FT", 100, LVCFMT_LEFT}, {L"Valoare TVA", 100, LVCFMT_LEFT},
    {L"Valoare TTI", 100, LVCFMT_LEFT},
};

const wchar_t* const kSearchFields[] = {L"Status", L"Valoare FT", L"Data Creare"};

struct Place {
    int id, x, y, cx, cy;
};
const Place kPlaces[] = {
    {IDC_IG_CAMP, 270, 10, 130, 26},          {IDC_IG_TEXT, 270, 35, 130, 23},
    {IDC_IG_LISTA, 10, 70, 640, 250},         {IDC_IG_DETALII_LISTA, 10, 340, 640, 120},
    {IDC_IG_CREARE, 10, 470, 90, 26},         {IDC_IG_MODIFICARE, 100, 470, 90, 26},
    {IDC_IG_DETALII, 190, 470, 90, 26},       {IDCANCEL, 560, 470, 90, 26},
};

bool ContainsNoCase(const QString& text, const QString& part)
{
    std::wstring a(text.c_str()), b(part.c_str());
    for (wchar_t& c : a)
        c = towlower(c);
    for (wchar_t& c : b)
        c = towlower(c);
    return a.find(b) != std::wstring::npos;
}

// Today 23:59 in universal time (seconds kept), as Unix seconds.
long long EndOfToday()
{
    time_t now = time(nullptr);
    long long seconds = static_cast<long long>(now);
    long long day = seconds - ((seconds % 86400) + 86400) % 86400;
    return day + 23 * 3600 + 59 * 60 + seconds % 60;
}

} // namespace

MyIntrariGeneraleDialog::MyIntrariGeneraleDialog(HWND parent) : QDialog(IDD_INTRARI_GENERALE, parent) {}

MyIntrariGeneraleDialog::~MyIntrariGeneraleDialog() {}

bool MyIntrariGeneraleDialog::OnInitDialog()
{
    if (HWND main = micro::qapp::GetMainWindow())
        SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetText(StockMoveKindOf(kind).listTitle);
    searchEdit.Attach(m_hwnd, IDC_IG_TEXT);
    searchField.Attach(m_hwnd, IDC_IG_CAMP);
    movementList.Attach(m_hwnd, IDC_IG_LISTA);
    detailsList.Attach(m_hwnd, IDC_IG_DETALII_LISTA);
    SetFocus(searchEdit);
    for (micro::gui::QListCtrl* list : {&movementList, &detailsList})
        stock_reports::StyleList(*list);
    for (const wchar_t* field : kSearchFields)
        searchField.AddString(field);
    searchField.SetCurSel(0);
    InsertColumns();
    InsertItemColumns();
    LayoutControls();
    LoadRecords();
    FillList();
    CenterWindow();
    // The focus stays in the search edit.
    return false;
}

void MyIntrariGeneraleDialog::InsertColumns() { stock_reports::InsertColumns(movementList, kMovementColumns); }

void MyIntrariGeneraleDialog::InsertItemColumns() { stock_reports::InsertColumns(detailsList, kItemColumns); }

void MyIntrariGeneraleDialog::LayoutControls()
{
    RECT window = {0, 0, 675, 550};
    SetWindowPos(m_hwnd, nullptr, 0, 0, window.right, window.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Place& p : kPlaces)
        ::MoveWindow(GetItem(p.id), p.x, p.y, p.cx, p.cy, TRUE);
}

void MyIntrariGeneraleDialog::LoadRecords()
{
    // From the start of the period on, with no end: a movement dated after
    // today can only be reopened or reprinted from here.
    long long start = EndOfToday() - GetInvoiceConfigValue(15) * 86400;
    try {
        QsqlQuery q = GetRepository().ExecQuery(
            SqlFormat(L"select id, dataCreare, status, valoareFT, valoareTVA, valoareTTI, utilizator from %s "
                      L"where dataCreare >= %lld order by dataCreare, id",
                      StockMoveKindOf(kind).headerTable, start - kStoredDateShift)
                .c_str());
        for (; !q.Eof(); q.NextRow()) {
            IntrariRecord* r = new IntrariRecord;
            r->id = q.GetIdField(0);
            r->idText = q.GetStringField(0);
            // The day the editor shows: the header keeps it two hours earlier.
            if (!q.FieldIsNull(1) && q.GetIntField(1) != -1)
                micro::utils::FormatTimeText(q.GetIntField(1) + kStoredDateShift, r->dateText, L"%d-%m-%Y");
            r->statusText = StockMoveStatusText(static_cast<unsigned long long>(q.GetIntField(2)));
            r->ftText = QString::Formatted(L"%.2f", q.GetFloatField(3, 0.0));
            r->tvaText = QString::Formatted(L"%.2f", q.GetFloatField(4, 0.0));
            r->ttiText = QString::Formatted(L"%.2f", q.GetFloatField(5, 0.0));
            records.Add(r);
        }
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), error.GetText().c_str(), L"Message", MB_OK);
    }
}

void MyIntrariGeneraleDialog::FillList()
{
    movementList.DeleteAllItems();
    QString search = searchEdit.GetText();
    int field = searchField.GetCurSel();
    for (int i = 0; i < records.GetCount(); ++i) {
        const IntrariRecord& r = *records[i];
        const QString& searched = field == 1 ? r.ftText : field == 2 ? r.dateText : r.statusText;
        if (!search.IsEmpty() && !ContainsNoCase(searched, search))
            continue;
        int row = movementList.InsertItem(movementList.GetItemCount(), r.idText);
        const QString* cells[] = {&r.dateText, &r.statusText, &r.ftText, &r.tvaText, &r.ttiText, &r.creatorText};
        for (int c = 0; c < 6; ++c)
            movementList.SetItemText(row, c + 1, *cells[c]);
        movementList.SetItemData(row, static_cast<ULONG_PTR>(r.id));
    }
}

void MyIntrariGeneraleDialog::LoadItems()
{
    detailsList.DeleteAllItems();
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id, produsID, cantitate, IDIntrare, pret from %s where IDIntrare = %llu order by id",
                  StockMoveKindOf(kind).itemTable, selectedId)
            .c_str());
    for (int index = 0; !q.Eof(); q.NextRow(), ++index) {
        StockRowCells row = StoredRowCells(index, q.GetIdField(1), q.GetFloatField(4, 0.0), q.GetFloatField(2, 0.0));
        detailsList.InsertItem(index, row.cells[0]);
        for (int c = 1; c < 10; ++c)
            detailsList.SetItemText(index, c, row.cells[c]);
    }
}

void MyIntrariGeneraleDialog::ShowDetails()
{
    movementList.MoveWindow(10, 70, 640, 250);
    detailsList.Show(SW_SHOW);
    detailsHidden = false;
}

void MyIntrariGeneraleDialog::HideDetails()
{
    detailsList.Show(SW_HIDE);
    movementList.MoveWindow(10, 70, 640, 390);
    detailsHidden = true;
}

bool MyIntrariGeneraleDialog::OnCommand(UINT control, UINT code, HWND window, LRESULT& result)
{
    if (control == IDC_IG_TEXT && code == EN_CHANGE) {
        FillList();
        return true;
    }
    return QDialog::OnCommand(control, code, window, result);
}

bool MyIntrariGeneraleDialog::OnNotify(UINT control, NMHDR* header, LRESULT& result)
{
    if (control != IDC_IG_LISTA)
        return QDialog::OnNotify(control, header, result);
    int row = -1;
    if (header->code == NM_CLICK || header->code == NM_DBLCLK)
        row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    else if (header->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(header);
        // Only a row becoming selected; setting a row's text notifies too.
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            row = change->iItem;
    } else {
        return false;
    }
    if (row < 0 || row >= movementList.GetItemCount())
        return true;
    unsigned long long movement = movementList.GetItemData(row);
    if (header->code == NM_DBLCLK) {
        OpenEditor(movement);
        return true;
    }
    selectedId = movement;
    LoadItems();
    return true;
}

bool MyIntrariGeneraleDialog::OnButton(UINT control)
{
    switch (control) {
    case IDC_IG_CREARE: OpenEditor(0); return true;
    case IDC_IG_MODIFICARE: {
        // Opens the selected movement, as a double-click on its line does.
        int row = movementList.GetSelectedItem();
        if (row >= 0)
            OpenEditor(movementList.GetItemData(row));
        return true;
    }
    case IDC_IG_DETALII:
        if (detailsHidden)
            ShowDetails();
        else
            HideDetails();
        return true;
    case IDOK:
    case IDCANCEL:
    case 9: return QDialog::OnButton(control);
    default: return true;
    }
}

void MyIntrariGeneraleDialog::OnOK() { EndDialog(IDOK); }

void MyIntrariGeneraleDialog::OpenEditor(unsigned long long movementId)
{
    MyIntrariGeneraleDialogEdit editor(m_hwnd);
    editor.kind = kind;
    editor.id = movementId;
    if (editor.DoModal() == IDOK)
        Reload();
}

void MyIntrariGeneraleDialog::Reload()
{
    movementList.DeleteAllItems();
    records.RemoveAll();
    LoadRecords();
    FillList();
    if (selectedId)
        LoadItems();
}
