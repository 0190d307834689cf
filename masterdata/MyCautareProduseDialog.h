#pragma once
#include "masterdata/MyPickerDialog.h"

// The product picker (template 166). Mode 2 picks only: a double-click ends
// with 1 at once. OK reads the quantity edit into `quantity`.
class MyCautareProduseDialog : public MyPickerDialog {
public:
    explicit MyCautareProduseDialog(HWND parent);

    int mode = 0;
    unsigned long long selectedId = 0;
    double quantity = 0.0;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    std::vector<Column> Columns() const override;
    micro::utils::QString ListQuery() const override;
    void OnRowActivated(unsigned long long id) override;

private:
    void FocusQuantity();
};
