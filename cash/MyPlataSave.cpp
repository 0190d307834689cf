#include "cash/MyPlataDialog.h"
#include "cash/CashLists.h"
#include "cash/CashMessages.h"
#include "cash/CashText.h"
#include "cash/Settlement.h"
#include "database/MyRepository.h"
#include "masterdata/DatabaseMessage.h"
#include "resources/resource.h"

using micro::qsql::QsqlStatement;
using micro::qsql::QsqlTransaction;
using micro::qsql::QSqlError;

namespace {
// Nothing assigns a current user: payments record 0 as their agent.
const unsigned long long kCurrentUserId = 0;
} // namespace

bool MyPlataDialog::SavePlata()
{
    return SaveAs(status);
}

// One transaction: the notes' balances and allocations of the plan, the
// payment's row and, for a new payment, its number and the counter. Any
// failure rolls all of it back, shows the error and leaves the members as
// they were.
bool MyPlataDialog::SaveAs(unsigned long long newStatus, const settlement::SettlementPlan* plan)
{
    if (IDClient == 0) {
        MessageBox(L"Introduceti clientul !", L"Message", MB_OK);
        return false;
    }
    const unsigned long long previousStatus = status, previousId = id, previousNumber = numar;
    data = dataPicker.GetUnixTime();
    status = newStatus;
    try {
        if (plan) {
            settlement::ApplySettlement(settlement::kGoodsReceived, settlement::Source::Payment, *plan, [this] {
                WritePayment();
                return id;
            });
        } else {
            QsqlTransaction transaction(GetRepository());
            WritePayment();
            transaction.Commit();
        }
    } catch (const QSqlError& error) {
        status = previousStatus;
        id = previousId;
        numar = previousNumber;
        ShowNumber();
        ShowDatabaseMessage(m_hwnd, error);
        return false;
    }
    if (numar != previousNumber) {
        ShowNumber();
        ShowNumberTaken(m_hwnd, kPaymentWords, previousNumber, numar);
    }
    return true;
}

void MyPlataDialog::WritePayment()
{
    MyRepository& db = GetRepository();
    const bool isNew = id == 0;
    if (isNew)
        numar = TakeNumber();
    QsqlStatement write = db.CompileStatement(
        isNew ? L"insert into Plati (serie, numar, IDClient, facturi, suma, sumaStr, data, status, tip, agent, "
                L"documente) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
              : L"update Plati set serie = ?, numar = ?, IDClient = ?, facturi = ?, suma = ?, sumaStr = ?, data = ?, "
                L"status = ?, tip = ?, agent = ?, documente = ? where id = ?");
    write.Bind(1, serie.c_str());
    write.Bind(2, static_cast<long long>(numar));
    write.Bind(3, static_cast<long long>(IDClient));
    write.Bind(4, facturi.c_str());
    write.Bind(5, suma);
    write.Bind(6, sumaStr.c_str());
    write.Bind(7, data - kStoredDateShift);
    write.Bind(8, static_cast<long long>(status));
    write.Bind(9, tip);
    write.Bind(10, static_cast<long long>(kCurrentUserId));
    const micro::utils::QString documente = DocumentIdsText(RowIds(listaNiruri));
    write.Bind(11, documente.c_str());
    if (!isNew)
        write.Bind(12, static_cast<long long>(id));
    int changed = write.ExecDML();
    if (!isNew) {
        ThrowIfRowGone(changed, kPaymentWords);
        return;
    }
    id = static_cast<unsigned long long>(db.LastInsertRowId());
    QsqlStatement counter = db.CompileStatement(
        L"update ConfigFacturi set numarPlati = ? where id = 1 and (numarPlati is null or numarPlati < ?)");
    counter.Bind(1, static_cast<long long>(numar));
    counter.Bind(2, static_cast<long long>(numar));
    counter.ExecDML();
}

// The number shown when the editor opened, unless the counter has passed it
// meanwhile; then the next number no payment of the series holds.
unsigned long long MyPlataDialog::TakeNumber()
{
    MyRepository& db = GetRepository();
    unsigned long long next = static_cast<unsigned long long>(
                                  db.ExecScalar(L"select numarPlati from ConfigFacturi where id = 1")) + 1;
    return FirstFreeNumber(L"Plati", serie, numar > next ? numar : next);
}
