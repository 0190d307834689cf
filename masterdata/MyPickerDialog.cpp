#include "masterdata/MyPickerDialog.h"
#include "database/MyRepository.h"
#include "masterdata/DatabaseMessage.h"

using micro::utils::QString;

MyPickerDialog::MyPickerDialog(UINT templateId, HWND parent, int filterId, int listId)
    : QDialog(templateId, parent), m_filterId(filterId), m_listId(listId)
{
}

bool MyPickerDialog::OnInitDialog()
{
    m_list.Attach(m_hwnd, m_listId);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    RECT client;
    GetClientRect(m_list, &client);
    int width = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
    std::vector<Column> columns = Columns();
    for (size_t i = 0; i < columns.size(); ++i)
        m_list.InsertColumn(static_cast<int>(i), columns[i].title, width * columns[i].percent / 100);
    Load();
    ApplyFilter(L"");
    QDialog::OnInitDialog();
    SetFocus(GetItem(m_filterId));
    return false;
}

void MyPickerDialog::Load()
{
    m_rows.clear();
    size_t columns = Columns().size();
    try {
        micro::qsql::QsqlQuery query = GetRepository().ExecQuery(ListQuery().c_str());
        for (; !query.Eof(); query.NextRow()) {
            Row row;
            row.id = query.GetIdField(0);
            for (size_t c = 0; c < columns; ++c)
                row.cells.push_back(query.GetStringField(static_cast<int>(c) + 1));
            m_rows.push_back(std::move(row));
        }
    } catch (const micro::qsql::QSqlError& error) {
        ShowDatabaseMessage(m_hwnd, error);
    }
}

void MyPickerDialog::ApplyFilter(const wchar_t* filter)
{
    if (!m_list.GetHandle())
        return;
    unsigned long long selected = SelectedRowId();
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.DeleteAllItems();
    int shown = 0;
    for (const Row& row : m_rows) {
        if (!row.cells[0].ContainsNoCase(filter))
            continue;
        int index = m_list.InsertItem(shown, row.cells[0].c_str());
        for (size_t c = 1; c < row.cells.size(); ++c)
            m_list.SetItemText(index, static_cast<int>(c), row.cells[c].c_str());
        m_list.SetItemData(index, static_cast<ULONG_PTR>(row.id));
        ++shown;
    }
    // The user's choice survives a filter that still shows it.
    if (selected)
        m_list.SelectItem(m_list.FindItemByData(static_cast<ULONG_PTR>(selected)));
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate(true);
}

unsigned long long MyPickerDialog::SelectedRowId() const
{
    int row = m_list.GetHandle() ? m_list.GetSelectedItem() : -1;
    return row < 0 ? 0 : static_cast<unsigned long long>(m_list.GetItemData(row));
}

unsigned long long MyPickerDialog::RequireSelectedRow()
{
    unsigned long long id = SelectedRowId();
    if (!id) {
        MessageBox(L"Selectati un rand din lista !", L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(m_list);
    }
    return id;
}

bool MyPickerDialog::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    if (static_cast<int>(id) == m_filterId && code == EN_CHANGE) {
        ApplyFilter(GetItemText(m_filterId).c_str());
        return true;
    }
    return QDialog::OnCommand(id, code, control, result);
}

bool MyPickerDialog::OnNotify(UINT id, NMHDR* header, LRESULT& result)
{
    if (static_cast<int>(id) != m_listId || header->code != NM_DBLCLK)
        return QDialog::OnNotify(id, header, result);
    const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem >= 0 && click->iItem < m_list.GetItemCount())
        OnRowActivated(static_cast<unsigned long long>(m_list.GetItemData(click->iItem)));
    return true;
}
