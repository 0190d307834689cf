#include "cash/AmountToWordsUpperCase.h"
#include "cash/MyFacturiScadenteList.h"
#include "cash/MyPlataDialog.h"
#include "cash/Settlement.h"
#include "database/MyRepository.h"
#include "resources/resource.h"

using micro::utils::QString;
using settlement::Refusal;
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

std::vector<unsigned long long> MyPlataDialog::ListedDocumentIds() const
{
    std::vector<unsigned long long> ids;
    for (int row = 0; row < static_cast<int>(nrRanduri); ++row)
        ids.push_back(listaNiruri.GetItemData(row));
    return ids;
}

double MyPlataDialog::StoredAmount() const
{
    if (id == 0)
        return 0.0;
    micro::qsql::QsqlQuery q =
        GetRepository().ExecQuery(micro::qsql::SqlFormat(L"select suma from Plati where id = %llu", id).c_str());
    return q.Eof() ? 0.0 : q.GetFloatField(0);
}

bool MyPlataDialog::ConfirmPlan(const SettlementPlan& plan)
{
    const UINT warn = MB_OK | MB_ICONEXCLAMATION;
    switch (plan.refusal) {
    case Refusal::None:
        break;
    case Refusal::AmountNotPositive:
        MessageBox(L"Suma platita trebuie sa fie mai mare decat 0 !", L"Atentie", warn);
        return false;
    case Refusal::NoDocuments:
        MessageBox(L"Introduceti factura pentru validare ", L"Atentie", warn);
        return false;
    case Refusal::ForeignDocument:
        MessageBox(QString::Formatted(L"Factura de pe randul %d nu este a furnizorului ales !",
                                      static_cast<int>(plan.refusedRow) + 1)
                       .c_str(),
                   L"Atentie", warn);
        return false;
    case Refusal::ClosedDocument:
        MessageBox(QString::Formatted(L"Factura %llu este anulata sau stornata !", plan.refusedNumber).c_str(),
                   L"Atentie", warn);
        return false;
    case Refusal::NothingOwed:
        MessageBox(QString::Formatted(L"Factura %llu nu mai are sold de plata !", plan.refusedNumber).c_str(),
                   L"Atentie", warn);
        return false;
    case Refusal::NotCovered:
        MessageBox(L"Suma introdusa nu poate sa acopere toate facturile introduse !", L"ERROR",
                   MB_OK | MB_ICONSTOP);
        return false;
    case Refusal::AboveBalances:
        MessageBox(L"Valoarea este mai mare decat suma facturilor ! ", L"Atentie", warn);
        return false;
    }
    if (!plan.asksPartial)
        return true;
    // Only the last row is paid in part.
    QString question = QString::Formatted(L"Restul de %.2f va fi retras din factura ",
                                          settlement::FromBani(plan.partialRest));
    question += listaNiruri.GetItemText(static_cast<int>(nrRanduri) - 1, 0);
    question += L"\n Continuati ? ";
    return MessageBox(question.c_str(), L"Validare", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
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
    if (nrRanduri == 0) {
        MessageBox(L"Introduceti factura pentru validare ", L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    suma = _wtof(GetItemText(IDC_PLATA_SUMA).c_str());
    SettlementPlan plan =
        settlement::PlanValidation(settlement::kGoodsReceived, IDClient, ListedDocumentIds(), suma);
    if (!ConfirmPlan(plan))
        return;
    sumaStr = GetItemText(IDC_PLATA_SUMA_LITERE);
    tip = SelectedType();
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
                                                   IDClient, ListedDocumentIds(), StoredAmount());
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
                                                   IDClient, ListedDocumentIds(), StoredAmount());
    if (SaveAs(3, &plan))
        EndDialog(1);
}
