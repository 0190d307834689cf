#pragma once
#include "documents/DocumentRowList.h"
#include "framework/gui/QPanel.h"

namespace micro {
namespace gui {
class QTabContainer;
}
} // namespace micro

// A tab of the main window listing every stored document of one type
// (0 invoices, 1 proformas, 2 delivery notes, 3 goods-received notes).
// A double-click opens the document in the editor; a right-click asks the main
// window for the print tab of the document.
class MyFacturiPanel : public micro::gui::QPanel {
public:
    explicit MyFacturiPanel(long long type = 0);
    ~MyFacturiPanel() override;

    // The panel window, then its list (full columns and every row).
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD style) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    micro::utils::QString GetTitle() override;

    void InsertColumns();
    // Appends a row per header of the type, in storage order; false after a
    // failure (a database error is shown, the rows read so far stay).
    bool FillList();
    // Reads every row again (after a document of the type was saved elsewhere).
    void Reload();

    long long tip;
    DocumentRowList lista;

private:
    bool OpenDocument(int row);
    void RequestPrintTab(int row);
    void ReadRows();
};

// Reads again every document list tab of tabs (may be null) that lists the
// type (return invoices are listed among the invoices).
void ReloadDocumentTabs(micro::gui::QTabContainer* tabs, int type);
