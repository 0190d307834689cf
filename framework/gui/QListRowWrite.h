#pragma once
#include "framework/gui/QListCtrl.h"

namespace micro {
namespace gui {

// Rows written into a shown list view as one change, drawn once: while they
// are written the list draws nothing, then it shows the rows written (with
// every row after them when rows were inserted or taken away), selects the given row as
// QListCtrl::SelectItem does, and redraws a scroll bar only where its range
// moved and the selection did not already redraw it.
//
// Why: a list view redraws both of its scroll bars twice for every row it
// inserts, and under a visual style each redraw of a bar is several
// milliseconds under Wine: most of what a typed line cost. Hiding the list
// from drawing goes through DefWindowProc's WM_SETREDRAW (the window's
// visible bit alone), not the list view's own, which would repaint the whole
// list and both bars when turned back on.
class QListRowWrite {
public:
    // `firstRow`: the first row the write inserts, changes or takes away.
    QListRowWrite(QListCtrl& list, int firstRow);
    // A write not ended by SelectAndShow shows the whole list again.
    ~QListRowWrite();
    QListRowWrite(const QListRowWrite&) = delete;
    QListRowWrite& operator=(const QListRowWrite&) = delete;

    // Shows the list again with the rows written, then selects `row`.
    void SelectAndShow(int row);

private:
    void MeasureFirstRows();
    void Show();
    void InvalidateRowsWritten(const RECT& client, int selected);

    QListCtrl& m_list;
    int m_firstRow;
    bool m_hidden = false;
    LONG_PTR m_style = 0;
    int m_count = 0;
    RECT m_client = {};
    SCROLLINFO m_bars[2] = {};
};

} // namespace gui
} // namespace micro
