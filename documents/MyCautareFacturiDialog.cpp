#include "documents/MyCautareFacturiDialog.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "documents/MyFacturiDialog.h"
#include "framework/qapp/QApplication.h"
#include "masterdata/NumberText.h"
#include "printing/MyPrintDialog.h"
#include "printing/VatAndDiscount.h"
#include "resources/resource.h"
#include <initializer_list>
#include <cstdio>
#include <cwchar>
#include <map>
#include <unordered_map>
#include <memory>
#include <uxtheme.h>

using micro::utils::QString;
using micro::qsql::SqlFormat;

namespace {

struct ButtonSpec {
    const wchar_t* text;
    UINT id;
    int x;
    int width;
    int icon;
};

// The working buttons, made at run time over the template's hidden ones.
const ButtonSpec kButtons[] = {
    {L"  Factura noua", IDC_CAUTFACT_NOU, 10, 140, IDI_CAUTFACT_NOU},
    {L"  Detalii ", IDC_CAUTFACT_DETALII, 150, 140, IDI_CAUTFACT_DETALII},
    {L"  Duplicare ", IDC_CAUTFACT_DUPLICARE, 290, 140, IDI_CAUTFACT_DUPLICARE},
    {L"  Tiparire", IDC_CAUTFACT_TIPARIRE, 430, 140, IDI_FE_PRINT},
    {L"  Iesire", IDCANCEL, 750, 120, IDI_CAUTFACT_IESIRE},
};
const int kButtonTop = 510;
const int kButtonHeight = 42;
const int kIconSize = 30;

struct Column {
    const wchar_t* text;
    int width;
    int format;
};

const Column kDocumentColumns[] = {
    {L"Numar", 50, LVCFMT_LEFT},       {L"Client", 200, LVCFMT_LEFT},      {L"Data", 100, LVCFMT_CENTER},
    {L"Valoare FT", 100, LVCFMT_LEFT}, {L"Valoare TVA", 100, LVCFMT_LEFT}, {L"Valoare TTI", 100, LVCFMT_LEFT},
    {L"Status", 90, LVCFMT_CENTER},    {L"Sold", 100, LVCFMT_LEFT},        {L"Creat de ", 100, LVCFMT_LEFT},
};

const Column kArticleColumns[] = {
    {L"NR", 30, LVCFMT_CENTER},         {L"ID", 30, LVCFMT_LEFT},          {L"Denumire", 150, LVCFMT_LEFT},
    {L"Pret Unitar", 80, LVCFMT_LEFT},  {L"Cantitate", 60, LVCFMT_LEFT},   {L"UM", 40, LVCFMT_LEFT},
    {L"Moneda", 80, LVCFMT_LEFT},       {L"Valoare FT", 100, LVCFMT_LEFT}, {L"Valoare TVA", 100, LVCFMT_LEFT},
    {L"Valoare TTI", 100, LVCFMT_LEFT},
};

// Items of the search-field combo, in the order of the fields they pick.
const wchar_t* const kSearchFields[] = {L"Client", L"Numar Document", L"Status", L"Valoare FT", L"Valoare TTI"};

template <size_t N>
void InsertColumns(micro::gui::QListCtrl& list, const Column (&columns)[N])
{
    for (size_t i = 0; i < N; ++i)
        list.InsertColumn(static_cast<int>(i), columns[i].text, columns[i].width, columns[i].format);
}

// Headers of types outside the four listed read as goods-received notes.
int ListType(int type)
{
    return (type >= 0 && type <= 2) ? type : DocumentGoodsReceived;
}

// What a record is read from, in the order FillStoredRecord takes it.
const wchar_t kHeaderColumns[] =
    L"id, status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold, agent";

// The record of the query's header row; its texts are made when painted.
void FillStoredRecord(const micro::qsql::QsqlQuery& query, const QString& clientName, FacturiRecord& record)
{
    record = FacturiRecord();
    record.id = query.GetIdField(0);
    record.statusText = DocumentStatusText(query.GetIntField(1));
    FacturiRecord::Stored& v = record.stored;
    v.numarNull = query.FieldIsNull(2);
    v.numar = query.GetIntField(2);
    record.clientNume = clientName;
    v.dataCreare = query.GetIntField(4);
    v.valoareFT = query.GetFloatField(5);
    v.valoareTVA = query.GetFloatField(6);
    v.valoareTTI = query.GetFloatField(7);
    v.sold = query.GetFloatField(8);
    record.textsPending = true;
}

} // namespace

