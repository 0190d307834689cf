#include "masterdata/MyCautareClientiDialog.h"
#include "resources/resource.h"

MyCautareClientiDialog::MyCautareClientiDialog(HWND parent)
    : MyPickerDialog(IDD_CAUTARE_CLIENTI, parent, IDC_CAUTARE_CLIENTI_FILTER, IDC_CAUTARE_CLIENTI_LIST)
{
}

bool MyCautareClientiDialog::OnInitDialog()
{
    selectedId = 0;
    if (table == 1)
        SetText(L"Cautare Furnizori");
    return MyPickerDialog::OnInitDialog();
}

std::vector<MyPickerDialog::Column> MyCautareClientiDialog::Columns() const
{
    return {{L"Denumire", 50}, {L"Cod fiscal", 20}, {L"Oras", 30}};
}

micro::utils::QString MyCautareClientiDialog::ListQuery() const
{
    return table == 1 ? L"select id, Nume, Cod, Oras from Furnizori order by Nume collate nocase"
                      : L"select id, Nume, Cod, Oras from Clienti order by Nume collate nocase";
}

void MyCautareClientiDialog::OnRowActivated(unsigned long long id)
{
    selectedId = id;
    EndDialog(IDOK);
}

void MyCautareClientiDialog::OnOK()
{
    unsigned long long id = RequireSelectedRow();
    if (id)
        OnRowActivated(id);
}

void MyCautareClientiDialog::OnCancel()
{
    selectedId = 0;
    MyPickerDialog::OnCancel();
}
