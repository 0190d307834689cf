#pragma once
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "framework/utils/QArray.h"

// One row of the receipts list, read once and filtered as the user types.
struct IncasariRecord {
    unsigned long long id = 0;
    micro::utils::QString idText, serie, numar, facturi, client;
    double suma = 0;
    micro::utils::QString sumaStr, data, status, tip, agent;
    unsigned long long rezervat = 0;
};

// "Incasari": every receipt, narrowed by a search text on the field chosen
// in the combo; a double-click or "Incasare Noua" opens the receipt editor,
// and the list is read again when it stored something. Enter never closes it.
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

    micro::utils::QObArray<IncasariRecord> records;
    unsigned long long selectedId = 0;

private:
    void OpenReceipt(unsigned long long receiptId);
    const micro::utils::QString& SearchedField(const IncasariRecord& record, micro::utils::QString& amount) const;

    micro::gui::QEdit search;
    micro::gui::QListCtrl list;
    micro::gui::QCombo field;
};
