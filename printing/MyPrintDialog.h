#pragma once
#include "framework/qdialog/QDialog.h"
#include "framework/utils/QString.h"
#include "printing/preview/MyPrewiev.h"

// The modal dialog "Tiparire": the preview of one document, its layout and
// page background, the company logo, printing and saving as PDF. The caller
// sets the document id and type before running it (document 2 of type 0
// when it sets nothing).
class MyPrintDialog : public micro::qdialog::QDialog {
public:
    explicit MyPrintDialog(HWND parent);
    ~MyPrintDialog() override;

    void SetDocument(unsigned long long id, long long type)
    {
        documentId = id;
        documentType = type;
    }
    unsigned long long GetDocumentId() const { return documentId; }
    long long GetDocumentType() const { return documentType; }
    int GetLayout() const { return layout; }
    MyPrewiev& GetPreview() { return preview; }

    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    bool OnDestroy(LRESULT& result) override;
    bool OnInitDialog() override;
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;

    // Puts the program's icon (140) on the dialog's title bar; answers
    // whether the window had an icon before.
    static bool SetDialogIcon(HWND dialog);

    micro::utils::QString textNir;   // set by the document editor; not shown here

private:
    void Print();
    void SavePdf();
    void ShowWhatIsStored();
    void ChooseLayout(int number);
    bool ChooseCompanyBackground();
    void AddBackground();
    void SetButtonPicture(int buttonId, const void* bytes, int count, int sizeButtonId);
    void SetButtonResource(int buttonId, UINT pictureId, int sizeButtonId);
    void Repaint();

    MyPrewiev preview;
    unsigned long long documentId;
    long long documentType;
    int layout;
};
