#include "documents/MyFacturiPanel.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include "documents/FacturiRecord.h"
#include "documents/MyFacturiDialog.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "resources/resource.h"
#include <map>
#include <memory>
#include <uxtheme.h>

using micro::qsql::SqlFormat;

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
    // The list goes first, while its records and the panel still answer it.
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
    int first = m_records.GetCount();
    bool done = false;
    try {
        ReadRows();
        done = true;
    } catch (const micro::qsql::QSqlError& error) {
        ShowRowsFrom(first);
        micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), error.GetText(), L"Message", MB_OK);
        return false;
    } catch (...) {
    }
    ShowRowsFrom(first);
    return done;
}

void MyFacturiPanel::ShowRowsFrom(int first)
{
    std::vector<FacturiRecord*> rows;
    for (int i = first; i < m_records.GetCount(); ++i)
        rows.push_back(m_records.GetAt(i));
    lista.AddRows(rows);
}

void MyFacturiPanel::ReadRows()
{
    micro::qsql::QsqlQuery query = GetRepository().ExecQuery(SqlFormat(
        L"select id, status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold from '%s'",
        PanelHeaderTable(tip)));
    // A partner's name is read once per fill, however many documents name it.
    std::map<unsigned long long, QString> names;
    DocumentDateTexts dates;
    for (; !query.Eof(); query.NextRow()) {
        std::unique_ptr<FacturiRecord> record(new FacturiRecord);
        record->id = query.GetIdField(0);
        record->numar.Format(L"%lu", static_cast<unsigned long>(query.GetIntField(2)));
        unsigned long long client = query.GetIdField(3);
        auto known = names.find(client);
        if (known == names.end())
            known = names.emplace(client, LookupClientName(client)).first;
        record->clientNume = known->second;
        record->dataCreare = dates.Text(query.GetIntField(4));
        record->valoareFT = FormatDocumentAmount(query.GetFloatField(5));
        record->valoareTVA = FormatDocumentAmount(query.GetFloatField(6));
        double total = query.GetFloatField(7);
        record->valoareTTI = FormatDocumentAmount(total);
        record->statusText = DocumentStatusText(query.GetIntField(1));
        // An unpaid document's balance is its total: the same text serves both.
        double balance = query.GetFloatField(8);
        record->sold = balance == total ? record->valoareTTI : FormatDocumentAmount(balance);
        m_records.Add(record.release());
    }
}

bool MyFacturiPanel::OnNotify(UINT id, NMHDR* header, LRESULT&)
{
    if (id != IDC_FACTURI_PANEL_LIST || !header)
        return true;
    if (lista.OnDisplayInfo(header))
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
    editor.id = lista.RowId(row);
    // "Tiparire" or "Chitanta" save and leave the editor open: a run that
    // ends otherwise may still have stored the document.
    bool ended = editor.DoModal() == 1;
    if (!ended && !editor.salvat)
        return false;
    Reload();
    return true;
}

void MyFacturiPanel::Reload()
{
    lista.Clear();
    m_records.RemoveAt(0, m_records.GetCount());
    FillList();
}

void MyFacturiPanel::RequestPrintTab(int row)
{
    ::SendMessageW(MainWindowOf(m_hwnd), WM_COMMAND, MAKEWPARAM(kPrintTabCommand, 0),
                   static_cast<LPARAM>(lista.RowId(row)));
}