MyCautareFacturiDialog::MyCautareFacturiDialog(HWND parent) : QDialog(IDD_CAUTARE_FACTURI, parent) {}

MyCautareFacturiDialog::~MyCautareFacturiDialog()
{
    listaDocumente.Clear();
    inregistrari.RemoveAt(0, inregistrari.GetCount());
    for (HICON icon : m_icons)
        if (icon)
            DestroyIcon(icon);
}

bool MyCautareFacturiDialog::OnInitDialog()
{
    if (HWND main = micro::qapp::GetMainWindow())
        SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreateButtons();

    editCautare.Attach(m_hwnd, IDC_CAUTFACT_TEXT);
    SetFocus(editCautare);

    comboCautare.Attach(m_hwnd, IDC_CAUTFACT_CAMP);
    for (const wchar_t* field : kSearchFields)
        comboCautare.AddString(field);
    comboCautare.SetCurSel(0);

    listaDocumente.Attach(m_hwnd, IDC_CAUTFACT_DOCUMENTE);
    listaArticole.Attach(m_hwnd, IDC_CAUTFACT_ARTICOLE);
    for (micro::gui::QListCtrl* list : {static_cast<micro::gui::QListCtrl*>(&listaDocumente), &listaArticole}) {
        list->SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
        SetWindowTheme(*list, L"explorer", nullptr);
    }
    InsertListColumns();
    InsertArticleColumns();
    LoadDocuments();
    FilterList();

    QDialog::OnInitDialog();
    // The focus stays in the search edit.
    return false;
}

void MyCautareFacturiDialog::CreateButtons()
{
    switch (tip) {
    case DocumentGoodsReceived:
        SetText(L"Cautare Nota Intrare Receptie");
        SetItemText(IDC_CAUTFACT_NOU, L"NIR Nou ");
        SetItemText(IDC_CAUTFACT_VALIDARE, L"Valideaza NIR ");
        break;
    case DocumentProforma:
        SetText(L"Cautare Facturi Proforme");
        SetItemText(IDC_CAUTFACT_NOU, L"Proforma noua");
        SetItemText(IDC_CAUTFACT_VALIDARE, L"");
        EnableItem(IDC_CAUTFACT_VALIDARE, false);
        break;
    case DocumentDeliveryNote:
        SetText(L"Cautare Avize Expeditie");
        SetItemText(IDC_CAUTFACT_NOU, L"Aviz nou");
        SetItemText(IDC_CAUTFACT_VALIDARE, L"");
        EnableItem(IDC_CAUTFACT_VALIDARE, false);
        break;
    default:
        break;
    }
    ShowItem(IDC_CAUTFACT_ARTICOLE, false);
    SetWindowPos(m_hwnd, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::MoveWindow(GetItem(IDC_CAUTFACT_CAMP), 370, 10, 130, 26, TRUE);
    ::MoveWindow(GetItem(IDC_CAUTFACT_TEXT), 370, 35, 130, 23, TRUE);
    ::MoveWindow(GetItem(IDC_CAUTFACT_DOCUMENTE), 10, 70, 860, 420, TRUE);
    ::MoveWindow(GetItem(IDC_CAUTFACT_ARTICOLE), 10, 360, 860, 130, TRUE);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    for (size_t i = 0; i < sizeof(kButtons) / sizeof(kButtons[0]); ++i) {
        const ButtonSpec& spec = kButtons[i];
        HWND button = CreateWindowExW(0, L"Button", spec.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                      spec.x, kButtonTop, spec.width, kButtonHeight, m_hwnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id)), instance, nullptr);
        if (!button)
            continue;
        ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        m_icons[i] = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(spec.icon), IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
        if (m_icons[i])
            ::SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_icons[i]));
    }
}

void MyCautareFacturiDialog::ApplyCompactLayout()
{
    listaArticole.Show(SW_HIDE);
    listaDocumente.MoveWindow(10, 70, 860, 420);
}

void MyCautareFacturiDialog::InsertListColumns() { InsertColumns(listaDocumente, kDocumentColumns); }

void MyCautareFacturiDialog::InsertArticleColumns() { InsertColumns(listaArticole, kArticleColumns); }

