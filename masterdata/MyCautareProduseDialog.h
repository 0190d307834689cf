#pragma once
#include "framework/qdialog/QDialog.h"

// The product picker (template 166). Mode 2 picks only: a double-click ends
// with 1 at once. OK reads the quantity edit into `quantity`.
class MyCautareProduseDialog : public micro::qdialog::QDialog {
public:
    explicit MyCautareProduseDialog(HWND parent);

    int mode = 0;
    unsigned long long selectedId = 0;
    double quantity = 0.0;
};
