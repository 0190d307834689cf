#include "cash/MyPlataDialog.h"
#include "resources/resource.h"

bool MyPlataDialog::PickUnpaidNir(unsigned long long&, unsigned long long&)
{
    return false;
}

void MyPlataDialog::SetAmountWords(double)
{
}

void MyPlataDialog::Validate()
{
}

void MyPlataDialog::CancelPayment()
{
    if (IDClient == 0) {
        MessageBox(L"Introduceti clientul !", L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const wchar_t* question = status == 2 ? L"Anularea implica pierderea numarului de PLATA ! \n Anulati PLATA ?"
                                          : L"Anularea implica pierderea numarului de PLATA ! \n Anulati PLATAa ?";
    if (MessageBox(question, L"Anulare", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (SaveAs(3))
        EndDialog(1);
}

void MyPlataDialog::Reverse()
{
}
