#pragma once
#include "database/qsql/QsqlDatabase.h"

// Files made by older versions lack columns this version reads. Every column
// the program knows to have been added is added where it is missing, all in
// one transaction, so no window meets an older layout. Answers how many were
// added; a failure throws QSqlError with nothing changed.
int UpgradeCompanyDatabase(micro::qsql::QsqlDatabase& db);
