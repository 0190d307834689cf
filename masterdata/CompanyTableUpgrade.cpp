#include "masterdata/CompanyTableUpgrade.h"
#include <vector>

using micro::utils::QString;

namespace {

struct CompanyColumn {
    const wchar_t* name;
    const wchar_t* type;
};
// The company row as this version reads and writes it.
const CompanyColumn kCompanyColumns[] = {
    {L"denumire", L"varchar"}, {L"nrreg", L"varchar"},  {L"cui", L"varchar"},     {L"tvaincasare", L"int"},
    {L"banca", L"varchar"},    {L"cont", L"varchar"},   {L"adresa", L"varchar"},  {L"oras", L"varchar"},
    {L"telefon", L"varchar"},  {L"fax", L"varchar"},    {L"logo", L"blob"},       {L"cotaTVA", L"int"},
    {L"background", L"blob"},  {L"stampila", L"blob"},  {L"banca2", L"varchar"},  {L"cont2", L"varchar"},
};

} // namespace

int AddMissingCompanyColumns(micro::qsql::QsqlDatabase& db)
{
    std::vector<QString> present;
    {
        micro::qsql::QsqlQuery columns = db.ExecQuery(L"PRAGMA table_info(Societate)");
        for (; !columns.Eof(); columns.NextRow())
            present.push_back(columns.GetStringField(1));
    }
    micro::qsql::QsqlTransaction transaction(db);
    int added = 0;
    for (const CompanyColumn& column : kCompanyColumns) {
        bool found = false;
        for (const QString& name : present)
            found = found || name.CompareNoCase(column.name) == 0;
        if (found)
            continue;
        // Names and types are this file's constants, never user text.
        db.ExecDML(QString::Formatted(L"ALTER TABLE Societate ADD COLUMN %s %s", column.name, column.type).c_str());
        ++added;
    }
    transaction.Commit();
    return added;
}
