#include "database/CompanyFile.h"
#include "database/Schema.h"
#include "framework/files/QFiles.h"
#include <windows.h>

using micro::qsql::QsqlDatabase;
using micro::qsql::QSqlError;

namespace {

const int kSqliteCorrupt = 11;

// One read of the file's table names (at start-up, before the program holds
// its lock, every statement is a round trip of its own).
int ProgramTablesIn(QsqlDatabase& db)
{
    int found = 0;
    for (micro::qsql::QsqlQuery q = db.ExecQuery(L"select name from sqlite_master where type = 'table'"); !q.Eof();
         q.NextRow()) {
        micro::utils::QString name = q.GetStringField(0);
        for (int i = 0; i < kCompanyTableCount; ++i)
            found += _wcsicmp(name.c_str(), kCompanyTables[i]) == 0;
    }
    return found;
}

bool PassesQuickCheck(QsqlDatabase& db)
{
    try {
        micro::qsql::QsqlQuery check = db.ExecQuery(L"PRAGMA quick_check");
        return !check.Eof() && check.GetStringField(0) == L"ok";
    } catch (const QSqlError& error) {
        if ((error.GetCode() & 0xff) == kSqliteCorrupt)
            return false;
        throw;
    }
}

std::wstring SessionMarkPath(const wchar_t* path)
{
    return std::wstring(path) + L".deschis";
}

bool WriteProtected(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

CompanyFileState CheckCompanyFile(QsqlDatabase& db, const wchar_t* path, bool wholeFile)
{
    db.Open(path, false);
    CompanyFileState state = CompanyFileState::Usable;
    try {
        if (ProgramTablesIn(db) == 0)
            state = CompanyFileState::NotCompanyFile;
        else if (wholeFile && !PassesQuickCheck(db))
            state = CompanyFileState::Damaged;
        else if (db.IsReadOnly() || WriteProtected(path))
            state = CompanyFileState::ReadOnly;
    } catch (const QSqlError& error) {
        if ((error.GetCode() & 0xff) != kSqliteCorrupt) {
            db.Close();
            throw;
        }
        state = CompanyFileState::Damaged;
    }
    if (state == CompanyFileState::Usable)
        return state;
    db.Close();
    if (state == CompanyFileState::ReadOnly)
        db.OpenReadOnly(path);
    return state;
}

std::wstring SetCompanyFileAside(const wchar_t* path)
{
    std::wstring base = std::wstring(path) + L".vechi";
    for (int n = 1; n < 1000; ++n) {
        std::wstring target = n == 1 ? base : base + std::to_wstring(n);
        if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        // MOVEFILE without REPLACE_EXISTING: a file that appeared meanwhile is never overwritten.
        if (MoveFileExW(path, target.c_str(), 0))
            return target;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            return std::wstring();
    }
    return std::wstring();
}

bool SessionMarkFound(const wchar_t* path)
{
    return GetFileAttributesW(SessionMarkPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MarkSessionOpen(const wchar_t* path)
{
    HANDLE mark = CreateFileW(SessionMarkPath(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark == INVALID_HANDLE_VALUE)
        return false;
    // On the disk before the company file is touched: a power cut must not lose it.
    bool written = FlushFileBuffers(mark) != FALSE;
    CloseHandle(mark);
    return written;
}

void MarkSessionClosed(const wchar_t* path)
{
    DeleteFileW(SessionMarkPath(path).c_str());
}
