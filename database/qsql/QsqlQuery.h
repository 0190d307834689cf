#pragma once
#include "database/qsql/QSqlError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace micro {
namespace qsql {

// The rows of a query, positioned on the current row. Owns its statement
// (moves, never copies) and finalizes it when destroyed.
class QsqlQuery {
public:
    QsqlQuery() : m_db(nullptr), m_stmt(nullptr), m_eof(true), m_columns(0) {}
    QsqlQuery(sqlite3* db, sqlite3_stmt* stmt, bool eof);
    QsqlQuery(QsqlQuery&& other) noexcept;
    QsqlQuery& operator=(QsqlQuery&& other) noexcept;
    QsqlQuery(const QsqlQuery&) = delete;
    QsqlQuery& operator=(const QsqlQuery&) = delete;
    ~QsqlQuery();

    bool Eof() const { return m_eof; }
    int NumFields() const;
    // Steps to the next row: SQLITE_ROW goes on, SQLITE_DONE sets the end,
    // any other code throws.
    void NextRow();
    // NULL reads 0.
    long long GetIntField(int column) const;
    unsigned long long GetIdField(int column) const { return static_cast<unsigned long long>(GetIntField(column)); }
    // NULL reads the default.
    double GetFloatField(int column, double nullValue = 0.0) const;
    // NULL reads empty; a stored number reads as SQLite's text of it ("100.0").
    utils::QString GetStringField(int column) const;
    // The text in SQLite's own memory, valid until the next step; NULL reads empty.
    const wchar_t* GetTextField(int column) const;
    // The blob's bytes (valid until the next step) and their count.
    const unsigned char* GetBlobField(int column, int& size) const;
    bool FieldIsNull(int column) const;
    void Finalize();

private:
    void Check(int column) const;

    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
    bool m_eof;
    int m_columns;
};

} // namespace qsql
} // namespace micro
