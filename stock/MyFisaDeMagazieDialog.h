#pragma once
#include <windows.h>
#include <vector>
#include "database/StockRule.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "printing/PrintHelpers.h"
#include "stock/ReportSupport.h"

// The warehouse card of one product over a period: the opening stock, then
// every movement with the running stock; printable.
class MyFisaDeMagazieDialog : public micro::qdialog::QDialog {
public:
    explicit MyFisaDeMagazieDialog(HWND parent);

    bool OnInitDialog() override;
    bool OnButton(UINT id) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;

    void InsertColumns();
    void CollectData();
    bool PrintSheet();

    unsigned long long productId;
    stock_reports::CompanyHeading company;
    micro::utils::QString productExtendedName, productUnit;
    double productPrice;
    // List rows of the last fill, opening row included.
    int rowCount;
    PrintPageRange pages;
    micro::gui::QListCtrl list;
    stock_reports::ReportRows rows;

private:
    micro::utils::QString MovementText(size_t item, int column) const;

    // The movements of the last fill and the stock after each.
    std::vector<StockMovementRow> m_movements;
    std::vector<double> m_stocks;
};
