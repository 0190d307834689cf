#include "cash/MyCreareChitantaFacturiDialog.h"
#include "cash/CashText.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"

using micro::utils::QString;

MyCreareChitantaFacturiDialog::MyCreareChitantaFacturiDialog(HWND parent) : QDialog(IDD_CREARE_CHITANTA, parent)
{
}

void MyCreareChitantaFacturiDialog::SetReceiptNumberAndSeries(const wchar_t* number, const wchar_t* series)
{
    numar = number;
    serie = series;
}

void MyCreareChitantaFacturiDialog::GetReceiptNumberAndSeries(QString& number, QString& series) const
{
    number = numar;
    series = serie;
}

bool MyCreareChitantaFacturiDialog::OnInitDialog()
{
    SetItemText(IDC_CREARE_CHITANTA_NUMAR, numar.c_str());
    SetItemText(IDC_CREARE_CHITANTA_SERIE, serie.c_str());
    return true;
}

void MyCreareChitantaFacturiDialog::OnOK()
{
    unsigned long long number = 0;
    // A receipt number starts at 1.
    if (!ParseCounter(GetItemText(IDC_CREARE_CHITANTA_NUMAR).c_str(), number) || number == 0) {
        // Stored as a counter, text would silently become receipt 0.
        MessageBox(L"Numarul chitantei trebuie sa fie un numar intreg mai mare decat 0 !", L"Atentie",
                   MB_OK | MB_ICONEXCLAMATION);
        HWND edit = GetItem(IDC_CREARE_CHITANTA_NUMAR);
        SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return;
    }
    // Two receipts of a series never share a number: one already held (the
    // counter set back in the settings, or a number typed) is refused here,
    // where another can still be typed.
    QString series = GetItemText(IDC_CREARE_CHITANTA_SERIE);
    if (FirstFreeNumber(L"Incasari", series, number) != number) {
        QString text = QString::Formatted(L"Exista deja o chitanta cu numarul %llu in seria ", number) + series + L" !";
        MessageBox(text.c_str(), L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        HWND edit = GetItem(IDC_CREARE_CHITANTA_NUMAR);
        SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return;
    }
    // The caller stores the counter together with the receipt it numbers: a
    // counter written here would be spent even when no receipt follows.
    numar.Format(L"%llu", number);
    serie = series;
    EndDialog(IDOK);
}
