#pragma once
#include <windows.h>
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
};
