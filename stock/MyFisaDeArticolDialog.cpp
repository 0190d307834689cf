#include "stock/MyFisaDeArticolDialog.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "framework/gui/QGraphics.h"
#include "framework/utils/TimeFormat.h"
#include "masterdata/EditorEntries.h"
#include "masterdata/MyCautareClientiDialog.h"
#include "masterdata/MyCautareProduseDialog.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include <climits>
#include <commctrl.h>
#include <map>
#include <set>
#include <vector>

using micro::utils::QString;
using namespace stock_reports;

namespace {

const ListColumn kArticleColumns[] = {
    {L"Data", 120, LVCFMT_CENTER},   {L"Tip", 40, LVCFMT_CENTER},      {L"Nr.Doc", 60, LVCFMT_CENTER},
    {L"Client", 150, LVCFMT_CENTER}, {L"Intrari", 100, LVCFMT_CENTER}, {L"Iesiri", 100, LVCFMT_CENTER},
    {L"Pret net", 100, LVCFMT_CENTER}, {L"Valoare", 100, LVCFMT_CENTER},
};
const ListColumn kPartnerColumns[] = {
    {L"Tip Doc", 60, LVCFMT_CENTER}, {L"Data", 90, LVCFMT_CENTER},    {L"Nr.Doc", 80, LVCFMT_CENTER},
    {L"Debit", 120, LVCFMT_CENTER},  {L"Credit", 120, LVCFMT_CENTER}, {L"Sold", 120, LVCFMT_CENTER},
};

// What each source of a stock line shows in the article ledger.
struct ArticleSource {
    const wchar_t* type;
    const wchar_t* client;  // null: the document's partner
};
const ArticleSource kArticleSources[] = {
    {L"FV", nullptr}, {L"NIR", nullptr}, {L"IG", L"INTRARE GENERALA"}, {L"EG", L"IESIRE GENERALA"}};

// The editor behind a ledger row, by the row's type text.
struct RowEditor {
    unsigned long long mode;
    const wchar_t* type;  // null: any other row of the mode
    EditorKind kind;
    int editorType;
};
const RowEditor kRowEditors[] = {
    {0, L"FV", EditorKind::Document, 0},      {0, L"NIR", EditorKind::Document, 3},
    {0, L"IG", EditorKind::StockMovement, 0}, {0, L"EG", EditorKind::StockMovement, 1},
    {1, L"FV", EditorKind::Document, 0},      {1, nullptr, EditorKind::Receipt, 0},
    {2, L"NIR", EditorKind::Document, 3},     {2, nullptr, EditorKind::Payment, 0},
};

// A line's value, negative when it goes out, to the ban: the total is the sum
// of the values as listed and printed.
double SignedValueBani(const StockMovementRow& row)
{
    return BaniOf(row.quantity * row.price * (IsStockEntry(row.source) ? 1.0 : -1.0));
}

} // namespace

MyFisaDeArticolDialog::MyFisaDeArticolDialog(HWND parent)
    : QDialog(IDD_FISA_ARTICOL, parent), mode(0), productId(0), partnerId(0), lastRowIndex(0), pages{1, 0, 0},
      rows(list, [this](size_t item, int column) {
          return mode == ModeArticle ? MovementText(item, column) : RecordText(item, column);
      })
{
}

bool MyFisaDeArticolDialog::OnInitDialog()
{
    if (mode == ModeClient) {
        SetText(L"Fisa de Client");
        SetItemText(IDC_FISA_SELECTEAZA, L"Cauta Client");
    } else if (mode == ModeSupplier) {
        SetText(L"Fisa de Furnizor");
        SetItemText(IDC_FISA_SELECTEAZA, L"Cauta Furnizor");
    }
    SetDayMonthYear(m_hwnd, {IDC_FISA_DE_LA, IDC_FISA_LA});
    InsertColumns();
    company.Load();
    QDialog::OnInitDialog();
    return true;
}

void MyFisaDeArticolDialog::InsertColumns()
{
    if (mode == ModeArticle)
        SetUpList(list, m_hwnd, IDC_FISA_LISTA, kArticleColumns);
    else
        SetUpList(list, m_hwnd, IDC_FISA_LISTA, kPartnerColumns);
}

