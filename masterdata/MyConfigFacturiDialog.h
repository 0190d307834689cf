#pragma once
#include "framework/qdialog/QDialog.h"

// The document-numbering settings (ConfigFacturi row 1). OK stores and ends with 1.
class MyConfigFacturiDialog : public micro::qdialog::QDialog {
public:
    MyConfigFacturiDialog();
};
