#pragma once
#include "framework/qdialog/QDialog.h"

// The agent and delegate picker. A run that ends with 1 leaves the chosen id.
class MyCautareAgentiDialog : public micro::qdialog::QDialog {
public:
    explicit MyCautareAgentiDialog(HWND parent);

    unsigned long long selectedId = 0;
};
