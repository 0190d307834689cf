#pragma once
#include <gtest/gtest.h>
#include <string>
#include "database/MyRepository.h"

namespace testing_support {

// A fresh company database in a temporary folder, installed as the program's
// repository for the fixture's lifetime; deleted afterwards.
class TempDatabase {
public:
    TempDatabase();
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    MyRepository& Db() { return m_db; }
    const std::wstring& Path() const { return m_path; }
    const std::wstring& Folder() const { return m_folder; }
    // Convenience reads for assertions.
    long long Scalar(const wchar_t* sql);
    double Number(const wchar_t* sql);
    std::wstring Text(const wchar_t* sql);
    void Exec(const wchar_t* sql) { m_db.ExecDML(sql); }
    // The file write-protected and opened again for reading only, as start-up
    // opens such a file; false makes it writable and opens it so again.
    void SetWriteProtected(bool on);
    // The file's bytes as they are on the disk now.
    std::string FileBytes() const;
    // The program keeps its lock on the file from its first access on: this
    // lets it go until the next access, so that another connection (standing
    // for another program) can take the file's locks first.
    void LetOthersIn();
    // The table damaged on the disk (DamageTable) and the file opened again.
    void Damage(const wchar_t* table);
    // Row ids of small fixtures.
    unsigned long long AddClient(const wchar_t* name, int termDays = 0, const wchar_t* fiscalCode = L"");
    unsigned long long AddSupplier(const wchar_t* name);
    unsigned long long AddProduct(const wchar_t* name, double salePrice, int vatCode = 0, const wchar_t* unit = L"Buc",
                                  double purchasePrice = 0.0);
    unsigned long long AddAgent(const wchar_t* name);

private:
    MyRepository m_db;
    std::wstring m_folder;
    std::wstring m_path;
};

// Overwrites the first page of the table's rows and of each of its indexes in
// the closed company file at path with noise: damage every read of that table
// meets and no read of the other tables does.
void DamageTable(const std::wstring& path, const wchar_t* table);

// A test fixture with its own temporary database.
class DatabaseTest : public ::testing::Test {
protected:
    TempDatabase tempDb;
    MyRepository& db() { return tempDb.Db(); }
};

} // namespace testing_support
