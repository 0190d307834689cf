#include "masterdata/CompanyTableUpgrade.h"
#include "database/SchemaUpgrade.h"

// The company columns are part of the upgrade every open runs; the dialog
// still asks, for a file opened before that upgrade could run.
int AddMissingCompanyColumns(micro::qsql::QsqlDatabase& db)
{
    // A file opened read-only (write-protected, or past bringing up to date) stays as it is.
    return db.IsReadOnly() ? 0 : UpgradeCompanyDatabase(db);
}
