#pragma once
#include <windows.h>
#include <map>
#include <vector>
#include "database/StockRule.h"
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
    stock_reports::ReportRows rows;

private:
    micro::utils::QString MovementText(size_t item, int column);
    micro::utils::QString RecordText(size_t item, int column) const;
    bool Choose();
    void FillArticle(const stock_reports::Period& period);
    void FillPartner(const stock_reports::Period& period);
    void OpenRow(int row);

    // What the rows of the last fill show: the product's movements and their
    // partners' names, or the partner's records with the balance after each.
    std::vector<StockMovementRow> m_movements;
    std::map<unsigned long long, micro::utils::QString> m_partnerNames;
    std::vector<PartnerLedgerRow> m_records;
    std::vector<double> m_balances;
};
