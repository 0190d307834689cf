#include "database/qsql/QsqlQuery.h"
#include "sqlite3.h"

namespace micro {
namespace qsql {

QsqlQuery::QsqlQuery(sqlite3* db, sqlite3_stmt* stmt, bool eof)
    : m_db(db), m_stmt(stmt), m_eof(eof), m_columns(stmt ? sqlite3_column_count(stmt) : 0)
{
}

QsqlQuery::QsqlQuery(QsqlQuery&& other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_eof(other.m_eof), m_columns(other.m_columns)
{
    other.m_stmt = nullptr;
    other.m_eof = true;
}

QsqlQuery& QsqlQuery::operator=(QsqlQuery&& other) noexcept
{
    if (this != &other) {
        Finalize();
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        m_eof = other.m_eof;
        m_columns = other.m_columns;
        other.m_stmt = nullptr;
        other.m_eof = true;
    }
    return *this;
}

QsqlQuery::~QsqlQuery()
{
    Finalize();
}

void QsqlQuery::Finalize()
{
    if (m_stmt) {
        sqlite3_finalize(m_stmt); // errors were reported by the step
        m_stmt = nullptr;
    }
}

int QsqlQuery::NumFields() const
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Query VM error");
    return m_columns;
}

void QsqlQuery::Check(int column) const
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Query VM error");
    if (column < 0 || column >= m_columns)
        throw QSqlError(QSqlError::kWrapperError, L"Invalid field index");
}

void QsqlQuery::NextRow()
{
    if (!m_stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Null Virtual Machine pointer");
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return;
    m_eof = true;
    if (rc == SQLITE_DONE)
        return;
    QSqlError error = QSqlError::FromConnection(m_db, rc);
    Finalize();
    throw error;
}

long long QsqlQuery::GetIntField(int column) const
{
    Check(column);
    return sqlite3_column_int64(m_stmt, column);
}

double QsqlQuery::GetFloatField(int column, double nullValue) const
{
    Check(column);
    if (sqlite3_column_type(m_stmt, column) == SQLITE_NULL)
        return nullValue;
    return sqlite3_column_double(m_stmt, column);
}

const wchar_t* QsqlQuery::GetTextField(int column) const
{
    Check(column);
    const void* text = sqlite3_column_text16(m_stmt, column);
    return text ? static_cast<const wchar_t*>(text) : L"";
}

utils::QString QsqlQuery::GetStringField(int column) const
{
    Check(column);
    const void* text = sqlite3_column_text16(m_stmt, column);
    if (!text)
        return utils::QString();
    int bytes = sqlite3_column_bytes16(m_stmt, column);
    return utils::QString(static_cast<const wchar_t*>(text), bytes / 2);
}

const unsigned char* QsqlQuery::GetBlobField(int column, int& size) const
{
    Check(column);
    const void* blob = sqlite3_column_blob(m_stmt, column);
    size = sqlite3_column_bytes(m_stmt, column);
    return static_cast<const unsigned char*>(blob);
}

bool QsqlQuery::FieldIsNull(int column) const
{
    Check(column);
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

} // namespace qsql
} // namespace micro
