#include "documents/MyFacturiPanel.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include "documents/FacturiRecord.h"
#include "documents/MyFacturiDialog.h"
#include "framework/gui/QTabContainer.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "resources/resource.h"
#include <unordered_map>
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
    bool done = false;
    try {
        ReadRows();
        done = true;
    } catch (const micro::qsql::QSqlError& error) {
        lista.PublishCount();
        micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), error.GetText(), L"Message", MB_OK);
        return false;
    } catch (...) {
    }
    lista.PublishCount();
    return done;
}

// The rows keep their stored values; the list makes the texts of the rows it
// shows. Names come with the rows (joined), each partner's kept once.
void MyFacturiPanel::ReadRows()
{
    micro::qsql::QsqlQuery query = GetRepository().ExecQuery(SqlFormat(
        L"select d.id, d.status, d.numar, d.client, d.dataCreare, d.valoareFT, d.valoareTVA, d.valoareTTI, d.sold, "
        L"c.Nume from '%s' d left join clienti c on c.id = d.client",
        PanelHeaderTable(tip)));
    std::unordered_map<unsigned long long, long long> names;
    RefreshDocumentTimeZone();
    for (; !query.Eof(); query.NextRow()) {
        DocumentRowList::Row row;
        row.id = query.GetIdField(0);
        row.status = query.GetIntField(1);
        row.numar = query.GetIntField(2);
        unsigned long long client = query.GetIdField(3);
        auto known = names.find(client);
        if (known == names.end())
            known = names.emplace(client, lista.AddName(query.GetStringField(9))).first;
        row.client = known->second;
        row.dataCreare = query.GetIntField(4);
        row.valoareFT = query.GetFloatField(5);
        row.valoareTVA = query.GetFloatField(6);
        row.valoareTTI = query.GetFloatField(7);
        row.sold = query.GetFloatField(8);
        lista.AddRow(row);
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
    // A proforma or delivery note turned into an invoice: the invoice tabs
    // beside this one show it.
    if (editor.tip != tip) {
        HWND container = GetParent(m_hwnd);
        ReloadDocumentTabs(dynamic_cast<micro::gui::QTabContainer*>(micro::gui::QWindow::FromHandle(container)),
                           editor.tip);
    }
    return true;
}

void MyFacturiPanel::Reload()
{
    lista.Clear();
    FillList();
}

void ReloadDocumentTabs(micro::gui::QTabContainer* tabs, int type)
{
    if (!tabs)
        return;
    long long listed = type == DocumentReturnInvoice ? DocumentInvoice : type;
    for (int i = 0; i < tabs->GetPageCount(); ++i) {
        MyFacturiPanel* panel = dynamic_cast<MyFacturiPanel*>(tabs->GetPage(i));
        if (panel && panel->tip == listed && panel->GetHandle())
            panel->Reload();
    }
}

void MyFacturiPanel::RequestPrintTab(int row)
{
    ::SendMessageW(MainWindowOf(m_hwnd), WM_COMMAND, MAKEWPARAM(kPrintTabCommand, 0),
                   static_cast<LPARAM>(lista.RowId(row)));
}
