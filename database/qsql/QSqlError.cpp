#include "database/qsql/QSqlError.h"
#include "sqlite3.h"
#include <windows.h>

namespace micro {
namespace qsql {

namespace {

const wchar_t kNotOpenMessage[] = L"Database is not open";

// Romanian, without diacritics, as every box of the program.
const wchar_t kNotDatabase[] = L"Fisierul societatii nu este o baza de date";
const wchar_t kReadOnly[] = L"Documentul nu a fost salvat deoarece fisierul societatii este protejat la scriere";
const wchar_t kUnchanged[] = L"Fisierul nu a fost modificat.";
const wchar_t kNothingOpen[] = L"Nu este deschis niciun fisier al societatii !";
const wchar_t kInUse[] = L"Fisierul societatii este folosit de alt program";
const wchar_t kTryAgain[] = L"Incercati din nou dupa ce celalalt program termina.";
const wchar_t kCannotOpen[] = L"Fisierul societatii nu poate fi deschis";
const wchar_t kDamaged[] = L"Fisierul societatii este deteriorat";
const wchar_t kDamagedMessage[] = L"database disk image is malformed";
const wchar_t kCannotOpenMessage[] = L"unable to open database file";

// A hot journal that cannot be rolled back on a write-protected file stops a
// read, not a save: those keep SQLite's own words.
bool RefusedWrite(int code)
{
    return (code & 0xff) == SQLITE_READONLY && code != SQLITE_READONLY_RECOVERY && code != SQLITE_READONLY_ROLLBACK;
}

utils::QString Utf8ToWide(const char* text)
{
    utils::QString wide;
    int n = text && *text ? MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0) : 0;
    if (n > 1) {
        MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.GetBuffer(n), n);
        wide.ReleaseBuffer();
    }
    return wide;
}

// Another program holds the file (its lock outlasted the busy time-out).
// A connection that cannot close because of its own statement still alive
// is also SQLITE_BUSY, but names no file: a fault of the program, told in
// SQLite's words.
bool HeldByAnother(int code, const utils::QString& file)
{
    int primary = code & 0xff;
    return (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) && !file.IsEmpty();
}

// What is wrong, the file on a line of its own when it is known, then what
// follows for the user (by default, that the file was left as it was).
utils::QString AboutFile(const wchar_t* what, const utils::QString& file, const wchar_t* after = kUnchanged)
{
    utils::QString text(what);
    text += file.IsEmpty() ? L"." : L":\n";
    text += file;
    text += L"\n\n";
    text += after;
    return text;
}

} // namespace

QSqlError QSqlError::FromConnection(sqlite3* db, int rc)
{
    if (!db)
        return QSqlError(rc, L"out of memory");
    int code = sqlite3_extended_errcode(db);
    return QSqlError(code ? code : rc, utils::QString(static_cast<const wchar_t*>(sqlite3_errmsg16(db))),
                     Utf8ToWide(sqlite3_db_filename(db, "main")));
}

QSqlError QSqlError::NotOpen()
{
    return QSqlError(kWrapperError, kNotOpenMessage);
}

QSqlError QSqlError::CannotOpen(const utils::QString& file)
{
    return QSqlError(SQLITE_CANTOPEN, kCannotOpenMessage, file);
}

QSqlError QSqlError::Damaged(const utils::QString& file)
{
    return QSqlError(SQLITE_CORRUPT, kDamagedMessage, file);
}

const wchar_t* QSqlError::CodeName(int code)
{
    static const wchar_t* const names[] = {
        L"SQLITE_OK",       L"SQLITE_ERROR",    L"SQLITE_INTERNAL", L"SQLITE_PERM",     L"SQLITE_ABORT",
        L"SQLITE_BUSY",     L"SQLITE_LOCKED",   L"SQLITE_NOMEM",    L"SQLITE_READONLY", L"SQLITE_INTERRUPT",
        L"SQLITE_IOERR",    L"SQLITE_CORRUPT",  L"SQLITE_NOTFOUND", L"SQLITE_FULL",     L"SQLITE_CANTOPEN",
        L"SQLITE_PROTOCOL", L"SQLITE_EMPTY",    L"SQLITE_SCHEMA",   L"SQLITE_TOOBIG",   L"SQLITE_CONSTRAINT",
        L"SQLITE_MISMATCH", L"SQLITE_MISUSE",   L"SQLITE_NOLFS",    L"SQLITE_AUTH",     L"SQLITE_FORMAT",
        L"SQLITE_RANGE",    L"SQLITE_NOTADB",   L"SQLITE_NOTICE",   L"SQLITE_WARNING",
    };
    if (code == kWrapperError)
        return L"CPPSQLITE_ERROR";
    if (code == 100)
        return L"SQLITE_ROW";
    if (code == 101)
        return L"SQLITE_DONE";
    int primary = code & 0xff;
    if (primary >= 0 && primary < static_cast<int>(sizeof(names) / sizeof(names[0])))
        return names[primary];
    return L"UNKNOWN_ERROR";
}

utils::QString QSqlError::GetText() const
{
    if (m_code == kWrapperError && m_message == kNotOpenMessage)
        return utils::QString(kNothingOpen);
    switch (m_code & 0xff) {
    case SQLITE_NOTADB: return AboutFile(kNotDatabase, m_file);
    case SQLITE_CANTOPEN: return AboutFile(kCannotOpen, m_file);
    case SQLITE_CORRUPT: return AboutFile(kDamaged, m_file);
    default: break;
    }
    if (HeldByAnother(m_code, m_file))
        return AboutFile(kInUse, m_file, kTryAgain);
    if (RefusedWrite(m_code))
        return AboutFile(kReadOnly, m_file);
    utils::QString text;
    text.Format(L"%s[%d]: %s", CodeName(m_code), m_code, m_message.c_str());
    return text;
}

} // namespace qsql
} // namespace micro