bool MyFisaDeArticolDialog::Choose()
{
    if (mode == ModeArticle) {
        MyCautareProduseDialog picker(m_hwnd);
        picker.mode = 2;
        if (picker.DoModal() != 1)
            return false;
        productId = picker.selectedId;
        GetProductTextField(chosenName, productId, 1);
    } else {
        // Suppliers are kept among the partners, where goods-received notes
        // and payments name them.
        MyCautareClientiDialog picker(m_hwnd);
        picker.table = 0;
        picker.editFlag = 0;
        if (picker.DoModal() != 1)
            return false;
        partnerId = picker.selectedId;
        GetClientField(chosenName, partnerId, 1);
    }
    SetItemText(IDC_FISA_NUME, chosenName);
    return true;
}

bool MyFisaDeArticolDialog::OnButton(UINT id)
{
    switch (id) {
    case IDC_FISA_SELECTEAZA:
        return Choose();
    case IDC_FISA_COLECTEAZA:
        if (mode == ModeArticle ? productId == 0 : partnerId == 0) {
            micro::qdialog::ShowMessageBox(m_hwnd, mode == ModeArticle ? L"Selectati un produs " : L"Selectati un Client ",
                                           L"Atentie", MB_ICONINFORMATION);
            return false;
        }
        CollectData();
        return true;
    case IDC_FISA_TIPARIRE:
        micro::utils::FormatTimeText(ReadPickerDate(m_hwnd, IDC_FISA_DE_LA), periodStartText, L"%d-%m-%y");
        micro::utils::FormatTimeText(ReadPickerDate(m_hwnd, IDC_FISA_LA), periodEndText, L"%d-%m-%y");
        if (mode == ModeArticle)
            PrintArticleSheet();
        else
            PrintPartnerSheet();
        return true;
    default:
        QDialog::OnButton(id);
        return true;
    }
}

void MyFisaDeArticolDialog::CollectData()
{
    micro::gui::QWaitCursor wait;
    rows.Clear();
    m_movements.clear();
    m_partnerNames.clear();
    m_records.clear();
    m_balances.clear();
    lastRowIndex = 0;
    Period period = ReadPeriod(m_hwnd, IDC_FISA_DE_LA, IDC_FISA_LA);
    try {
        if (mode == ModeArticle)
            FillArticle(period);
        else
            FillPartner(period);
    } catch (const micro::qsql::QSqlError& error) {
        // The partial list stays as it is, without a closing total.
        rows.Show();
        ShowFillError(m_hwnd, error);
        lastRowIndex = rows.Count() > 0 ? rows.Count() - 1 : 0;
        return;
    }
    rows.Show();
}

QString MyFisaDeArticolDialog::MovementText(size_t item, int column)
{
    const StockMovementRow& row = m_movements[item];
    const ArticleSource& source = kArticleSources[row.source & 3];
    bool entry = IsStockEntry(row.source);
    switch (column) {
    case 0: return LedgerDate(row.date);
    case 1: return source.type;
    case 2: return QString::Formatted(L"%lld", row.number);
    case 3: return source.client ? QString(source.client) : m_partnerNames[static_cast<unsigned long long>(row.partner)];
    case 4: return entry ? QuantityText(row.quantity) : QString(L"0");
    case 5: return entry ? QString(L"0") : QuantityText(row.quantity);
    case 6: return Amount(row.price);
    case 7: return Amount(SignedValueBani(row) / 100.0);
    default: return QString();
    }
}

QString MyFisaDeArticolDialog::RecordText(size_t item, int column) const
{
    const PartnerLedgerRow& row = m_records[item];
    bool document = row.source == PartnerSourceDocument;
    QString date;
    switch (column) {
    case 0: return document ? (mode == ModeSupplier ? L"NIR" : L"FV") : L"CHIT";
    case 1: micro::utils::FormatUnixDate(row.date, date); return date;
    case 2: return QString::Formatted(L"%lld", row.number);
    case 3: return document ? Amount(row.amount) : QString(L" 0 ");
    case 4: return document ? QString(L" 0 ") : Amount(row.amount);
    case 5: return Amount(m_balances[item]);
    default: return QString();
    }
}

