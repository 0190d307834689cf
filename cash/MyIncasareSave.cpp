// The receipt editor's writes: keeping, validating, cancelling, reverting.
#include "cash/MyIncasareDialog.h"
#include "cash/CellNumbers.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "resources/resource.h"
#include <algorithm>

using micro::qsql::QSqlError;
using micro::qsql::QsqlQuery;
using micro::qsql::SqlFormat;
using micro::utils::QString;
using namespace settlement;

namespace {

// The signed-in user is not tracked by the program: receipts carry agent 0.
const unsigned long long kCurrentUserId = 0;

const wchar_t kAtentie[] = L"Atentie";

} // namespace

unsigned long long MyIncasareDialog::WriteReceipt(unsigned long long newStatus)
{
    MyRepository& db = GetRepository();
    if (id != 0) {
        int changed = db.ExecDML(
            SqlFormat(L"update Incasari set serie = '%s' ,numar = %llu ,IDCLient = %llu ,facturi = '%s' ,suma = %.17g "
                      L",sumaStr = '%s' ,data = %llu ,status = %llu ,tip = %llu ,agent = %llu  where id = %llu",
                      serie.c_str(), numar, IDClient, facturi.c_str(), suma, sumaStr.c_str(), data, newStatus,
                      static_cast<unsigned long long>(tip), kCurrentUserId, id)
                .c_str());
        if (changed != 1)
            throw QSqlError(12 /* SQLITE_NOTFOUND */, L"Chitanta nu mai exista in baza de date.");
        return id;
    }
    // The number is taken here, inside the save: if another receipt of the
    // series took it meanwhile, the next free one; the counter never goes back.
    unsigned long long counter = static_cast<unsigned long long>(GetInvoiceConfigValue(10));
    unsigned long long number = std::max(numar, counter + 1);
    while (db.ExecScalar(SqlFormat(L"select count(*) from Incasari where serie = '%s' and numar = %llu",
                                   serie.c_str(), number)
                             .c_str()) != 0)
        ++number;
    db.ExecDML(SqlFormat(L"update ConfigFacturi set numarChit = %llu where id = %llu ", number, 1ULL).c_str());
    db.ExecDML(SqlFormat(L"insert into  Incasari values ( NULL , '%s' , %llu , %llu , '%s' , %.17g , '%s' , %llu , "
                         L"%llu , %llu , %llu ) ",
                         serie.c_str(), number, IDClient, facturi.c_str(), suma, sumaStr.c_str(), data, newStatus,
                         static_cast<unsigned long long>(tip), kCurrentUserId)
                   .c_str());
    numar = number;
    return static_cast<unsigned long long>(db.LastInsertRowId());
}

