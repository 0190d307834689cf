#pragma once
#include "database/qsql/QsqlDatabase.h"

// Makes a new company database at path: UTF-16le, every table and its default
// rows in one transaction. On failure the half-made file is deleted and the
// error (QSqlError) passed on; an existing file is refused and left alone.
void CreateCompanyDatabase(micro::qsql::QsqlDatabase& db, const wchar_t* path);
// Opens an existing company database, adds the columns an older file lacks
// (UpgradeCompanyDatabase) and the look-up indexes it lacks. A file that
// cannot be brought up to date is opened read-only instead: false.
bool OpenCompanyDatabase(micro::qsql::QsqlDatabase& db, const wchar_t* path);
// Every table of a new file with the rows it starts with, on an empty
// database: the program's layout, which older files are compared with.
void CreateCompanyLayout(micro::qsql::QsqlDatabase& db);
// The mark (user_version) of a file this version has brought up to date:
// its indexes, stocReal and balances as this version keeps them.
int CompanyFileMark();
// The tables a company database holds, in creation order.
extern const wchar_t* const kCompanyTables[];
extern const int kCompanyTableCount;
// Plati.data holds the moment a payment was made less this many seconds;
// whatever shows or filters a payment's date adds them back.
const long long kPaymentDateShift = 7200;
// IntrariGenerale.dataCreare and IesiriGenerale.dataCreare hold the moment
// the movement's editor shows less this many seconds; the stock rule adds
// them back, so a movement counts on the day its editor shows.
const long long kMovementDateShift = 7200;
