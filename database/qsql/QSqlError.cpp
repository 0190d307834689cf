#include "database/qsql/QSqlError.h"

namespace micro {
namespace qsql {

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
    utils::QString text;
    text.Format(L"%s[%d]: %s", CodeName(m_code), m_code, m_message.c_str());
    return text;
}

} // namespace qsql
} // namespace micro
