#pragma once
#include "framework/qdialog/QDialog.h"

// Confirms, or changes, the number and series of a receipt about to be made
// from an invoice. OK ends with 1 and hands both back; the caller writes them
// as the receipt counter and series in the same transaction as the receipt.
// Nothing here writes to the database; Cancel ends with 2.
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
