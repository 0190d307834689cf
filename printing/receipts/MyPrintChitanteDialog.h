#pragma once
#include "framework/qdialog/QDialog.h"
#include "framework/utils/QBuffer.h"
#include "printing/receipts/ChitantaTexts.h"
#include "printing/receipts/MyChitantePrewiev.h"

// The modal dialog "Tiparire" in which a receipt is previewed, printed or
// saved as PDF. The caller sets the receipt's texts and the client's id and
// runs it; the dialog reads the company, the client and the series itself.
// The texts are the ChitantaTexts base.
class MyPrintChitanteDialog : public micro::qdialog::QDialog, public ChitantaTexts {
public:
    explicit MyPrintChitanteDialog(HWND parent);
    ~MyPrintChitanteDialog() override;

    // The amount as "%.2f" and in words.
    void SetAmount(double amount);
    // The paid documents' numbers and their own series (a receipt names
    // what it was made over, whatever the numbering settings say now).
    void SetFacturiText(const wchar_t* text, const wchar_t* series)
    {
        facturi = text;
        serieFacturi = series;
    }
    void SetReceiptNumberText(const wchar_t* text) { numar = text; }
    // The receipt's own series; without one the numbering settings' series
    // is shown (a receipt not stored yet takes that one).
    void SetReceiptSeriesText(const wchar_t* text) { serieChit = text; }
    void SetDateText(const wchar_t* text) { data = text; }
    micro::utils::QString GetAmountInWords() const { return sumaInLitere; }

    bool OnInitDialog() override;
    bool OnButton(UINT id) override;
    bool OnDestroy(LRESULT& result) override;

    MyChitantePrewiev* GetPreview() const { return preview; }

    MyChitantePrewiev* preview;   // owned; made by the initialisation
    int model;                    // ChitantaModel, 1 until a thumbnail is pressed
    micro::utils::QBuffer logo;
    micro::utils::QBuffer stampila;
    unsigned long long clientId;  // set by the caller; 0: no client

private:
    void PlacePreview();
    void SetThumbnails();
    void ReadCompany();
    void ReadClient();
    void ReadSeries();
    void HandDataToPreview();
    void ChooseModel(int chosen);
    void Print();
    void SavePdf();
};
