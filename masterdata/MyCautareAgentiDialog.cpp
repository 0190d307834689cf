#include "masterdata/MyCautareAgentiDialog.h"
#include "resources/resource.h"

MyCautareAgentiDialog::MyCautareAgentiDialog(HWND parent)
    : MyPickerDialog(IDD_CAUTARE_AGENTI, parent, IDC_CAUTARE_AGENTI_FILTER, IDC_CAUTARE_AGENTI_LIST)
{
}

bool MyCautareAgentiDialog::OnInitDialog()
{
    selectedId = 0;
    return MyPickerDialog::OnInitDialog();
}

std::vector<MyPickerDialog::Column> MyCautareAgentiDialog::Columns() const
{
    return {{L"Nume", 50}, {L"CNP", 25}, {L"Serie CI", 25}};
}

micro::utils::QString MyCautareAgentiDialog::ListQuery() const
{
    return L"select id, numeAgent, CNP, serie from Agenti order by numeAgent collate nocase";
}

void MyCautareAgentiDialog::OnRowActivated(unsigned long long id)
{
    selectedId = id;
    EndDialog(IDOK);
}

void MyCautareAgentiDialog::OnOK()
{
    unsigned long long id = RequireSelectedRow();
    if (id)
        OnRowActivated(id);
}

void MyCautareAgentiDialog::OnCancel()
{
    selectedId = 0;
    MyPickerDialog::OnCancel();
}
