#pragma once
#include "framework/qdialog/QDialog.h"

// Shown on the first run, before anything is created: "Continue >>" (IDOK)
// goes on to create the company's data, "Exit" (IDCANCEL) ends the program.
class MyWelcomeDialog : public micro::qdialog::QDialog {
public:
    explicit MyWelcomeDialog(HWND parent);
    bool OnInitDialog() override;
};
