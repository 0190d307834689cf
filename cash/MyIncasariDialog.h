#pragma once
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "cash/CashLists.h"

// "Incasari": every receipt, narrowed by a search text on the field chosen
// in the combo; a double-click or "Incasare Noua" opens the receipt editor,
// and the list is read again whenever the editor closes. Enter never closes it.
class MyIncasariDialog : public micro::qdialog::QDialog {
public:
    explicit MyIncasariDialog(HWND parent);

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnInitDialog() override;
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;

    void LoadRecords();
    void FillList();

    micro::utils::QObArray<CashRecord> records; // read once, filtered as the user types
    unsigned long long selectedId = 0;

private:
    void OpenReceipt(unsigned long long receiptId);

    micro::gui::QEdit search;
    micro::gui::QListCtrl list;
    micro::gui::QCombo field;
};
