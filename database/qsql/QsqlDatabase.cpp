#include "database/qsql/QsqlDatabase.h"
#include "framework/qdialog/QMessageBox.h"
#include "sqlite3.h"
#include <windows.h>
#include <algorithm>
#include <string>

namespace micro {
namespace qsql {

namespace {

// Lets the framework's window and dialog procedures show a database error
// that escaped a handler with its own text.
bool TranslateSqlError(utils::QString& text)
{
    try {
        throw;
    } catch (const QSqlError& error) {
        text = error.GetText();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

QsqlDatabase::QsqlDatabase() : m_db(nullptr), m_busyTimeout(60000), m_writing(0), m_waitStarted(0)
{
    qdialog::AddExceptionTranslator(&TranslateSqlError);
}

QsqlDatabase::~QsqlDatabase()
{
    FinalizeCached();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void QsqlDatabase::ThrowLast(int rc) const
{
    throw QSqlError::FromConnection(m_db, rc);
}

void QsqlDatabase::Open(const wchar_t* path, bool create)
{
    OpenWithFlags(path, SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0));
}

void QsqlDatabase::OpenReadOnly(const wchar_t* path)
{
    OpenWithFlags(path, SQLITE_OPEN_READONLY);
}

bool QsqlDatabase::IsReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

void QsqlDatabase::OpenWithFlags(const wchar_t* path, int flags)
{
    Close();
    // SQLite wants the path in UTF-8.
    int n = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n : 1, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, path, -1, &utf8[0], n, nullptr, nullptr);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(utf8.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        utils::QString message(db ? static_cast<const wchar_t*>(sqlite3_errmsg16(db)) : L"out of memory");
        if (db)
            sqlite3_close_v2(db);
        throw QSqlError(rc, message, utils::QString(path));
    }
    m_db = db;
    sqlite3_busy_handler(m_db, &QsqlDatabase::OnBusy, this);
    // Reads through a mapping of the file: under Wine every page read with
    // ReadFile is a round trip to the server (a whole-file check took 12 s
    // instead of 0.9 s). Writes still go through the rollback journal and
    // are synced as before. 2 GB is SQLite's ceiling on Windows.
    sqlite3_exec(m_db, "PRAGMA mmap_size = 2147418112", nullptr, nullptr, nullptr);
}

void QsqlDatabase::FinalizeCached()
{
    for (auto& cached : m_cached)
        sqlite3_finalize(cached.second);
    m_cached.clear();
}

sqlite3_stmt* QsqlDatabase::CachedStatement(const wchar_t* sql)
{
    auto found = m_cached.find(sql);
    if (found != m_cached.end())
        return found->second;
    sqlite3_stmt* stmt = Prepare(sql);
    m_cached[sql] = stmt;
    return stmt;
}

void QsqlDatabase::Close()
{
    if (!m_db)
        return;
    // A statement left compiled would keep the connection from closing.
    FinalizeCached();
    int rc = sqlite3_close(m_db);
    // A statement of this connection still alive is the program's own fault,
    // not another program's lock: the error names no file.
    if (rc != SQLITE_OK)
        throw QSqlError(rc, utils::QString(static_cast<const wchar_t*>(sqlite3_errmsg16(m_db))));
    m_db = nullptr;
}

void QsqlDatabase::SetBusyTimeout(int milliseconds)
{
    m_busyTimeout = milliseconds;
}

int QsqlDatabase::GetWriteBusyTimeout() const
{
    return m_busyTimeout < kWriteBusyTimeoutMs ? m_busyTimeout : kWriteBusyTimeoutMs;
}

// Called by SQLite while another connection holds the lock it needs, `count`
// times before in this wait: 1 to try again after a pause, 0 to give up.
// Only a write that has to wait shows the wait cursor (setting it on every
// write took a third of an empty file's start-up under Wine).
int QsqlDatabase::OnBusy(void* self, int count)
{
    QsqlDatabase& db = *static_cast<QsqlDatabase*>(self);
    ULONGLONG now = GetTickCount64();
    if (count == 0)
        db.m_waitStarted = now;
    ULONGLONG waited = now - db.m_waitStarted;
    ULONGLONG limit = static_cast<ULONGLONG>(db.m_writing > 0 ? db.GetWriteBusyTimeout() : db.m_busyTimeout);
    if (waited >= limit)
        return 0;
    if (db.m_writing > 0 && !db.m_waitCursor)
        db.m_waitCursor.emplace();
    // Short pauses first, as SQLite's own time-out makes them: most locks are
    // a moment's.
    static const DWORD pauses[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    const int steps = sizeof(pauses) / sizeof(pauses[0]);
    Sleep(static_cast<DWORD>(std::min<ULONGLONG>(pauses[count < steps ? count : steps - 1], limit - waited)));
    return 1;
}

QsqlDatabase::Writing::Writing(QsqlDatabase& db) : m_db(db)
{
    ++m_db.m_writing;
}

QsqlDatabase::Writing::~Writing()
{
    if (--m_db.m_writing == 0)
        m_db.m_waitCursor.reset();
}

void QsqlDatabase::CheckOpen() const
{
    if (!m_db)
        throw QSqlError::NotOpen();
}

sqlite3_stmt* QsqlDatabase::Prepare(const wchar_t* sql)
{
    CheckOpen();
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare16_v2(m_db, sql ? sql : L"", -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        ThrowLast(rc);
    if (!stmt)
        throw QSqlError(QSqlError::kWrapperError, L"Query VM error");
    return stmt;
}

int QsqlDatabase::ExecDML(const wchar_t* sql)
{
    Writing writing(*this);
    sqlite3_stmt* stmt = Prepare(sql);
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        QSqlError error = QSqlError::FromConnection(m_db, rc);
        sqlite3_finalize(stmt);
        throw error;
    }
    sqlite3_finalize(stmt);
    return sqlite3_changes(m_db);
}

QsqlQuery QsqlDatabase::ExecQuery(const wchar_t* sql)
{
    sqlite3_stmt* stmt = Prepare(sql);
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return QsqlQuery(m_db, stmt, false);
    if (rc == SQLITE_DONE)
        return QsqlQuery(m_db, stmt, true);
    QSqlError error = QSqlError::FromConnection(m_db, rc);
    sqlite3_finalize(stmt);
    throw error;
}

long long QsqlDatabase::ExecScalar(const wchar_t* sql, long long nullValue)
{
    QsqlQuery q = ExecQuery(sql);
    if (q.Eof() || q.FieldIsNull(0))
        return nullValue;
    return q.GetIntField(0);
}

QsqlStatement QsqlDatabase::CompileStatement(const wchar_t* sql)
{
    return QsqlStatement(*this, Prepare(sql));
}

long long QsqlDatabase::TotalChanges() const
{
    return m_db ? sqlite3_total_changes64(m_db) : 0;
}

long long QsqlDatabase::LastInsertRowId() const
{
    CheckOpen();
    return sqlite3_last_insert_rowid(m_db);
}

bool QsqlDatabase::InTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

int QsqlTransaction::s_depth = 0;

QsqlTransaction::QsqlTransaction(QsqlDatabase& db)
    : m_db(db), m_writing(db), m_depth(++s_depth), m_done(false), m_outer(!db.InTransaction())
{
    try {
        m_db.ExecDML(utils::QString::Formatted(L"SAVEPOINT brivane_%d", m_depth).c_str());
    } catch (...) {
        --s_depth;
        throw;
    }
}

QsqlTransaction::~QsqlTransaction()
{
    if (!m_done) {
        try {
            RollBack();
        } catch (...) {
        }
    }
    --s_depth;
}

// The outermost savepoint is the whole transaction: a plain ROLLBACK ends it
// even where releasing it would have to commit (and could fail again).
void QsqlTransaction::RollBack()
{
    m_done = true;
    if (!m_db.InTransaction())
        return; // SQLite already rolled everything back after an I/O or busy error
    if (m_outer) {
        m_db.ExecDML(L"ROLLBACK");
        return;
    }
    m_db.ExecDML(utils::QString::Formatted(L"ROLLBACK TO brivane_%d", m_depth).c_str());
    m_db.ExecDML(utils::QString::Formatted(L"RELEASE brivane_%d", m_depth).c_str());
}

void QsqlTransaction::Commit()
{
    if (m_done)
        return;
    try {
        m_db.ExecDML(utils::QString::Formatted(L"RELEASE brivane_%d", m_depth).c_str());
        m_done = true;
    } catch (...) {
        // A commit that cannot complete (a reader holding the file past the
        // busy time-out) leaves SQLite inside the transaction: take it all
        // back, so the next write is not swallowed by it, and tell the caller.
        try {
            RollBack();
        } catch (...) {
        }
        throw;
    }
}

} // namespace qsql
} // namespace micro
