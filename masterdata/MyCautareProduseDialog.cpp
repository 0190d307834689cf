#include "masterdata/MyCautareProduseDialog.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"

using micro::utils::QString;

MyCautareProduseDialog::MyCautareProduseDialog(HWND parent)
    : MyPickerDialog(IDD_CAUTARE_PRODUSE, parent, IDC_CAUTARE_PRODUSE_FILTER, IDC_CAUTARE_PRODUSE_LIST)
{
}

bool MyCautareProduseDialog::OnInitDialog()
{
    selectedId = 0;
    quantity = 0.0;
    return MyPickerDialog::OnInitDialog();
}

std::vector<MyPickerDialog::Column> MyCautareProduseDialog::Columns() const
{
    return {{L"Denumire", 55}, {L"UM", 15}, {L"Pret vanzare", 30}};
}

QString MyCautareProduseDialog::ListQuery() const
{
    // Product 0 is the document discount line, not something to sell.
    return L"select id, denumire, UM, printf('%.2f', pretVanzare) from Produse where id <> 0 "
           L"order by denumire collate nocase";
}

void MyCautareProduseDialog::OnRowActivated(unsigned long long id)
{
    if (mode == 2) {
        selectedId = id;
        quantity = 0.0;
        EndDialog(IDOK);
        return;
    }
    // Choosing a product here still needs its quantity.
    FocusQuantity();
}

void MyCautareProduseDialog::FocusQuantity()
{
    micro::gui::QEdit edit(GetItem(IDC_CAUTARE_PRODUSE_CANTITATE));
    SetFocus(edit);
    edit.SetSelection(0, -1);
}

void MyCautareProduseDialog::OnOK()
{
    unsigned long long id = RequireSelectedRow();
    if (!id)
        return;
    // The quantity is optional here (the stock cards only choose a product): none is 0.
    double typed = 0.0;
    QString text = GetItemText(IDC_CAUTARE_PRODUSE_CANTITATE);
    if (!text.Trim().IsEmpty() && !ParseQuantity(text.c_str(), typed)) {
        MessageBox(NumberRefusal(NumberField::Quantity, text.c_str()), L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        FocusQuantity();
        return;
    }
    selectedId = id;
    quantity = typed;
    EndDialog(IDOK);
}

void MyCautareProduseDialog::OnCancel()
{
    selectedId = 0;
    quantity = 0.0;
    MyPickerDialog::OnCancel();
}