bool MyIncasareDialog::SaveIncasare(unsigned long long newStatus, const SettlementPlan* plan)
{
    const unsigned long long proposed = numar;
    try {
        auto write = [&] { return WriteReceipt(newStatus); };
        if (plan) {
            ApplySettlement(kInvoices, Source::Receipt, *plan, write);
        } else {
            micro::qsql::QsqlTransaction transaction(GetRepository());
            write();
            transaction.Commit();
        }
    } catch (const QSqlError& error) {
        numar = proposed;
        MessageBox(error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
        return false;
    }
    status = newStatus;
    if (numar != proposed) {
        ShowNumber();
        MessageBox(QString::Formatted(L"Numarul %llu a fost luat intre timp: chitanta a fost salvata cu numarul %llu !",
                                      proposed, numar)
                       .c_str(),
                   kAtentie, MB_OK | MB_ICONINFORMATION);
    }
    return true;
}

void MyIncasareDialog::OnOK()
{
    if (IDClient == 0) {
        MessageBox(L"Introduceti clientul !", L"Message", MB_OK);
        return;
    }
    // A validated receipt changes only through the guard that gives its
    // balances back: the hidden default button leaves it as it is.
    if (status == 2) {
        EndDialog(IDCANCEL);
        return;
    }
    UpdateData(false);
    int selected = comboTip.GetCurSel();
    if (selected >= 0)
        tip = selected;
    if (SaveIncasare(1))
        EndDialog(IDOK);
}

void MyIncasareDialog::Validate()
{
    if (status == 2) {
        EndDialog(IDOK);
        return;
    }
    if (IDClient == 0) {
        MessageBox(L"Introduceti Clientul pentru validare ", kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (rowCount == 0) {
        MessageBox(L"Introduceti factura pentru validare ", kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    suma = AmountFromEdit();
    SettlementPlan plan = PlanValidation(kInvoices, IDClient, ListedIds(), suma);
    switch (plan.refusal) {
    case Refusal::None: break;
    case Refusal::NotCovered:
        MessageBox(L"Suma introdusa nu poate sa acopere toate facturile introduse !", L"ERROR", MB_OK | MB_ICONSTOP);
        return;
    case Refusal::AboveBalances:
        MessageBox(L"Valoarea este mai mare decat suma facturilor ! ", kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    case Refusal::AmountNotPositive:
        MessageBox(L"Suma incasata trebuie sa fie mai mare decat 0 !", kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    case Refusal::ClosedDocument:
        MessageBox(QString::Formatted(L"Factura %llu este anulata sau stornata !", plan.refusedNumber).c_str(), kAtentie,
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    case Refusal::NothingOwed:
        MessageBox(QString::Formatted(L"Factura %llu nu mai are sold de incasat !", plan.refusedNumber).c_str(),
                   kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    default:
        MessageBox(QString::Formatted(L"Factura de pe randul %d nu este a clientului ales !",
                                      static_cast<int>(plan.refusedRow) + 1)
                       .c_str(),
                   kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (plan.asksPartial) {
        // The part-paid row is always the last one.
        QString question = QString::Formatted(L"Restul de %.2f", FromBani(plan.partialRest)) +
                           L" va fi retras din factura " + lista.GetItemText(lista.GetItemCount() - 1, 0) +
                           L"\n Continuati ? ";
        if (MessageBox(question.c_str(), L"Validare", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
    }
    data = static_cast<unsigned long long>(DateFromPicker());
    int selected = comboTip.GetCurSel();
    if (selected >= 0)
        tip = selected;
    if (SaveIncasare(2, &plan))
        EndDialog(IDOK);
}

SettlementPlan MyIncasareDialog::PlanGiveBack() const
{
    // What goes back is what was stored, not what the amount edit shows now.
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select suma, IDClient from Incasari where id = %llu", id).c_str());
    double stored = q.Eof() ? 0.0 : q.GetFloatField(0);
    unsigned long long client = q.Eof() ? IDClient : q.GetIdField(1);
    return settlement::PlanGiveBack(kInvoices, Source::Receipt, id, client, ListedIds(), stored);
}

void MyIncasareDialog::Cancel()
{
    if (IDClient == 0) {
        MessageBox(L"Introduceti clientul !", kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (status != 2) {
        if (MessageBox(L"Anularea implica pierderea numarului de incasare ! \n Anulati incasarea ?", L"Anulare",
                       MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
        if (SaveIncasare(3))
            EndDialog(IDOK);
        return;
    }
    if (MessageBox(L"Anularea implica pierderea numarului de INCASARE ! \n Anulati INCASAREA ?", L"Anulare",
                   MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    SettlementPlan plan;
    try {
        plan = PlanGiveBack();
    } catch (const QSqlError& error) {
        MessageBox(error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
        return;
    }
    if (SaveIncasare(3, &plan))
        EndDialog(IDOK);
}

bool MyIncasareDialog::RevertInvoiceBalances()
{
    SettlementPlan plan;
    try {
        plan = PlanGiveBack();
    } catch (const QSqlError& error) {
        MessageBox(error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
        return false;
    }
    if (!SaveIncasare(1, &plan))
        return false;
    ClearRows();
    return true;
}
