#pragma once
#include <vector>
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "printing/PrintHelpers.h"
#include "stock/ReportSupport.h"
#include "stock/StockMoveStore.h"

// The editor of one general entry (kind 0) or exit (kind 1): products picked
// through the product picker, quantities typed in place in the item list,
// saved as temporary, validated into stock, cancelled or printed. The caller
// sets kind and id (0: a new movement) and runs it modally; 1 means the
// movement was stored, 2 that nothing was.
class MyIntrariGeneraleDialogEdit : public micro::qdialog::QDialog {
public:
    explicit MyIntrariGeneraleDialogEdit(HWND parent);
    ~MyIntrariGeneraleDialogEdit() override;

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnInitDialog() override;
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;
    void OnOK() override;

    // The item list's columns.
    enum Column { ColNr, ColId, ColName, ColPrice, ColQuantity, ColUnit, ColCurrency, ColFT, ColTVA, ColTTI };

    int kind = 0;
    unsigned long long id = 0;
    long long date = 0;
    unsigned long long status = StockMoveNew;
    double totalFT = 0.0, totalTVA = 0.0, totalTTI = 0.0;
    unsigned long long number = 0;
    unsigned long long currentProductId = 0;
    int rowCount = 0;
    micro::gui::QListCtrl itemList;
    micro::gui::QEdit cellEditor;
    int editRow = 0, editColumn = 0;
    bool editing = false;
    // The cell lost the focus to a click with a quantity refused: that click
    // is not carried out, so nothing is written with the quantity kept.
    bool clickInterrupted = false;
    micro::gui::QDateTimeSelector datePicker;
    stock_reports::CompanyHeading company;
    micro::utils::QString printDate;
    PrintPageRange printPages = {1, 0, 0};

private:
    void InsertItemColumns();
    void LoadItems();
    void EnableControls();
    bool IsReadOnly() const;
    // A row of the product: name, unit price, unit, currency.
    void FillProductCells(int row, unsigned long long productId);
    void AddItem();
    void ModifyItem();
    void DeleteItem();
    void BeginCellEdit(int row, int column);
    // False when the typed quantity was refused.
    bool CommitCellEdit();
    void RecomputeRow(int row);
    // Only the totals: the date picker keeps what the user chose.
    void RecomputeTotals();
    void ShowTotals();
    void Renumber();
    std::vector<StockMoveRow> CollectRows() const;
    StockMoveHeader Header() const;
    // Shows the refusal of a save or validation and selects its line; false
    // when nothing was refused.
    bool ShowRefusal(const StockMoveRefusal& refusal);
    void SaveTemporary();
    void Cancel();
    void Validate();
    void Print();
    // The price and quantity each row was read or picked with: the cells show
    // them rounded (a price to bani, a quantity to thousandths), and a row
    // whose cell still shows its value saves it whole.
    struct ExactValues {
        double price, quantity;
    };
    std::vector<ExactValues> m_exact;
    double CellValue(int row, int column, double exact) const;

    // Shows a database failure of a write ("Message"); the editor stays open.
    void ShowWriteError(const micro::utils::QString& text);
};

// Prints the movement as the editor holds it (list cells, number, date text,
// company lines).
bool PrintStockMove(MyIntrariGeneraleDialogEdit& editor);
