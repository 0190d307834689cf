#pragma once
#include <string>
#include "database/qsql/QsqlDatabase.h"

// What start-up finds at the company file's place.
enum class CompanyFileState {
    Usable,          // the program's tables, intact and writable
    NotCompanyFile,  // none of the program's tables (a zero-byte file included)
    Damaged,         // the integrity check found faults
    ReadOnly,        // intact, but the file cannot be written
};

// Opens the existing file at path on db and looks at it without changing it.
// Usable and ReadOnly leave db open (ReadOnly for reading only); the others
// leave it closed. A file SQLite cannot read at all (not a database, busy
// past the time-out) throws QSqlError. Only `wholeFile` reads every page
// (PRAGMA quick_check) to find damage: seconds on a ten-year file.
CompanyFileState CheckCompanyFile(micro::qsql::QsqlDatabase& db, const wchar_t* path, bool wholeFile = true);

// A session marks its company file open ("Societate.deschis" beside it) from
// before its first read to its clean close. Found at the next start, the mark
// says the last session ended otherwise (killed, crashed, power lost) or on a
// damaged file, and the file gets the whole check again.
bool SessionMarkFound(const wchar_t* path);
// Writes the mark to the disk; false when the folder takes no file.
bool MarkSessionOpen(const wchar_t* path);
void MarkSessionClosed(const wchar_t* path);

// Moves a file that is no company database out of the way, beside it under a
// name no file has yet ("Societate.vechi", "Societate.vechi2", ...), so a new
// one can take its place; never deletes it. Answers the new path, empty when
// the file could not be moved.
std::wstring SetCompanyFileAside(const wchar_t* path);
