#include "stock/MyFisaDeMagazieDialog.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "framework/gui/QGraphics.h"
#include "masterdata/MyCautareProduseDialog.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include <commctrl.h>

using micro::utils::QString;
using namespace stock_reports;

namespace {

const ListColumn kColumns[] = {
    {L"Data", 80, LVCFMT_CENTER},     {L"Tip", 40, LVCFMT_CENTER},     {L"Nr.Doc", 60, LVCFMT_CENTER},
    {L"Intrari", 100, LVCFMT_CENTER}, {L"Iesiri", 100, LVCFMT_CENTER}, {L"Stoc", 100, LVCFMT_CENTER},
};

const wchar_t* const kTypes[] = {L"FV", L"NIR", L"IG", L"EG"};

} // namespace

MyFisaDeMagazieDialog::MyFisaDeMagazieDialog(HWND parent)
    : QDialog(IDD_FISA_MAGAZIE, parent), productId(0), productPrice(0.0), rowCount(0), pages{1, 0, 0},
      rows(list, [this](size_t item, int column) { return MovementText(item, column); })
{
}

bool MyFisaDeMagazieDialog::OnInitDialog()
{
    SetDayMonthYear(m_hwnd, {IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA});
    InsertColumns();
    company.Load();
    QDialog::OnInitDialog();
    return true;
}

void MyFisaDeMagazieDialog::InsertColumns()
{
    SetUpList(list, m_hwnd, IDC_MAGAZIE_LISTA, kColumns);
}

bool MyFisaDeMagazieDialog::OnButton(UINT id)
{
    switch (id) {
    case IDC_MAGAZIE_SELECTEAZA: {
        MyCautareProduseDialog picker(m_hwnd);
        picker.mode = 2;
        if (picker.DoModal() != 1)
            return false;
        productId = picker.selectedId;
        QString name;
        GetProductTextField(name, productId, 1);
        SetItemText(IDC_MAGAZIE_NUME, name);
        return true;
    }
    case IDC_MAGAZIE_COLECTEAZA:
        if (productId == 0) {
            micro::qdialog::ShowMessageBox(m_hwnd, L"Selectati un produs ", L"Atentie", MB_ICONINFORMATION);
            return false;
        }
        CollectData();
        return true;
    case IDC_MAGAZIE_TIPARIRE:
        PrintSheet();
        return true;
    default:
        QDialog::OnButton(id);
        return true;
    }
}

void MyFisaDeMagazieDialog::CollectData()
{
    micro::gui::QWaitCursor wait;
    rows.Clear();
    m_movements.clear();
    m_stocks.clear();
    Period period = ReadPeriod(m_hwnd, IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA);
    try {
        // The opening takes everything before the period's first second, the
        // rows the period itself, so no movement is counted twice.
        StockSums opening = SumStockMovements(productId, 0, period.start - 1);
        double stock = opening.Stock();
        QString date = LedgerDate(period.start), in = QuantityText(opening.in), out = QuantityText(opening.out);
        QString stockText = QuantityText(stock);
        const wchar_t* first[] = {date, L"", L"", in, out, stockText};
        rows.AppendRow(first, 6);
        ReadStockMovements(productId, period.start, period.end, [&](const StockMovementRow& row) {
            stock += IsStockEntry(row.source) ? row.quantity : -row.quantity;
            m_movements.push_back(row);
            m_stocks.push_back(stock);
            rows.AppendItem(m_movements.size() - 1, static_cast<LPARAM>(row.number));
        });
    } catch (const micro::qsql::QSqlError& error) {
        rows.Show();
        ShowFillError(m_hwnd, error);
    }
    rows.Show();
    rowCount = rows.Count();
}

QString MyFisaDeMagazieDialog::MovementText(size_t item, int column) const
{
    const StockMovementRow& row = m_movements[item];
    bool entry = IsStockEntry(row.source);
    switch (column) {
    case 0: return LedgerDate(row.date);
    case 1: return kTypes[row.source & 3];
    case 2: return QString::Formatted(L"%lld", row.number);
    case 3: return entry ? QuantityText(row.quantity) : QString(L"0");
    case 4: return entry ? QString(L"0") : QuantityText(row.quantity);
    case 5: return QuantityText(m_stocks[item]);
    default: return QString();
    }
}

bool MyFisaDeMagazieDialog::OnNotify(UINT id, NMHDR* header, LRESULT&)
{
    return id == IDC_MAGAZIE_LISTA && rows.AnswerDisplayInfo(header);
}
