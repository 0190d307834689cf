#include "stock/MyFisaDeMagazieDialog.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "framework/gui/QGraphics.h"
#include "masterdata/MyCautareProduseDialog.h"
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
    : QDialog(IDD_FISA_MAGAZIE, parent), productId(0), productPrice(0.0), rowCount(0), pages{1, 0, 0}
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
    ListFill fill(list);
    list.DeleteAllItems();
    Period period = ReadPeriod(m_hwnd, IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA);
    try {
        // The opening takes everything before the period's first second, the
        // rows the period itself, so no movement is counted twice.
        StockSums opening = SumStockMovements(productId, 0, period.start - 1);
        double stock = opening.Stock();
        QString date = LedgerDate(period.start), in = Amount(opening.in), out = Amount(opening.out);
        QString stockText = Amount(stock);
        const wchar_t* first[] = {date, L"", L"", in, out, stockText};
        AppendRow(list, first, 6);
        ReadStockMovements(productId, period.start, period.end, [&](const StockMovementRow& row) {
            bool entry = IsStockEntry(row.source);
            stock += entry ? row.quantity : -row.quantity;
            QString when = LedgerDate(row.date), number = QString::Formatted(L"%lld", row.number);
            QString quantity = Amount(row.quantity), running = Amount(stock);
            const wchar_t* cells[] = {when, kTypes[row.source & 3], number, entry ? quantity.c_str() : L"0",
                                      entry ? L"0" : quantity.c_str(), running};
            AppendRow(list, cells, 6, static_cast<LPARAM>(row.number));
        });
    } catch (const micro::qsql::QSqlError& error) {
        ShowFillError(m_hwnd, error);
    }
    rowCount = list.GetItemCount();
}
