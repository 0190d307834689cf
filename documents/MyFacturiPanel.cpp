#include "documents/MyFacturiPanel.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include "documents/FacturiRecord.h"
#include "documents/MyFacturiDialog.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "resources/resource.h"
#include <uxtheme.h>

using micro::utils::QString;

namespace {

// The main window's command that opens the print tab for a document id (lParam).
const UINT kPrintTabCommand = 32844;

struct Column {
    const wchar_t* text;
    int width;
    int format;
};

const Column kColumns[] = {
    {L"Numar", 50, LVCFMT_LEFT},         {L"Client", 200, LVCFMT_LEFT},      {L"Data", 100, LVCFMT_LEFT},
    {L"Valoare FT", 100, LVCFMT_LEFT},   {L"Valoare TVA", 100, LVCFMT_LEFT}, {L"Valoare TTI", 100, LVCFMT_LEFT},
    {L"Status", 90, LVCFMT_CENTER},      {L"Sold", 100, LVCFMT_LEFT},
};

// Tables other than the four list types read as goods-received notes.
const wchar_t* PanelHeaderTable(long long type)
{
    return (type >= 0 && type <= 2) ? DocumentHeaderTable(static_cast<int>(type)) : L"Niruri";
}

int ColumnCount(const micro::gui::QListCtrl& list)
{
    HWND header = reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER));
    return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

HWND MainWindowOf(HWND window)
{
    HWND main = micro::qapp::GetMainWindow();
    return main ? main : GetAncestor(window, GA_ROOT);
}

} // namespace

MyFacturiPanel::MyFacturiPanel(long long type) : tip(type) {}

MyFacturiPanel::~MyFacturiPanel()
{
    // The list goes first, while the panel can still take its last notices.
    lista.Destroy();
}

QString MyFacturiPanel::GetTitle()
{
    switch (tip) {
    case 0: return L"Facturi";
    case 1: return L"Facturi Proforme";
    case 2: return L"Avize Expeditie";
    default: return L"Note Intrare Receptie";
    }
}

bool MyFacturiPanel::Create(micro::gui::QWindow* parent, UINT id, DWORD style)
{
    if (!QPanel::Create(parent, id, style))
        return false;
    lista.Create(this, IDC_FACTURI_PANEL_LIST, 1);
    lista.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    SetWindowTheme(lista, L"explorer", nullptr);
    InsertColumns();
    FillList();
    return true;
}

bool MyFacturiPanel::OnSize(UINT, int cx, int cy, LRESULT&)
{
    lista.MoveWindow(0, 0, cx, cy, true);
    return true;
}

void MyFacturiPanel::InsertColumns()
{
    for (const Column& column : kColumns)
        lista.InsertColumn(ColumnCount(lista), column.text, column.width, column.format);
}

bool MyFacturiPanel::FillList()
{
    try {
        AppendRows();
        return true;
    } catch (const micro::qsql::QSqlError& error) {
        micro::qdialog::ShowMessageBox(micro::qapp::GetMainWindow(), error.GetText(), L"Message", MB_OK);
    } catch (...) {
    }
    return false;
}

void MyFacturiPanel::AppendRows()
{
    QString sql;
    sql.Format(L"select id, status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold from '%s'",
               PanelHeaderTable(tip));
    micro::qsql::QsqlQuery query = GetRepository().ExecQuery(sql);
    QString text;
    for (int row = lista.GetItemCount(); !query.Eof(); query.NextRow(), ++row) {
        text.Format(L"%lu", static_cast<unsigned long>(query.GetIntField(2)));
        row = lista.InsertItem(row, text);
        lista.SetItemText(row, RowClient, LookupClientName(query.GetIdField(3)));
        lista.SetItemText(row, RowData, FormatDocumentDate(query.GetIntField(4)));
        lista.SetItemText(row, RowValoareFT, FormatDocumentAmount(query.GetFloatField(5)));
        lista.SetItemText(row, RowValoareTVA, FormatDocumentAmount(query.GetFloatField(6)));
        lista.SetItemText(row, RowValoareTTI, FormatDocumentAmount(query.GetFloatField(7)));
        lista.SetItemText(row, RowStatus, DocumentStatusWord(query.GetIntField(1)));
        lista.SetItemText(row, RowSold, FormatDocumentAmount(query.GetFloatField(8)));
        lista.SetItemData(row, static_cast<ULONG_PTR>(query.GetIdField(0)));
    }
}

bool MyFacturiPanel::OnNotify(UINT id, NMHDR* header, LRESULT&)
{
    if (id != IDC_FACTURI_PANEL_LIST || !header)
        return true;
    const NMITEMACTIVATE* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    switch (header->code) {
    case NM_DBLCLK:
        return item->iItem >= 0 && OpenDocument(item->iItem);
    case NM_RCLICK:
        if (item->iItem >= 0)
            RequestPrintTab(item->iItem);
        return true;
    default:
        return true;
    }
}

bool MyFacturiPanel::OpenDocument(int row)
{
    MyFacturiDialog editor(m_hwnd);
    editor.tip = static_cast<int>(tip);
    editor.id = lista.GetItemData(row);
    if (editor.DoModal() != 1)
        return false;
    lista.DeleteAllItems();
    FillList();
    return true;
}

void MyFacturiPanel::RequestPrintTab(int row)
{
    ::SendMessageW(MainWindowOf(m_hwnd), WM_COMMAND, MAKEWPARAM(kPrintTabCommand, 0),
                   static_cast<LPARAM>(lista.GetItemData(row)));
}
