#pragma once
#include <vector>
#include "documents/FacturiRecord.h"
#include "framework/gui/QListCtrl.h"

// A report list whose rows show records kept by its owner. The list holds no
// texts of its own (an owner-data list view): it asks for each cell as it
// paints, so tens of thousands of rows appear at once. The owner keeps the
// records alive while they are rows and hands the list's display requests to
// OnDisplayInfo; cell reads (LVM_GETITEMTEXT) go the same way.
class FacturiRecordList : public micro::gui::QListCtrl {
public:
    // A report view with the owner-data style.
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD flag) override;

    void Clear();
    void AddRow(FacturiRecord* record);
    void AddRows(const std::vector<FacturiRecord*>& records);
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    FacturiRecord* RowRecord(int row) const;
    // The document id of the row; 0 when there is no such row.
    unsigned long long RowId(int row) const;
    // The first row showing the document; -1 when none does.
    int FindRow(unsigned long long documentId) const;
    // Paints the row again after its record changed.
    void RedrawRow(int row);
    // Fills a display request of this list; false when the notice is another one.
    bool OnDisplayInfo(NMHDR* header) const;

private:
    void PublishCount();
    std::vector<FacturiRecord*> m_rows;
};
