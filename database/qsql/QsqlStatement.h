#pragma once
#include "database/qsql/QSqlError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace micro {
namespace qsql {

class QsqlDatabase;

// A compiled statement with parameters; finalized in its destructor.
class QsqlStatement {
public:
    QsqlStatement(QsqlDatabase& db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}
    QsqlStatement(QsqlStatement&& other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt) { other.m_stmt = nullptr; }
    QsqlStatement(const QsqlStatement&) = delete;
    QsqlStatement& operator=(const QsqlStatement&) = delete;
    ~QsqlStatement();

    // Parameters count from 1.
    void Bind(int param, const void* blob, int size);
    void Bind(int param, const wchar_t* text);
    void Bind(int param, long long value);
    void Bind(int param, double value);
    void BindNull(int param);
    // Runs the statement; answers the rows changed. The statement can run again.
    int ExecDML();
    void Reset();

private:
    void Throw(int rc, const wchar_t* fallback);
    QsqlDatabase& m_db;
    sqlite3_stmt* m_stmt;
};

} // namespace qsql
} // namespace micro