void MyFisaDeArticolDialog::FillArticle(const Period& period)
{
    double quantityIn = 0.0, quantityOut = 0.0;
    double valueBani = 0;
    ReadStockMovements(productId, period.start, period.end,
                       [&](const StockMovementRow& row) { m_movements.push_back(row); });
    // The partners' names in one query, not one each.
    std::set<unsigned long long> partners;
    for (const StockMovementRow& row : m_movements)
        if (!kArticleSources[row.source & 3].client)
            partners.insert(static_cast<unsigned long long>(row.partner));
    m_partnerNames = ReadClientNames(partners);
    for (size_t i = 0; i < m_movements.size(); ++i) {
        const StockMovementRow& row = m_movements[i];
        bool entry = IsStockEntry(row.source);
        (entry ? quantityIn : quantityOut) += row.quantity;
        valueBani += SignedValueBani(row);
        rows.AppendItem(i, static_cast<LPARAM>(row.documentId));
    }
    const wchar_t* separator[] = {L""};
    rows.AppendRow(separator, 1);
    QString in = QuantityText(quantityIn), out = QuantityText(quantityOut);
    QString value = Amount(valueBani / 100.0);
    const wchar_t* totals[] = {L"TOTAL", nullptr, nullptr, nullptr, in, out, nullptr, value};
    lastRowIndex = rows.AppendRow(totals, 8);
}

void MyFisaDeArticolDialog::FillPartner(const Period& period)
{
    PartnerKind kind = mode == ModeSupplier ? PartnerSupplier : PartnerClient;
    PartnerSums opening = SumPartnerLedger(kind, partnerId, 0, period.start - 1);
    double debit = opening.debit, credit = opening.credit, balance = opening.debit - opening.credit;
    // The opening line stands only over a partner that has records at all.
    if (SumPartnerLedger(kind, partnerId, 0, LLONG_MAX).count > 0) {
        QString start, openDebit = Amount(opening.debit), openCredit = Amount(opening.credit);
        QString openBalance = Amount(balance);
        micro::utils::FormatUnixDate(period.start, start);
        const wchar_t* cells[] = {L"Cumuli", start, L" - ", openDebit, openCredit, openBalance};
        rows.AppendRow(cells, 6);
    }
    ReadPartnerLedger(kind, partnerId, period.start, period.end, [&](const PartnerLedgerRow& row) {
        bool document = row.source == PartnerSourceDocument;
        (document ? debit : credit) += row.amount;
        balance += document ? row.amount : -row.amount;
        m_records.push_back(row);
        m_balances.push_back(balance);
        rows.AppendItem(m_records.size() - 1, static_cast<LPARAM>(row.id));
    });
    const wchar_t* separator[] = {L" "};
    rows.AppendRow(separator, 1);
    QString debitText = Amount(debit), creditText = Amount(credit), balanceText = Amount(balance);
    const wchar_t* totals[] = {L"Total ", nullptr, nullptr, debitText, creditText, balanceText};
    lastRowIndex = rows.AppendRow(totals, 6);
}

bool MyFisaDeArticolDialog::OnNotify(UINT id, NMHDR* header, LRESULT&)
{
    if (id == IDC_FISA_LISTA && rows.AnswerDisplayInfo(header))
        return true;
    if (id != IDC_FISA_LISTA || !header || header->code != NM_DBLCLK)
        return false;
    int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (row >= 0)
        OpenRow(row);
    return true;
}

void MyFisaDeArticolDialog::OpenRow(int row)
{
    uint64_t id = static_cast<uint64_t>(rows.Data(row));
    if (id == 0)
        return;
    QString type = rows.Text(row, mode == ModeArticle ? 1 : 0);
    for (const RowEditor& editor : kRowEditors) {
        if (editor.mode == mode && (!editor.type || type == editor.type)) {
            MyRepository& db = GetRepository();
            long long written = db.TotalChanges();
            OpenEditor(editor.kind, m_hwnd, editor.editorType, id);
            // The rows, and what they print, are the books as the editor left them.
            if (db.TotalChanges() != written) {
                CollectData();
                list.SelectItem(row);
            }
            return;
        }
    }
}
