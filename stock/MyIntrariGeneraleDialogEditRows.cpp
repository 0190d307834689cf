// The stock-movement editor's rows: loading, picking, in-place quantities,
// arithmetic and totals. The list's cells are the working copy of the rows.
#include "stock/MyIntrariGeneraleDialogEdit.h"
#include <cwchar>
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "masterdata/MasterDataDialogs.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include "stock/ReportSupport.h"
#include "stock/StockRowValues.h"

using micro::qsql::QsqlQuery;
using micro::qsql::SqlFormat;
using micro::utils::QString;

namespace {

const stock_reports::ListColumn kColumns[] = {
    {L"NR", 30, LVCFMT_CENTER},        {L"ID", 30, LVCFMT_LEFT},          {L"Denumire", 150, LVCFMT_LEFT},
    {L"Pret Unitar", 80, LVCFMT_LEFT}, {L"Cantitate", 70, LVCFMT_CENTER}, {L"UM", 40, LVCFMT_LEFT},
    {L"Moneda", 80, LVCFMT_LEFT},      {L"Valoare FT", 100, LVCFMT_LEFT}, {L"Valoare TVA", 100, LVCFMT_LEFT},
    {L"Valoare TTI", 100, LVCFMT_LEFT},
};

double CellNumber(const micro::gui::QListCtrl& list, int row, int column)
{
    return StoredNumber(list.GetItemText(row, column).c_str());
}

// The price a newly chosen product brings: its last purchase price, else its
// purchase price.
double PickedPrice(unsigned long long productId)
{
    double last = GetProductNumField(productId, 8);
    return last != 0 ? last : GetProductNumField(productId, 4);
}

} // namespace

void MyIntrariGeneraleDialogEdit::InsertItemColumns()
{
    stock_reports::InsertColumns(itemList, kColumns);
}

void MyIntrariGeneraleDialogEdit::LoadItems()
{
    const StockMoveKind& k = StockMoveKindOf(kind);
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id, produsID, cantitate, IDIntrare, pret from %s where IDIntrare = %llu order by id",
                  k.itemTable, number)
            .c_str());
    for (; !q.Eof(); q.NextRow()) {
        StockRowCells row = StoredRowCells(rowCount, q.GetIdField(1), q.GetFloatField(4, 0.0), q.GetFloatField(2, 0.0));
        m_exact.push_back(ExactValues{q.GetFloatField(4, 0.0), q.GetFloatField(2, 0.0)});
        itemList.InsertItem(rowCount, row.cells[0]);
        for (int c = 1; c < 10; ++c)
            itemList.SetItemText(rowCount, c, row.cells[c]);
        ++rowCount;
    }
    RecomputeTotals();
    UpdateData(true);
}

void MyIntrariGeneraleDialogEdit::FillProductCells(int row, unsigned long long productId)
{
    QString text;
    itemList.SetItemText(row, ColId, QString::Formatted(L"%llu", productId));
    GetProductTextField(text, productId, 1);
    itemList.SetItemText(row, ColName, text);
    itemList.SetItemText(row, ColPrice, QString::Formatted(L"%.2f", PickedPrice(productId)));
    GetProductTextField(text, productId, 6);
    itemList.SetItemText(row, ColUnit, text);
    itemList.SetItemText(row, ColCurrency, GetCurrencyName(GetProductIntField(productId, 1)));
}

void MyIntrariGeneraleDialogEdit::AddItem()
{
    MyCautareProduseDialog picker(m_hwnd);
    picker.mode = 2;
    if (picker.DoModal() != IDOK || picker.selectedId == 0)
        return;
    int row = rowCount;
    currentProductId = picker.selectedId;
    itemList.InsertItem(row, QString::Formatted(L"%d", row + 1));
    FillProductCells(row, currentProductId);
    itemList.SetItemText(row, ColQuantity, L"");
    m_exact.push_back(ExactValues{PickedPrice(currentProductId), picker.quantity});
    for (int c : {ColFT, ColTVA, ColTTI})
        itemList.SetItemText(row, c, L"0");
    ++rowCount;
    itemList.SelectItem(row);
    // A quantity typed in the picker comes with the line; without one it is asked for here.
    if (picker.quantity != 0.0) {
        itemList.SetItemText(row, ColQuantity, QuantityText(picker.quantity));
        RecomputeRow(row);
        return;
    }
    editRow = row;
    editColumn = ColQuantity;
    editing = true;
    BeginCellEdit(row, ColQuantity);
}

void MyIntrariGeneraleDialogEdit::ModifyItem()
{
    int row = itemList.GetSelectedItem();
    if (row < 0 || row >= rowCount)
        return;
    MyCautareProduseDialog picker(m_hwnd);
    picker.mode = 2;
    if (picker.DoModal() != IDOK || picker.selectedId == 0)
        return;
    currentProductId = picker.selectedId;
    FillProductCells(row, currentProductId);
    itemList.SetItemText(row, ColQuantity, QuantityText(picker.quantity));
    m_exact[row] = ExactValues{PickedPrice(currentProductId), picker.quantity};
    RecomputeRow(row);
}

// The database is left alone: the rows are written at "Temporar" or at the
// validation, with everything else of the movement.
void MyIntrariGeneraleDialogEdit::DeleteItem()
{
    int row = itemList.GetSelectedItem();
    if (row < 0 || row >= rowCount)
        return;
    itemList.DeleteItem(row);
    m_exact.erase(m_exact.begin() + row);
    --rowCount;
    Renumber();
    RecomputeTotals();
}

