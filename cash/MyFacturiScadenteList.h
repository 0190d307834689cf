#pragma once
#include <vector>
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"

// "Facturi Nestinse": one partner's documents that still have something to
// pay, and a client's credits (return invoices) beside its invoices. A
// double-click on a row chooses it (result 1), but a credit only says it
// has nothing to collect; OK keeps the picker open, Cancel ends with 2.
// Invoices by default, goods-received notes in kind 1.
class MyFacturiScadenteList : public micro::qdialog::QDialog {
public:
    enum { KindInvoices = 0, KindGoodsReceived = 1 };

    explicit MyFacturiScadenteList(HWND parent);

    bool OnInitDialog() override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool UpdateData(bool toControls) override;
    void FillList();

    unsigned long long partnerId = 0;     // the documents' client column
    unsigned long long chosenId = 0;      // the chosen document's id
    unsigned long long chosenNumber = 0;  // and its number
    long long documentKind = KindInvoices;

private:
    micro::gui::QListCtrl list;
    std::vector<bool> credits;  // by row: a negative balance
};
