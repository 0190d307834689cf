#pragma once
#include "framework/qdialog/QDialog.h"

// The document-numbering settings (ConfigFacturi row 1): the series and the
// last numbers used. OK checks and stores them and ends with 1; Cancel stores
// nothing.
class MyConfigFacturiDialog : public micro::qdialog::QDialog {
public:
    MyConfigFacturiDialog();

    bool OnInitDialog() override;
    void OnOK() override;

private:
    void Load();
    // The checked numbers, in the order of the edits.
    bool Store(const unsigned long long* numbers);
};
