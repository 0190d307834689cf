#pragma once
#include <windows.h>
#include <vector>
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
    stock_reports::ReportRows rows;

private:
    // A product's row of the last fill.
    struct Item {
        unsigned long long id;
        micro::utils::QString name, unit;
        double stock, price, value;
    };
    micro::utils::QString ItemText(size_t item, int column) const;
    void CreateButtons();
    std::vector<Item> m_items;
    HICON m_icons[2];
};