void MyCautareFacturiDialog::LoadDocuments()
{
    micro::qsql::QsqlQuery query;
    try {
        query = GetRepository().ExecQuery(
            SqlFormat(L"select %s from '%s'", kHeaderColumns, DocumentHeaderTable(ListType(tip))));
    } catch (const micro::qsql::QSqlError& error) {
        MessageBox(error.GetText(), L"Message", MB_OK);
        return;
    }
    // A partner's name is read once per load, however many documents name it.
    std::map<unsigned long long, QString> names;
    // The other texts are made when a row is painted or searched.
    RefreshDocumentTimeZone();
    for (; !query.Eof(); query.NextRow()) {
        std::unique_ptr<FacturiRecord> record(new FacturiRecord);
        unsigned long long client = query.GetIdField(3);
        auto known = names.find(client);
        if (known == names.end())
            known = names.emplace(client, GetClientField(client, 1)).first;
        FillStoredRecord(query, known->second, *record);
        inregistrari.Add(record.release());
    }
}

namespace {
const int kFieldColumns[] = {RowClient, RowNumar, RowStatus, RowValoareFT, RowValoareTTI};
} // namespace

bool MyCautareFacturiDialog::RecordMatches(FacturiRecord& record, int field, const QString& text) const
{
    if (field < 0 || field >= 5)
        field = 0;
    return RecordCell(record, kFieldColumns[field]).ContainsNoCase(text);
}

void MyCautareFacturiDialog::FilterList()
{
    nrRanduri = 0;
    // The list is painted once, when its new rows are in and selected.
    listaDocumente.SendMessage(WM_SETREDRAW, FALSE);
    listaDocumente.Clear();
    QString text = editCautare.GetText();
    int field = comboCautare.GetCurSel();
    if (field < 0 || field >= 5)
        field = 0;
    // The search text is folded once; a client name or status word, shared by
    // many records, is folded and searched once per filtering.
    QString needle(text);
    needle.MakeLower();
    std::unordered_map<const wchar_t*, bool> answers;
    QString folded;
    std::vector<FacturiRecord*> rows;
    for (int i = 0; i < inregistrari.GetCount(); ++i) {
        FacturiRecord* record = inregistrari.GetAt(i);
        bool match = text.IsEmpty();
        if (!match) {
            const QString& cell = RecordCell(*record, kFieldColumns[field]);
            auto known = answers.find(cell.c_str());
            if (known != answers.end()) {
                match = known->second;
            } else {
                folded = cell;
                folded.MakeLower();
                match = folded.Find(needle.c_str()) >= 0;
                if (cell.HasBuffer() && (kFieldColumns[field] == RowClient || kFieldColumns[field] == RowStatus))
                    answers.emplace(cell.c_str(), match);
            }
        }
        if (match)
            rows.push_back(record);
    }
    listaDocumente.AddRows(rows);
    nrRanduri = listaDocumente.RowCount();
    if (nrRanduri > 0)
        listaDocumente.SelectItem(nrRanduri - 1);
    listaDocumente.SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(listaDocumente, nullptr, TRUE);
}

void MyCautareFacturiDialog::LoadArticles()
{
    micro::qsql::QsqlQuery query = GetRepository().ExecQuery(
        SqlFormat(L"select id     ,  produsID     ,  cantitate    ,  valoareFT    ,  IDFactura    ,  coalesce(TVA, -1) "
                  L"from '%s' where IDFactura = %llu",
                  DocumentLineTable(ListType(tip)), idSelectat));
    QString text;
    for (int row = 0; !query.Eof(); query.NextRow(), ++row) {
        unsigned long long product = query.GetIdField(1);
        double quantity = query.GetFloatField(2);
        double price = query.GetFloatField(3);
        double net = quantity * price;
        // The code the line was issued with; a line stored without one follows its product.
        long long kept = query.GetIntField(5);
        double factor = VatMultiplier(kept >= 0 ? kept : GetProductIntField(product, 3));
        text.Format(L"%lu", static_cast<unsigned long>(row + 1));
        int item = listaArticole.InsertItem(row, text);
        text.Format(L"%lu", static_cast<unsigned long>(product));
        listaArticole.SetItemText(item, 1, text);
        GetProductTextField(text, product, 1);
        listaArticole.SetItemText(item, 2, text);
        listaArticole.SetItemText(item, 3, FormatDocumentAmount(price));
        listaArticole.SetItemText(item, 4, QuantityText(quantity));
        GetProductTextField(text, product, 6);
        listaArticole.SetItemText(item, 5, text);
        listaArticole.SetItemText(item, 6, GetCurrencyName(GetProductIntField(product, 1)));
        listaArticole.SetItemText(item, 7, FormatDocumentAmount(net));
        listaArticole.SetItemText(item, 8, FormatDocumentAmount(factor * net - net));
        listaArticole.SetItemText(item, 9, FormatDocumentAmount(factor * net));
    }
}

