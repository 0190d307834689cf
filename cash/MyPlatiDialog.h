#pragma once
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "cash/CashLists.h"

// The payments from the start of the numbering settings' period on, with
// a search on one field as the user types; a double click or "Plata Noua"
// opens the payment editor, and the list is read again when it closes.
class MyPlatiDialog : public micro::qdialog::QDialog {
public:
    explicit MyPlatiDialog(HWND parent);

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnInitDialog() override;
    // From the controls: keeps the selected row's id and answers false, so
    // Enter never closes the list.
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;

    void LoadRecords();
    void FillList();

    // The start of the listed period: the end of today (23:59, clock read
    // with no time-zone conversion) less the period in days. The period has
    // no end: payments dated later are listed as well.
    static long long PeriodStart(long long periodDays);

    micro::utils::QObArray<CashRecord> records;
    unsigned long long selectedId = 0;
    micro::gui::QEdit editCautare;
    micro::gui::QListCtrl lista;
    micro::gui::QCombo comboCamp;

private:
    void OpenEditor(unsigned long long paymentId);
    void Reload();
};
