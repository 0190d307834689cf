#pragma once
#include "documents/FacturiRecord.h"
#include "documents/FacturiRecordList.h"
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"

class MyFacturiDialog;

// The modal search window for the documents of one type (`tip` 0 invoices,
// 1 proformas, 2 delivery notes, 3 goods-received notes). It lists every
// header with a live text filter, shows the lines of the document last chosen,
// and opens the editor for a new document, the selected one or a copy of it,
// and the print dialog for the selected one. After the editor stored anything,
// however it was closed, the rows it touched are read again one by one rather
// than the whole table (except after OK, which reloads everything).
class MyCautareFacturiDialog : public micro::qdialog::QDialog {
public:
    explicit MyCautareFacturiDialog(HWND parent);
    ~MyCautareFacturiDialog() override;

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnInitDialog() override;
    // From the controls (the OK command): opens the selected document; true
    // (the picker closes) when it was saved.
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;

    void CreateButtons();
    // The article list hidden, the document list at full height.
    void ApplyCompactLayout();
    void InsertListColumns();
    void InsertArticleColumns();
    // Appends a record per header of the type, in storage order.
    void LoadDocuments();
    // Rebuilds the rows from the records the search text lets through and
    // selects the last one.
    void FilterList();
    // Appends the lines of document `idSelectat` to the article list.
    void LoadArticles();

    FacturiRecordArray inregistrari;
    unsigned long long idEditat = 0;
    int randSelectat = 0;
    micro::gui::QCombo comboCautare;
    FacturiRecordList listaDocumente;
    micro::gui::QListCtrl listaArticole;
    micro::gui::QEdit editCautare;
    int tip = 0;
    int nrRanduri = 0;
    unsigned long long idSelectat = 0;
    bool articoleAscunse = true;

private:
    bool OnDocumentListNotify(NMHDR* header);
    bool EditFromDoubleClick(int row);
    bool NewDocument();
    bool DuplicateDocument();
    bool PrintDocument();
    void ToggleDetails();
    // Validation of the selected document (MyCautareFacturiDialogValidate.cpp).
    bool ValidateDocument();
    bool HasStockForLines(unsigned long long documentId);

    bool RecordMatches(FacturiRecord& record, int field, const micro::utils::QString& text) const;
    // After an editor run, however it ended (a command may have saved and left
    // it open): when it stored anything, the opened document's row and the
    // saved document's, when it is of this list, are read again from the table
    // (a saved one not listed yet is appended), and a reversing invoice it
    // made is appended. openedId is 0 for a new document or a copy. Answers
    // whether anything was stored.
    bool BringInStep(const MyFacturiDialog& editor, unsigned long long openedId);
    // The stored header of the listed type into its record (its row redrawn),
    // or appended as a new row; nothing when it is not stored.
    void ReadDocumentAgain(unsigned long long documentId);
    // Appends the record (the picker takes it) and its row, and selects it.
    void AppendRecordRow(FacturiRecord* record);
    // Appends the reversing invoice the editor created, read back from its table.
    void AppendStornoInvoice(unsigned long long stornoId);
    FacturiRecord* FindRecord(unsigned long long documentId) const;
    // Focuses the list and selects the row of the document; with the document
    // filtered out of the rows nothing stays selected.
    void SelectDocumentRow(unsigned long long documentId);
    void ShowSelectionRefusal();
    void ReloadArticles();

    // The lines of the selected document are not yet in the hidden article list.
    bool articoleNeactualizate = false;
    HICON m_icons[5] = {};
};
