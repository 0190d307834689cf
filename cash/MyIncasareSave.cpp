// The receipt editor's writes: keeping, validating, cancelling, reverting.
#include "cash/MyIncasareDialog.h"
#include "cash/CashLists.h"
#include "cash/CashMessages.h"
#include "cash/CashText.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "masterdata/DatabaseMessage.h"
#include "masterdata/NumberText.h"
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
    const QString documente = DocumentIdsText(RowIds(lista));
    if (id != 0) {
        int changed = db.ExecDML(
            SqlFormat(L"update Incasari set serie = '%s' ,numar = %llu ,IDCLient = %llu ,facturi = '%s' ,suma = %.17g "
                      L",sumaStr = '%s' ,data = %llu ,status = %llu ,tip = %llu ,agent = %llu ,documente = '%s' "
                      L"where id = %llu",
                      serie.c_str(), numar, IDClient, facturi.c_str(), suma, sumaStr.c_str(), data, newStatus,
                      static_cast<unsigned long long>(tip), kCurrentUserId, documente.c_str(), id)
                .c_str());
        ThrowIfRowGone(changed, kReceiptWords);
        return id;
    }
    // The number is taken here, inside the save: if another receipt of the
    // series took it meanwhile, the next free one; the counter never goes back.
    unsigned long long counter = static_cast<unsigned long long>(GetInvoiceConfigValue(10));
    unsigned long long number = FirstFreeNumber(L"Incasari", serie, std::max(numar, counter + 1));
    db.ExecDML(SqlFormat(L"update ConfigFacturi set numarChit = %llu where id = %llu ", number, 1ULL).c_str());
    db.ExecDML(SqlFormat(L"insert into  Incasari values ( NULL , '%s' , %llu , %llu , '%s' , %.17g , '%s' , %llu , "
                         L"%llu , %llu , %llu , '%s' ) ",
                         serie.c_str(), number, IDClient, facturi.c_str(), suma, sumaStr.c_str(), data, newStatus,
                         static_cast<unsigned long long>(tip), kCurrentUserId, documente.c_str())
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
        ShowDatabaseMessage(m_hwnd, error);
        return false;
    }
    status = newStatus;
    if (numar != proposed) {
        ShowNumber();
        ShowNumberTaken(m_hwnd, kReceiptWords, proposed, numar);
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
    if (status >= 2) {
        EndDialog(IDCANCEL);
        return;
    }
    if (!UpdateData(false))
        return;
    tip = ChosenPaymentType(comboTip, tip);
    if (SaveIncasare(1))
        EndDialog(IDOK);
}

void MyIncasareDialog::Validate()
{
    // Validated: nothing to write (its fields are read-only). Cancelled or
    // reversed: its number is lost, it never settles again.
    if (status >= 2) {
        EndDialog(IDCANCEL);
        return;
    }
    if (IDClient == 0) {
        MessageBox(L"Introduceti Clientul pentru validare ", kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    double amount = 0.0;
    if (!AmountFromEdit(amount))
        return;
    SettlementPlan plan = PlanValidation(kInvoices, IDClient, RowIds(lista), amount);
    if (!ConfirmSettlementPlan(m_hwnd, plan, kReceiptWords, lista))
        return;
    suma = amount;
    data = static_cast<unsigned long long>(DateFromPicker());
    tip = ChosenPaymentType(comboTip, tip);
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
    return settlement::PlanGiveBack(kInvoices, Source::Receipt, id, client, RowIds(lista), stored);
}

void MyIncasareDialog::Cancel()
{
    if (IDClient == 0) {
        MessageBox(L"Introduceti clientul !", kAtentie, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (status >= 3)
        return;
    // A cancelled receipt keeps the date it showed.
    data = static_cast<unsigned long long>(DateFromPicker());
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
        ShowDatabaseMessage(m_hwnd, error);
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
        ShowDatabaseMessage(m_hwnd, error);
        return false;
    }
    if (!SaveIncasare(1, &plan))
        return false;
    ClearRows();
    ShowStatus();
    MarkSaved();
    return true;
}
