#pragma once
#include "database/qsql/QsqlDatabase.h"

// Files made by older versions lack columns (or tables) this version writes.
// Every table is compared with the program's layout, the one Schema creates
// for a new file: a missing table is created, missing columns are added with
// the value a new file gets (its own rows' values; other rows keep NULL, but
// a balance or stocReal gets the figure the rules give), all in one
// transaction, so no save meets an older layout. A file not yet marked by
// this version (CompanyFileMark) also has its balances read as this version
// reads them (EarlierBalancesSql), in the same transaction. Columns missing
// only at the end are appended; a table missing a column in the middle is
// rebuilt in layout order, because the program inserts by position. Answers
// how many columns and tables were added. A column the program does not know
// makes the file impossible to bring up to date: QSqlError, nothing changed.
int UpgradeCompanyDatabase(micro::qsql::QsqlDatabase& db);

// What a file of an earlier version holds that this version reads otherwise:
// a live return invoice kept at balance 0 gets its (negative) total.
const wchar_t* EarlierBalancesSql();
