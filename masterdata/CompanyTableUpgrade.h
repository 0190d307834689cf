#pragma once
#include "database/qsql/QsqlDatabase.h"

// Files made by older versions lack some columns of Societate; this adds each
// missing one (in one transaction) and answers how many were added.
int AddMissingCompanyColumns(micro::qsql::QsqlDatabase& db);
