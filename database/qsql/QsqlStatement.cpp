#include "database/qsql/QsqlStatement.h"
#include "database/qsql/QsqlDatabase.h"
#include "database/qsql/SqlText.h"
#include "sqlite3.h"
#include <cmath>
#include <cwchar>

namespace micro {
namespace qsql {

QsqlStatement::~QsqlStatement()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

void QsqlStatement::Throw(int rc, const wchar_t* fallback)
{
    if (fallback)
        throw QSqlError(QSqlError::kWrapperError, fallback);
    throw QSqlError::FromConnection(m_db.GetHandle(), rc);
}

void QsqlStatement::Bind(int param, const void* blob, int size)
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Null Virtual Machine pointer");
    int rc = sqlite3_bind_blob(m_stmt, param, blob ? blob : "", size > 0 ? size : 0, SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        Throw(rc, L"Error binding blob param");
}

void QsqlStatement::Bind(int param, const wchar_t* text)
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Null Virtual Machine pointer");
    utils::QString safe = SqlSafeText(text ? text : L"");
    int rc = sqlite3_bind_text16(m_stmt, param, safe.c_str(), -1, SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        Throw(rc, L"Error binding string param");
}

void QsqlStatement::Bind(int param, long long value)
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Null Virtual Machine pointer");
    int rc = sqlite3_bind_int64(m_stmt, param, value);
    if (rc != SQLITE_OK)
        Throw(rc, L"Error binding int param");
}

void QsqlStatement::Bind(int param, double value)
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Null Virtual Machine pointer");
    if (!std::isfinite(value))
        SqlNumber(value); // throws the refusal every writer of numbers gives
    int rc = sqlite3_bind_double(m_stmt, param, value);
    if (rc != SQLITE_OK)
        Throw(rc, L"Error binding float param");
}

void QsqlStatement::BindNull(int param)
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Null Virtual Machine pointer");
    int rc = sqlite3_bind_null(m_stmt, param);
    if (rc != SQLITE_OK)
        Throw(rc, L"Error binding null param");
}

int QsqlStatement::ExecDML()
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Null Virtual Machine pointer");
    QsqlDatabase::Writing writing(m_db);
    int rc = sqlite3_step(m_stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        QSqlError error = QSqlError::FromConnection(m_db.GetHandle(), rc);
        sqlite3_reset(m_stmt);
        throw error;
    }
    int changes = sqlite3_changes(m_db.GetHandle());
    sqlite3_reset(m_stmt);
    return changes;
}

void QsqlStatement::Reset()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

} // namespace qsql
} // namespace micro
