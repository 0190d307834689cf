#pragma once
#include <windows.h>
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "printing/PrintHelpers.h"
#include "stock/ReportSupport.h"

// The stock of every product at the end of a picked day, valued at its
// purchase price, with a grand total; printable.
class MyStocArticoleDialog : public micro::qdialog::QDialog {
public:
    explicit MyStocArticoleDialog(HWND parent);
    ~MyStocArticoleDialog() override;

    bool OnInitDialog() override;
    bool OnButton(UINT id) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;

    void InsertColumns();
    // Empties and refills the list for the picked day.
    void FillStockList();
    bool PrintStockList();

    micro::gui::QListCtrl list;
    micro::gui::QCombo warehouses;
    PrintPageRange pages;
    stock_reports::CompanyHeading company;
    micro::utils::QString dateText;
    // The rows a print shows: the products and the empty row after them (the
    // index of "TOTAL"), or after a failed fill the rows that are there.
    int rowCount;

private:
    void CreateButtons();
    HICON m_icons[2];
};
