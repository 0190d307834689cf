#include "database/SchemaUpgrade.h"
#include <cwchar>
#include <vector>

using micro::qsql::QsqlDatabase;
using micro::utils::QString;

namespace {

struct AddedColumn {
    const wchar_t* table;
    const wchar_t* name;
    const wchar_t* type;
};

// Every column a later version added to a table that older files already
// have. A column added in a new version is one more line here.
const AddedColumn kAddedColumns[] = {
    // The company row as the company dialog and the printed pages read it.
    {L"Societate", L"denumire", L"varchar"},  {L"Societate", L"nrreg", L"varchar"},
    {L"Societate", L"cui", L"varchar"},       {L"Societate", L"tvaincasare", L"int"},
    {L"Societate", L"banca", L"varchar"},     {L"Societate", L"cont", L"varchar"},
    {L"Societate", L"adresa", L"varchar"},    {L"Societate", L"oras", L"varchar"},
    {L"Societate", L"telefon", L"varchar"},   {L"Societate", L"fax", L"varchar"},
    {L"Societate", L"logo", L"blob"},         {L"Societate", L"cotaTVA", L"int"},
    {L"Societate", L"background", L"blob"},   {L"Societate", L"stampila", L"blob"},
    {L"Societate", L"banca2", L"varchar"},    {L"Societate", L"cont2", L"varchar"},
    // The ids of the documents a receipt or payment was made over ("12,13"):
    // numbers alone can name another document of the partner.
    {L"Incasari", L"documente", L"varchar"},  {L"Plati", L"documente", L"varchar"},
};

std::vector<QString> ColumnsOf(QsqlDatabase& db, const wchar_t* table)
{
    std::vector<QString> present;
    // Table names are this file's constants, never user text.
    micro::qsql::QsqlQuery columns = db.ExecQuery(QString::Formatted(L"PRAGMA table_info(%s)", table).c_str());
    for (; !columns.Eof(); columns.NextRow())
        present.push_back(columns.GetStringField(1));
    return present;
}

bool Contains(const std::vector<QString>& names, const wchar_t* name)
{
    for (const QString& present : names) {
        if (present.CompareNoCase(name) == 0)
            return true;
    }
    return false;
}

} // namespace

int UpgradeCompanyDatabase(QsqlDatabase& db)
{
    micro::qsql::QsqlTransaction transaction(db);
    int added = 0;
    const wchar_t* table = nullptr;
    std::vector<QString> present;
    for (const AddedColumn& column : kAddedColumns) {
        if (!table || wcscmp(table, column.table) != 0) {
            table = column.table;
            present = ColumnsOf(db, table);
        }
        // A table the file lacks altogether is no upgrade's business.
        if (present.empty() || Contains(present, column.name))
            continue;
        db.ExecDML(QString::Formatted(L"ALTER TABLE %s ADD COLUMN %s %s", column.table, column.name, column.type)
                       .c_str());
        ++added;
    }
    transaction.Commit();
    return added;
}
