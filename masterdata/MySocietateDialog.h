#pragma once
#include "framework/qdialog/QDialog.h"

// The company-data dialog (template 168 "Informatii Societate"). Answers 1
// when the user saved the company data.
class MySocietateDialog : public micro::qdialog::QDialog {
public:
    explicit MySocietateDialog(HWND parent);
};
