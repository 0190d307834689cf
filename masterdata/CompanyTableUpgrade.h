#pragma once
#include "database/qsql/QsqlDatabase.h"

// Files made by older versions lack some columns of Societate; this brings the
// whole file up to the program's layout (UpgradeCompanyDatabase, one
// transaction) and answers how many columns and tables were added.
int AddMissingCompanyColumns(micro::qsql::QsqlDatabase& db);