void MyIntrariGeneraleDialogEdit::Renumber()
{
    for (int row = 0; row < rowCount; ++row)
        itemList.SetItemText(row, ColNr, QString::Formatted(L"%d", row + 1));
}

void MyIntrariGeneraleDialogEdit::BeginCellEdit(int row, int column)
{
    clickInterrupted = false;
    if (column != ColQuantity || IsReadOnly())
        return;
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    if (!itemList.SendMessage(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell)))
        return;
    MapWindowPoints(itemList, m_hwnd, reinterpret_cast<POINT*>(&cell), 2);
    itemList.Enable(false);
    SetWindowPos(cellEditor, HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                 SWP_SHOWWINDOW);
    cellEditor.SetText(itemList.GetItemText(row, column));
    itemList.SelectItem(row);
    SetFocus(cellEditor);
    cellEditor.SetSelection(0, -1);
}

bool MyIntrariGeneraleDialogEdit::CommitCellEdit()
{
    if (!editing)
        return true;
    // Cleared first: hiding the editor moves the focus and comes back here.
    editing = false;
    QString text = cellEditor.GetText();
    double quantity = 0.0;
    bool taken = true;
    if (!text.IsEmpty() && editRow >= 0 && editRow < rowCount) {
        cellEditor.SetText(L"");
        // The cell keeps the quantity it had when the text is no number, or
        // is the cell's own text ("1.234") left as it was: that was not typed.
        bool asShown = text == itemList.GetItemText(editRow, editColumn);
        taken = asShown || ParseQuantity(text.c_str(), quantity);
        if (taken && !asShown) {
            // Kept whole, as the values computed from it are; the cell shows
            // it as every quantity shows, so the row reads it back whole.
            m_exact[editRow].quantity = quantity;
            itemList.SetItemText(editRow, editColumn, QuantityText(quantity));
            RecomputeRow(editRow);
        } else if (!taken) {
            MessageBox(NumberRefusal(NumberField::Quantity, text.c_str()), L"Atentie", MB_ICONEXCLAMATION);
        }
    }
    cellEditor.Show(SW_HIDE);
    itemList.Enable(true);
    SetFocus(GetItem(IDC_IGE_ADAUGA));
    return taken;
}

void MyIntrariGeneraleDialogEdit::RecomputeRow(int row)
{
    // The figures the line will store, not their display.
    double quantity = CellValue(row, ColQuantity, m_exact[row].quantity);
    double price = CellValue(row, ColPrice, m_exact[row].price);
    unsigned long long product = wcstoull(itemList.GetItemText(row, ColId).c_str(), nullptr, 10);
    StockRowValues v = ComputeStockRow(price, quantity, GetProductIntField(product, 3));
    itemList.SetItemText(row, ColQuantity, QuantityText(quantity));
    itemList.SetItemText(row, ColFT, QString::Formatted(L"%.2f", v.ft));
    itemList.SetItemText(row, ColTVA, QString::Formatted(L"%.2f", v.tva));
    itemList.SetItemText(row, ColTTI, QString::Formatted(L"%.2f", v.tti));
    RecomputeTotals();
}

void MyIntrariGeneraleDialogEdit::RecomputeTotals()
{
    totalFT = totalTVA = totalTTI = 0.0;
    for (int row = 0; row < rowCount; ++row) {
        totalFT += CellNumber(itemList, row, ColFT);
        totalTVA += CellNumber(itemList, row, ColTVA);
        totalTTI += CellNumber(itemList, row, ColTTI);
    }
    ShowTotals();
}

double MyIntrariGeneraleDialogEdit::CellValue(int row, int column, double exact) const
{
    QString text = itemList.GetItemText(row, column);
    QString shown = column == ColQuantity ? QuantityText(exact) : QString::Formatted(L"%.2f", exact);
    return text == shown ? exact : StoredNumber(text.c_str());
}

std::vector<StockMoveRow> MyIntrariGeneraleDialogEdit::CollectRows() const
{
    std::vector<StockMoveRow> rows;
    for (int row = 0; row < rowCount; ++row) {
        StockMoveRow r;
        r.productId = wcstoull(itemList.GetItemText(row, ColId).c_str(), nullptr, 10);
        r.price = CellValue(row, ColPrice, m_exact[row].price);
        r.quantity = CellValue(row, ColQuantity, m_exact[row].quantity);
        r.ft = CellNumber(itemList, row, ColFT);
        r.tva = CellNumber(itemList, row, ColTVA);
        r.tti = CellNumber(itemList, row, ColTTI);
        rows.push_back(r);
    }
    return rows;
}

bool MyIntrariGeneraleDialogEdit::OnNotify(UINT control, NMHDR* header, LRESULT& result)
{
    if (control != IDC_IGE_LISTA || (header->code != NM_CLICK && header->code != NM_DBLCLK))
        return QDialog::OnNotify(control, header, result);
    const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem < 0 || click->iItem >= rowCount || IsReadOnly())
        return true;
    editRow = click->iItem;
    editColumn = click->iSubItem;
    itemList.SelectItem(editRow);
    editing = true;
    BeginCellEdit(editRow, editColumn);
    if (header->code == NM_DBLCLK)
        ModifyItem();
    return true;
}
