#include "cash/AmountToWordsUpperCase.h"
#include "cash/CashLists.h"
#include "cash/CashMessages.h"
#include "cash/CashText.h"
#include "cash/MyFacturiScadenteList.h"
#include "cash/MyPlataDialog.h"
#include "cash/Settlement.h"
#include "database/MyRepository.h"
#include "resources/resource.h"

using micro::utils::QString;
using settlement::SettlementPlan;

bool MyPlataDialog::PickUnpaidNir(unsigned long long& documentId, unsigned long long& number)
{
    MyFacturiScadenteList picker(m_hwnd);
    picker.partnerId = IDClient;
    picker.documentKind = MyFacturiScadenteList::KindGoodsReceived;
    if (picker.DoModal() != 1)
        return false;
    documentId = picker.chosenId;
    number = picker.chosenNumber;
    return true;
}

void MyPlataDialog::AmountWords(double amount, QString& words)
{
    // Words of an earlier amount must not stay beside an amount of nothing.
    if (settlement::ToBani(amount) <= 0)
        words.Empty();
    else
        AmountToWordsUpperCase(words, amount);
}

double MyPlataDialog::StoredAmount() const
{
    if (id == 0)
        return 0.0;
    micro::qsql::QsqlQuery q =
        GetRepository().ExecQuery(micro::qsql::SqlFormat(L"select suma from Plati where id = %llu", id).c_str());
    return q.Eof() ? 0.0 : q.GetFloatField(0);
}

void MyPlataDialog::Validate()
{
    if (MessageBox(L"Validare document ?", L"Validare", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // Nothing is written for a payment that could not be saved afterwards.
    if (IDClient == 0) {
        MessageBox(L"Introduceti clientul !", L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    double amount = 0.0;
    if (!AmountFromEdit(amount))
        return;
    SettlementPlan plan =
        settlement::PlanValidation(settlement::kGoodsReceived, IDClient, RowIds(listaNiruri), amount);
    if (!ConfirmSettlementPlan(m_hwnd, plan, kPaymentWords, listaNiruri))
        return;
    suma = amount;
    sumaStr = GetItemText(IDC_PLATA_SUMA_LITERE);
    tip = ChosenPaymentType(comboTip, tip);
    if (SaveAs(2, &plan))
        EndDialog(1);
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
    if (status != 2) {
        // Nothing was taken from any note.
        if (SaveAs(3))
            EndDialog(1);
        return;
    }
    SettlementPlan plan = settlement::PlanGiveBack(settlement::kGoodsReceived, settlement::Source::Payment, id,
                                                   IDClient, RowIds(listaNiruri), StoredAmount());
    if (SaveAs(3, &plan))
        EndDialog(1);
}

void MyPlataDialog::Reverse()
{
    if (MessageBox(L"Stornare document ?", L"Stornare", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (nrRanduri == 0 || IDClient == 0) {
        CancelPayment();
        return;
    }
    // Every note gets back what this payment took from it, not only the first.
    SettlementPlan plan = settlement::PlanGiveBack(settlement::kGoodsReceived, settlement::Source::Payment, id,
                                                   IDClient, RowIds(listaNiruri), StoredAmount());
    if (SaveAs(3, &plan))
        EndDialog(1);
}
