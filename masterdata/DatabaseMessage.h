#pragma once
#include <windows.h>
#include "database/qsql/QSqlError.h"

// Database errors of the master-data dialogs are caught where their SQL runs
// and shown to the user in a box titled "Message".
void ShowDatabaseMessage(HWND owner, const micro::qsql::QSqlError& error);
// A command that reads the company database asks this first: without one
// open it is refused in the database layer's own words, and false comes back.
bool RequireOpenDatabase(HWND owner);
