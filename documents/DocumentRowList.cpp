#include "documents/DocumentRowList.h"
#include "documents/FacturiRecord.h"

using micro::utils::QString;

bool DocumentRowList::Create(micro::gui::QWindow* parent, UINT id, DWORD)
{
    return CreateSystem(WC_LISTVIEWW, parent, id,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                            LVS_OWNERDATA,
                        WS_EX_CLIENTEDGE);
}

void DocumentRowList::Clear()
{
    std::vector<Row>().swap(m_rows);
    m_names.clear();
    DeleteAllItems();
}

int DocumentRowList::AddName(const QString& name)
{
    m_names.push_back(name);
    return static_cast<int>(m_names.size()) - 1;
}

void DocumentRowList::PublishCount()
{
    SendMessage(LVM_SETITEMCOUNT, m_rows.size(), LVSICF_NOSCROLL);
}

unsigned long long DocumentRowList::RowId(int row) const
{
    return (row >= 0 && row < RowCount()) ? m_rows[row].id : 0;
}

int DocumentRowList::FindRow(unsigned long long documentId) const
{
    for (int row = 0; row < RowCount(); ++row)
        if (m_rows[row].id == documentId)
            return row;
    return -1;
}

QString DocumentRowList::CellText(int row, int column) const
{
    if (row < 0 || row >= RowCount())
        return QString();
    const Row& r = m_rows[row];
    switch (column) {
    case RowNumar: return QString::Formatted(L"%lu", static_cast<unsigned long>(r.numar));
    case RowClient:
        return (r.client >= 0 && r.client < static_cast<long long>(m_names.size())) ? m_names[r.client] : QString();
    case RowData: return FormatDocumentDate(r.dataCreare);
    case RowValoareFT: return FormatDocumentAmount(r.valoareFT);
    case RowValoareTVA: return FormatDocumentAmount(r.valoareTVA);
    case RowValoareTTI: return FormatDocumentAmount(r.valoareTTI);
    case RowStatus: return DocumentStatusText(r.status);
    case RowSold: return FormatDocumentAmount(r.sold);
    default: return QString();
    }
}

bool DocumentRowList::OnDisplayInfo(NMHDR* header) const
{
    if (!header || header->hwndFrom != m_hwnd || header->code != LVN_GETDISPINFOW)
        return false;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if (item.iItem < 0 || item.iItem >= RowCount())
        return true;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynW(item.pszText, CellText(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
    if (item.mask & LVIF_PARAM)
        item.lParam = static_cast<LPARAM>(m_rows[item.iItem].id);
    return true;
}
