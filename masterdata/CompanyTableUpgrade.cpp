#include "masterdata/CompanyTableUpgrade.h"
#include "database/SchemaUpgrade.h"

// The company columns are part of the upgrade every open runs; the dialog
// still asks, for a file opened before that upgrade could run.
int AddMissingCompanyColumns(micro::qsql::QsqlDatabase& db)
{
    return UpgradeCompanyDatabase(db);
}
