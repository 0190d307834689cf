#pragma once
#include "masterdata/MyPickerDialog.h"

// The agent and delegate picker. A run that ends with 1 leaves the chosen id.
class MyCautareAgentiDialog : public MyPickerDialog {
public:
    explicit MyCautareAgentiDialog(HWND parent);

    unsigned long long selectedId = 0;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    std::vector<Column> Columns() const override;
    micro::utils::QString ListQuery() const override;
    void OnRowActivated(unsigned long long id) override;
};
