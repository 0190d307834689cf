#include "documents/FacturiRecordList.h"

bool FacturiRecordList::Create(micro::gui::QWindow* parent, UINT id, DWORD)
{
    return CreateSystem(WC_LISTVIEWW, parent, id,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                            LVS_OWNERDATA,
                        WS_EX_CLIENTEDGE);
}

void FacturiRecordList::Clear()
{
    m_rows.clear();
    DeleteAllItems();
}

void FacturiRecordList::AddRow(FacturiRecord* record)
{
    m_rows.push_back(record);
    PublishCount();
}

void FacturiRecordList::AddRows(const std::vector<FacturiRecord*>& records)
{
    m_rows.insert(m_rows.end(), records.begin(), records.end());
    PublishCount();
}

void FacturiRecordList::PublishCount()
{
    SendMessage(LVM_SETITEMCOUNT, m_rows.size(), LVSICF_NOSCROLL);
}

FacturiRecord* FacturiRecordList::RowRecord(int row) const
{
    return (row >= 0 && row < RowCount()) ? m_rows[row] : nullptr;
}

unsigned long long FacturiRecordList::RowId(int row) const
{
    FacturiRecord* record = RowRecord(row);
    return record ? record->id : 0;
}

int FacturiRecordList::FindRow(unsigned long long documentId) const
{
    for (int row = 0; row < RowCount(); ++row)
        if (m_rows[row]->id == documentId)
            return row;
    return -1;
}

void FacturiRecordList::RedrawRow(int row)
{
    SendMessage(LVM_REDRAWITEMS, row, row);
}

bool FacturiRecordList::OnDisplayInfo(NMHDR* header) const
{
    if (!header || header->hwndFrom != m_hwnd || header->code != LVN_GETDISPINFOW)
        return false;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    FacturiRecord* record = RowRecord(item.iItem);
    if (!record)
        return true;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynW(item.pszText, RecordCell(*record, item.iSubItem).c_str(), item.cchTextMax);
    if (item.mask & LVIF_PARAM)
        item.lParam = static_cast<LPARAM>(record->id);
    return true;
}
