#pragma once
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "framework/utils/QArray.h"

// One line of the list of movements.
struct IntrariRecord {
    unsigned long long id = 0;
    micro::utils::QString idText, dateText, statusText, ftText, tvaText, ttiText, creatorText;
};

// The list of the general entries (kind 0) or exits (kind 1) from the start of
// the recent period on (later dates included): filtered as the user types, the
// selected movement's rows in the details pane, the editor opened for a new
// movement or a listed one.
class MyIntrariGeneraleDialog : public micro::qdialog::QDialog {
public:
    explicit MyIntrariGeneraleDialog(HWND parent);
    ~MyIntrariGeneraleDialog() override;

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnInitDialog() override;
    bool OnButton(UINT id) override;
    void OnOK() override;
    bool UpdateData(bool) override { return false; }

    micro::utils::QObArray<IntrariRecord> records;
    int kind = 0;
    unsigned long long selectedId = 0;
    bool detailsHidden = false;
    micro::gui::QListCtrl movementList;
    micro::gui::QListCtrl detailsList;
    micro::gui::QEdit searchEdit;
    micro::gui::QCombo searchField;

private:
    void InsertColumns();
    void InsertItemColumns();
    void LayoutControls();
    void LoadRecords();
    void FillList();
    void LoadItems();
    void ShowDetails();
    void HideDetails();
    // Runs the editor on the movement (0: a new one); reloads after a save.
    void OpenEditor(unsigned long long movementId);
    void Reload();
};
