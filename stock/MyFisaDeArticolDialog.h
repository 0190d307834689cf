#pragma once
#include <windows.h>
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "printing/PrintHelpers.h"
#include "stock/ReportSupport.h"

// The ledger of one product (mode 0), client (1) or supplier (2) over a
// period; a double-click opens the record behind a row; printable.
class MyFisaDeArticolDialog : public micro::qdialog::QDialog {
public:
    enum Mode { ModeArticle = 0, ModeClient = 1, ModeSupplier = 2 };

    explicit MyFisaDeArticolDialog(HWND parent);

    bool OnInitDialog() override;
    bool OnButton(UINT id) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;

    void InsertColumns();
    void CollectData();
    bool PrintArticleSheet();
    bool PrintPartnerSheet();

    unsigned long long mode;
    unsigned long long productId;
    unsigned long long partnerId;  // a Clienti id in both partner modes
    micro::utils::QString chosenName;
    stock_reports::CompanyHeading company;
    micro::utils::QString periodStartText, periodEndText;
    // The last row a print shows: the closing total row, or after a failed
    // fill the last row there is.
    int lastRowIndex;
    PrintPageRange pages;
    micro::gui::QListCtrl list;

private:
    bool Choose();
    void FillArticle(const stock_reports::Period& period);
    void FillPartner(const stock_reports::Period& period);
    void OpenRow(int row);
};
