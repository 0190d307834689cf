#pragma once
#include "framework/qdialog/QDialog.h"

// Confirms, or changes, the number and series of a receipt about to be made
// from an invoice. OK stores them as the receipt counter and series of the
// numbering settings and ends with 1; Cancel writes nothing and ends with 2.
class MyCreareChitantaFacturiDialog : public micro::qdialog::QDialog {
public:
    explicit MyCreareChitantaFacturiDialog(HWND parent);

    // The texts shown when the dialog opens.
    void SetReceiptNumberAndSeries(const wchar_t* number, const wchar_t* series);
    // The texts as they were when the dialog closed.
    void GetReceiptNumberAndSeries(micro::utils::QString& number, micro::utils::QString& series) const;

    bool OnInitDialog() override;
    void OnOK() override;

    micro::utils::QString numar = L"0";
    micro::utils::QString serie = L"SRT";
};
