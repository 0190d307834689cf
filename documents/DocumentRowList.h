#pragma once
#include <vector>
#include "framework/gui/QListCtrl.h"
#include "framework/utils/QString.h"

// A report list of document headers that keeps each row's stored values
// (no texts): a row's texts are made when the list paints it, so a list of a
// hundred thousand documents holds some 80 bytes a row. Owner-data: the owner
// hands the list's display requests to OnDisplayInfo; cell reads
// (LVM_GETITEMTEXT) go the same way.
class DocumentRowList : public micro::gui::QListCtrl {
public:
    struct Row {
        unsigned long long id;
        long long numar;
        long long dataCreare;
        double valoareFT, valoareTVA, valoareTTI, sold;
        long long status;
        long long client; // index into the names
    };

    // A report view with the owner-data style.
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD flag) override;

    void Clear();
    // A partner's name, kept once; answers its index for Row::client.
    int AddName(const micro::utils::QString& name);
    void AddRow(const Row& row) { m_rows.push_back(row); }
    // Shows the rows added so far.
    void PublishCount();
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // The document id of the row; 0 when there is no such row.
    unsigned long long RowId(int row) const;
    // The first row showing the document; -1 when none does.
    int FindRow(unsigned long long documentId) const;
    // The row's text in a column (Numar, Client, Data, three values, Status, Sold).
    micro::utils::QString CellText(int row, int column) const;
    // Fills a display request of this list; false when the notice is another one.
    bool OnDisplayInfo(NMHDR* header) const;

private:
    std::vector<Row> m_rows;
    std::vector<micro::utils::QString> m_names;
};
