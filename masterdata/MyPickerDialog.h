#pragma once
#include <vector>
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"

// What the three master-data pickers share: a list of records read once, a
// filter edit that keeps the rows whose name holds the typed text (any case),
// and the row the user chose.
class MyPickerDialog : public micro::qdialog::QDialog {
public:
    MyPickerDialog(UINT templateId, HWND parent, int filterId, int listId);

    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;

protected:
    struct Column {
        const wchar_t* title;
        int percent; // of the list's width
    };
    // The columns shown; the first one is the name the filter looks at.
    virtual std::vector<Column> Columns() const = 0;
    // A query answering the id, then one text per column.
    virtual micro::utils::QString ListQuery() const = 0;
    // A row was double-clicked.
    virtual void OnRowActivated(unsigned long long id) = 0;

    // The id of the selected row; 0 with no selection.
    unsigned long long SelectedRowId() const;
    // The selected row's id, or a warning and 0 when no row is selected.
    unsigned long long RequireSelectedRow();
    void ApplyFilter(const wchar_t* filter);
    int VisibleRowCount() const { return m_list.GetItemCount(); }

private:
    struct Row {
        unsigned long long id;
        std::vector<micro::utils::QString> cells;
    };
    void Load();

    int m_filterId;
    int m_listId;
    micro::gui::QListCtrl m_list;
    std::vector<Row> m_rows;
};
