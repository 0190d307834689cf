#include "cash/CashMessages.h"
#include "cash/CashLists.h"
#include "database/DocumentTables.h"
#include "database/qsql/QSqlError.h"
#include "framework/qdialog/QMessageBox.h"

using micro::qdialog::ShowMessageBox;
using micro::utils::QString;
using settlement::Refusal;

const CashWords kReceiptWords = {
    L"chitanta",
    L"Chitanta nu mai exista in baza de date.",
    L"Suma incasata trebuie sa fie mai mare decat 0 !",
    L"Factura de pe randul %d nu este a clientului ales !",
    L"Factura %llu nu mai are sold de incasat !",
};
const CashWords kPaymentWords = {
    L"plata",
    L"Plata nu mai exista in baza de date.",
    L"Suma platita trebuie sa fie mai mare decat 0 !",
    L"Factura de pe randul %d nu este a furnizorului ales !",
    L"Factura %llu nu mai are sold de plata !",
};

namespace {

const wchar_t kClosedInvoice[] = L"Factura %llu este anulata sau stornata !";

QString RefusalText(const settlement::SettlementPlan& plan, const CashWords& words)
{
    switch (plan.refusal) {
    case Refusal::AmountNotPositive: return words.amountNotPositive;
    case Refusal::NoDocuments: return L"Introduceti factura pentru validare ";
    case Refusal::ForeignDocument:
        return QString::Formatted(words.foreignDocument, static_cast<int>(plan.refusedRow) + 1);
    case Refusal::ClosedDocument: return QString::Formatted(kClosedInvoice, plan.refusedNumber);
    case Refusal::NothingOwed: return QString::Formatted(words.nothingOwed, plan.refusedNumber);
    case Refusal::AboveBalances: return L"Valoarea este mai mare decat suma facturilor ! ";
    default: return QString();
    }
}

} // namespace

bool ConfirmSettlementPlan(HWND owner, const settlement::SettlementPlan& plan, const CashWords& words,
                           const micro::gui::QListCtrl& rows)
{
    if (plan.refusal == Refusal::NotCovered) {
        ShowMessageBox(owner, L"Suma introdusa nu poate sa acopere toate facturile introduse !", L"ERROR",
                       MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!plan.Ready()) {
        ShowMessageBox(owner, RefusalText(plan, words).c_str(), L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!plan.asksPartial)
        return true;
    // Only the last row is paid in part.
    QString question = QString::Formatted(L"Restul de %.2f va fi retras din factura ",
                                          settlement::FromBani(plan.partialRest)) +
                       rows.GetItemText(rows.GetItemCount() - 1, kDocumentNumberColumn) + L"\n Continuati ? ";
    return ShowMessageBox(owner, question.c_str(), L"Validare", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void ShowAlreadyListed(HWND owner)
{
    ShowMessageBox(owner, L"Factura a mai fost introdusa o data !", L"Atentie", MB_OK);
}

void ShowAlreadyListed(HWND owner, unsigned long long number)
{
    ShowMessageBox(owner, QString::Formatted(L"Factura %llu a mai fost introdusa o data !", number).c_str(), L"Atentie",
                   MB_OK);
}

void ShowNumberTaken(HWND owner, const CashWords& words, unsigned long long shown, unsigned long long stored)
{
    QString text = QString::Formatted(L"Numarul %llu a fost luat intre timp: ", shown) + words.document +
                   QString::Formatted(L" a fost salvata cu numarul %llu !", stored);
    ShowMessageBox(owner, text.c_str(), L"Atentie", MB_OK | MB_ICONINFORMATION);
}

bool RefusedReceiptForSettledInvoice(HWND owner, unsigned long long clientId, unsigned long long invoiceId)
{
    settlement::DocumentRow stored;
    if (invoiceId == 0 || !settlement::ReadDocument(settlement::kInvoices, clientId, invoiceId, stored) ||
        settlement::ToBani(stored.balance) > 0)
        return false;
    ShowNothingToCollect(owner, stored.number);
    return true;
}

bool RefusedReceiptForClosedInvoice(HWND owner, unsigned long long clientId, unsigned long long invoiceId)
{
    settlement::DocumentRow stored;
    if (invoiceId == 0 || !settlement::ReadDocument(settlement::kInvoices, clientId, invoiceId, stored) ||
        stored.status < StatusCancelled)
        return false;
    ShowMessageBox(owner, QString::Formatted(kClosedInvoice, stored.number).c_str(), L"Atentie",
                   MB_OK | MB_ICONEXCLAMATION);
    return true;
}

void ShowNothingToCollect(HWND owner, unsigned long long invoiceNumber)
{
    ShowMessageBox(owner, QString::Formatted(kReceiptWords.nothingOwed, invoiceNumber).c_str(), L"Atentie",
                   MB_OK | MB_ICONEXCLAMATION);
}

bool RefusedReceiptForDocumentType(HWND owner, int documentType)
{
    if (documentType == DocumentInvoice)
        return false;
    // A return invoice pays back; a receipt named after another document's
    // number would settle the invoice that happens to share it.
    ShowMessageBox(owner, L"Chitanta se emite numai pentru facturi !", L"Atentie", MB_OK | MB_ICONEXCLAMATION);
    return true;
}

void ThrowIfRowGone(int changedRows, const CashWords& words)
{
    if (changedRows != 1)
        throw micro::qsql::QSqlError(12 /* SQLITE_NOTFOUND */, words.gone);
}
