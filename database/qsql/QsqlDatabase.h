#pragma once
#include <map>
#include <optional>
#include <string>
#include "database/qsql/QsqlQuery.h"
#include "database/qsql/QsqlStatement.h"
#include "framework/gui/QGraphics.h"

struct sqlite3;

namespace micro {
namespace qsql {

// The database connection. Statements run through it; each commits on its own
// unless a QsqlTransaction is open.
class QsqlDatabase {
public:
    QsqlDatabase();
    virtual ~QsqlDatabase();
    QsqlDatabase(const QsqlDatabase&) = delete;
    QsqlDatabase& operator=(const QsqlDatabase&) = delete;

    // Opens an existing file read-write, or (create) makes a new one.
    void Open(const wchar_t* path, bool create = false);
    // Opens an existing file for reading only: nothing can change it.
    void OpenReadOnly(const wchar_t* path);
    // True when the file cannot be written (opened so, or write-protected).
    bool IsReadOnly() const;
    // Closes the connection; a failure throws.
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    void SetBusyTimeout(int milliseconds);
    int GetBusyTimeout() const { return m_busyTimeout; }
    // A write waits for another program's lock with the window: a few
    // seconds at most, then it fails and the user is told to try again.
    static constexpr int kWriteBusyTimeoutMs = 3000;
    // The wait of a write: the busy timeout, never above kWriteBusyTimeoutMs.
    int GetWriteBusyTimeout() const;

    // Alive while the connection writes: another program's lock is waited
    // for GetWriteBusyTimeout() at most, under the wait cursor while it is
    // waited for. They nest. ExecDML, a compiled statement's ExecDML and
    // QsqlTransaction hold one.
    class Writing {
    public:
        explicit Writing(QsqlDatabase& db);
        ~Writing();
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;

    private:
        QsqlDatabase& m_db;
    };

    // One statement without rows; answers the rows changed.
    int ExecDML(const wchar_t* sql);
    // A query positioned on its first row, or at its end.
    QsqlQuery ExecQuery(const wchar_t* sql);
    // The first column of the first row as an integer (NULL or no row: the default).
    long long ExecScalar(const wchar_t* sql, long long nullValue = 0);
    QsqlStatement CompileStatement(const wchar_t* sql);
    long long LastInsertRowId() const;
    // Rows written through this connection since it opened (0 while closed):
    // two readings tell whether anything was written between them.
    long long TotalChanges() const;
    bool InTransaction() const;
    sqlite3* GetHandle() const { return m_db; }
    // A statement kept compiled for a query run again and again (a stock
    // figure per product): the caller resets and binds it and resets it after
    // reading; the connection finalizes it when it closes.
    sqlite3_stmt* CachedStatement(const wchar_t* sql);

private:
    void FinalizeCached();
    void OpenWithFlags(const wchar_t* path, int flags);
    sqlite3_stmt* Prepare(const wchar_t* sql);
    void CheckOpen() const;
    static int OnBusy(void* self, int count);
    [[noreturn]] void ThrowLast(int rc) const;

    sqlite3* m_db;
    int m_busyTimeout;
    int m_writing;
    unsigned long long m_waitStarted;
    std::optional<gui::QWaitCursor> m_waitCursor;
    std::map<std::wstring, sqlite3_stmt*> m_cached;
};

// A transaction (a savepoint, so they nest). The destructor rolls back unless
// Commit was called, so an early return or an exception leaves nothing half-written.
// A Commit that fails rolls back completely and throws: the connection is
// never left inside a transaction nobody owns.
class QsqlTransaction {
public:
    explicit QsqlTransaction(QsqlDatabase& db);
    ~QsqlTransaction();
    QsqlTransaction(const QsqlTransaction&) = delete;
    QsqlTransaction& operator=(const QsqlTransaction&) = delete;
    void Commit();

private:
    void RollBack();

    QsqlDatabase& m_db;
    QsqlDatabase::Writing m_writing;
    int m_depth;
    bool m_done;
    bool m_outer;
    static int s_depth;
};

} // namespace qsql
} // namespace micro
