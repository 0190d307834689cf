#pragma once
#include "masterdata/MyPickerDialog.h"

// The partner picker (template 165): clients (table 0) or suppliers (table 1,
// caption "Cautare Furnizori"). A run that ends with 1 leaves the chosen id.
class MyCautareClientiDialog : public MyPickerDialog {
public:
    explicit MyCautareClientiDialog(HWND parent);

    int table = 0;                        // 0 Clienti, 1 Furnizori
    int editFlag = 0;                     // 0: picker
    unsigned long long selectedId = 0;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    std::vector<Column> Columns() const override;
    micro::utils::QString ListQuery() const override;
    void OnRowActivated(unsigned long long id) override;
};
