#pragma once
#include "framework/qdialog/QDialog.h"

// The partner picker (template 165): clients (table 0) or suppliers (table 1,
// caption "Cautare Furnizori"). A run that ends with 1 leaves the chosen id.
class MyCautareClientiDialog : public micro::qdialog::QDialog {
public:
    explicit MyCautareClientiDialog(HWND parent);

    int table = 0;                        // 0 Clienti, 1 Furnizori
    int editFlag = 0;                     // 0: picker
    unsigned long long selectedId = 0;
};