void MyCautareFacturiDialog::ReloadArticles()
{
    // Hidden lines are read when they are shown, not at every selection.
    articoleNeactualizate = articoleAscunse;
    if (articoleNeactualizate)
        return;
    listaArticole.DeleteAllItems();
    LoadArticles();
}

bool MyCautareFacturiDialog::OnCommand(UINT id, UINT code, HWND, LRESULT&)
{
    if (id == IDC_CAUTFACT_TEXT && code == EN_CHANGE) {
        FilterList();
        return true;
    }
    if (code == 0)
        return OnButton(id);
    return false;
}

bool MyCautareFacturiDialog::OnNotify(UINT id, NMHDR* header, LRESULT&)
{
    if (id != IDC_CAUTFACT_DOCUMENTE || !header)
        return false;
    if (listaDocumente.OnDisplayInfo(header))
        return true;
    return OnDocumentListNotify(header);
}

bool MyCautareFacturiDialog::OnDocumentListNotify(NMHDR* header)
{
    switch (header->code) {
    case NM_CLICK: {
        int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
        if (row >= 0) {
            idSelectat = listaDocumente.RowId(row);
            ReloadArticles();
        }
        return true;
    }
    case LVN_ITEMCHANGED: {
        // The list reports text changes and lost selections the same way:
        // only a row that has just become selected changes what the picker
        // acts on.
        const NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(header);
        bool selected = (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
                        !(change->uOldState & LVIS_SELECTED);
        if (selected && change->iItem >= 0) {
            randSelectat = change->iItem;
            idSelectat = listaDocumente.RowId(change->iItem);
            ReloadArticles();
        }
        return true;
    }
    case NM_DBLCLK: {
        int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
        if (row >= 0)
            EditFromDoubleClick(row);
        return true;
    }
    default:
        return false;
    }
}

bool MyCautareFacturiDialog::EditFromDoubleClick(int row)
{
    idEditat = listaDocumente.RowId(row);
    MyFacturiDialog editor(m_hwnd);
    editor.tip = tip;
    editor.id = idEditat;
    editor.DoModal();
    return BringInStep(editor, idEditat);
}

bool MyCautareFacturiDialog::BringInStep(const MyFacturiDialog& editor, unsigned long long openedId)
{
    if (!editor.salvat)
        return false;
    // The opened row is read again even when the editor ended on another
    // document: a proforma turned into an invoice stays what it was.
    if (openedId != 0)
        ReadDocumentAgain(openedId);
    bool listedHere = wcscmp(DocumentHeaderTable(editor.tip), DocumentHeaderTable(ListType(tip))) == 0;
    if (listedHere && editor.idRezervat != openedId)
        ReadDocumentAgain(editor.idRezervat);
    SelectDocumentRow(listedHere ? editor.idRezervat : openedId);
    if (editor.stornat && editor.idStorno)
        AppendStornoInvoice(editor.idStorno);
    return true;
}

void MyCautareFacturiDialog::ReadDocumentAgain(unsigned long long documentId)
{
    micro::qsql::QsqlQuery query = GetRepository().ExecQuery(
        SqlFormat(L"select %s from '%s' where id = %llu", kHeaderColumns, DocumentHeaderTable(ListType(tip)),
                  documentId));
    if (query.Eof())
        return;
    RefreshDocumentTimeZone();
    FacturiRecord* record = FindRecord(documentId);
    if (!record) {
        std::unique_ptr<FacturiRecord> added(new FacturiRecord);
        FillStoredRecord(query, GetClientField(query.GetIdField(3), 1), *added);
        AppendRecordRow(added.release());
        return;
    }
    FillStoredRecord(query, GetClientField(query.GetIdField(3), 1), *record);
    int row = listaDocumente.FindRow(documentId);
    if (row >= 0)
        listaDocumente.RedrawRow(row);
}

void MyCautareFacturiDialog::AppendStornoInvoice(unsigned long long stornoId)
{
    micro::qsql::QsqlQuery query = GetRepository().ExecQuery(
        SqlFormat(L"select id, status, numar, client, dataCreare, dataScadenta, agent, delegat, valoareFT, "
                  L"valoareTVA, valoareTTI, sold, serie from '%s' where id = %llu",
                  DocumentHeaderTable(tip == DocumentGoodsReceived ? DocumentGoodsReceived : DocumentInvoice),
                  stornoId));
    if (query.Eof())
        return;
    std::unique_ptr<FacturiRecord> record(new FacturiRecord);
    record->id = query.GetIdField(0);
    record->idText = query.GetStringField(0);
    record->statusText = DocumentStatusText(StatusReversed);
    record->numar = query.GetStringField(2);
    record->clientNume = GetClientField(query.GetIdField(3), 1);
    RefreshDocumentTimeZone();
    record->dataCreare = FormatDocumentDate(query.GetIntField(4));
    // Formatted as every other row: the stored text of a REAL reads "-100.0".
    record->valoareFT = FormatDocumentAmount(query.GetFloatField(8, 0.0));
    record->valoareTVA = FormatDocumentAmount(query.GetFloatField(9, 0.0));
    record->valoareTTI = FormatDocumentAmount(query.GetFloatField(10, 0.0));
    record->sold = FormatDocumentAmount(query.GetFloatField(11, 0.0));
    AppendRecordRow(record.release());
}

void MyCautareFacturiDialog::AppendRecordRow(FacturiRecord* record)
{
    inregistrari.Add(record);
    listaDocumente.AddRow(record);
    ++nrRanduri;
    SelectDocumentRow(record->id);
}

FacturiRecord* MyCautareFacturiDialog::FindRecord(unsigned long long documentId) const
{
    for (int i = 0; i < inregistrari.GetCount(); ++i)
        if (inregistrari.GetAt(i)->id == documentId)
            return inregistrari.GetAt(i);
    return nullptr;
}

void MyCautareFacturiDialog::SelectDocumentRow(unsigned long long documentId)
{
    SetFocus(listaDocumente);
    int row = listaDocumente.FindRow(documentId);
    if (row >= 0) {
        listaDocumente.SelectItem(row);
        return;
    }
    LVITEMW none = {};
    none.stateMask = LVIS_SELECTED;
    listaDocumente.SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    idSelectat = 0;
}

bool MyCautareFacturiDialog::UpdateData(bool toControls)
{
    if (toControls)
        return true;
    int row = listaDocumente.GetSelectedItem();
    if (row < 0) {
        MessageBox(L"Selectati un client !", L"Message", MB_OK);
        return false;
    }
    idEditat = listaDocumente.RowId(row);
    MyFacturiDialog editor(m_hwnd);
    editor.tip = tip;
    editor.id = idEditat;
    if (editor.DoModal() != 1) {
        BringInStep(editor, idEditat);
        return false;
    }
    listaDocumente.Clear();
    inregistrari.RemoveAt(0, inregistrari.GetCount());
    LoadDocuments();
    FilterList();
    SelectDocumentRow(idEditat);
    return true;
}

bool MyCautareFacturiDialog::OnButton(UINT id)
{
    switch (id) {
    case IDC_CAUTFACT_NOU: return NewDocument();
    case IDC_CAUTFACT_DUPLICARE: return DuplicateDocument();
    case IDC_CAUTFACT_DETALII: ToggleDetails(); return true;
    case IDC_CAUTFACT_TIPARIRE: return PrintDocument();
    case IDC_CAUTFACT_VALIDARE: return ValidateDocument();
    default: return QDialog::OnButton(id);
    }
}

bool MyCautareFacturiDialog::NewDocument()
{
    MyFacturiDialog editor(m_hwnd);
    editor.tip = tip;
    editor.id = 0;
    editor.DoModal();
    return BringInStep(editor, 0);
}

void MyCautareFacturiDialog::ShowSelectionRefusal()
{
    micro::qdialog::ShowMessageBox(m_hwnd, L"Click pe documentul dorit pentru selectie !",
                                   L"Selectati documentul dorit", MB_OK | MB_ICONINFORMATION);
}

bool MyCautareFacturiDialog::DuplicateDocument()
{
    if (idSelectat == 0) {
        ShowSelectionRefusal();
        return false;
    }
    MyFacturiDialog editor(m_hwnd);
    editor.tip = tip;
    editor.id = idSelectat;
    editor.documentNou = 1;
    editor.DoModal();
    return BringInStep(editor, 0);
}

bool MyCautareFacturiDialog::PrintDocument()
{
    // Without a chosen document the print dialog would show its sample values
    // as if they were a document.
    if (idSelectat == 0) {
        ShowSelectionRefusal();
        return false;
    }
    MyPrintDialog print(m_hwnd);
    print.SetDocument(idSelectat, tip);
    print.DoModal();
    return true;
}

void MyCautareFacturiDialog::ToggleDetails()
{
    if (articoleAscunse) {
        articoleAscunse = false;
        if (articoleNeactualizate)
            ReloadArticles();
        listaArticole.Show(SW_SHOW);
        SetWindowPos(listaDocumente, nullptr, 0, 0, 860, 270, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        ApplyCompactLayout();
        articoleAscunse = true;
    }
}
