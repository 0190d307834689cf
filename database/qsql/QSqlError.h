#pragma once
#include "framework/utils/QString.h"

struct sqlite3;

namespace micro {
namespace qsql {

// The database exception: a code and a message. Unrelated to utils::QError.
class QSqlError {
public:
    static const int kWrapperError = 1000;

    QSqlError(int code, const wchar_t* message) : m_code(code), m_message(message) {}
    QSqlError(int code, const utils::QString& message, const utils::QString& file = utils::QString())
        : m_code(code), m_message(message), m_file(file)
    {
    }
    // The connection's last error (rc when it keeps none), with the file it has open.
    static QSqlError FromConnection(sqlite3* db, int rc);
    // A statement asked of a connection that has no file open.
    static QSqlError NotOpen();
    // What SQLite would say of the file: something at its place that cannot be
    // opened as a file (a folder), and damage a check of the file found.
    static QSqlError CannotOpen(const utils::QString& file);
    static QSqlError Damaged(const utils::QString& file);

    int GetCode() const { return m_code; }
    const utils::QString& GetMessage() const { return m_message; }
    // What every box shows. The failures a user can do something about (the
    // file is no database, cannot be opened, is damaged, is held by another
    // program, is write-protected, none is open) are said in Romanian with the
    // file's path; any other reads "%s[%d]: %s" (code name, code, message).
    utils::QString GetText() const;
    // "SQLITE_ERROR" for 1 (extended codes by their primary code), "CPPSQLITE_ERROR" for 1000.
    static const wchar_t* CodeName(int code);

private:
    int m_code;
    utils::QString m_message;
    utils::QString m_file;
};

} // namespace qsql
} // namespace micro
