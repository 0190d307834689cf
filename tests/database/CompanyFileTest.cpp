// What opening finds in a company file, and the upgrade every open runs.
#include <gtest/gtest.h>
#include <string>
#include "database/CompanyFile.h"
#include "database/Schema.h"
#include "framework/files/QFiles.h"
#include "tests/harness/TempDatabase.h"

using micro::qsql::QsqlDatabase;
using testing_support::TempDatabase;

namespace {

std::string Bytes(const std::wstring& path)
{
    micro::utils::QBuffer data;
    micro::files::ReadWholeFile(path.c_str(), data);
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetCount());
}

void Write(const std::wstring& path, const std::string& bytes)
{
    ASSERT_TRUE(micro::files::WriteWholeFile(path.c_str(), bytes.data(), bytes.size()));
}

// A valid file big enough that its middle pages hold table rows.
std::wstring FilledCompanyFile(TempDatabase& temp)
{
    temp.Exec(L"BEGIN");
    for (int i = 0; i < 400; ++i)
        temp.Exec(micro::utils::QString::Formatted(L"insert into Clienti (Nume, Adresa) values ('Client %d', "
                                                   L"'Strada lunga numarul %d din orasul cel mare')",
                                                   i, i)
                      .c_str());
    temp.Exec(L"COMMIT");
    temp.Db().Close();
    return temp.Path();
}

TEST(CompanyFile, FilesWithoutTheTablesDamagedOrWriteProtectedAreToldApart)
{
    TempDatabase temp;
    std::wstring path = FilledCompanyFile(temp);
    QsqlDatabase db;
    EXPECT_EQ(CompanyFileState::Usable, CheckCompanyFile(db, path.c_str()));
    EXPECT_TRUE(db.IsOpen());
    db.Close();

    std::wstring empty = temp.Folder() + L"\\Gol";
    Write(empty, "");
    EXPECT_EQ(CompanyFileState::NotCompanyFile, CheckCompanyFile(db, empty.c_str()));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ("", Bytes(empty));

    // 8 KB of noise in the middle of a valid file.
    std::string bytes = Bytes(path);
    ASSERT_GT(bytes.size(), 40000u);
    std::string noisy = bytes;
    for (size_t i = 0; i < 8192; ++i)
        noisy[bytes.size() / 2 - 4096 + i] = static_cast<char>((i * 7919 + 13) & 0xff);
    std::wstring damaged = temp.Folder() + L"\\Deteriorat";
    Write(damaged, noisy);
    EXPECT_EQ(CompanyFileState::Damaged, CheckCompanyFile(db, damaged.c_str()));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(Bytes(damaged) == noisy);

    std::wstring locked = temp.Folder() + L"\\Protejat";
    Write(locked, bytes);
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(CompanyFileState::ReadOnly, CheckCompanyFile(db, locked.c_str()));
    EXPECT_TRUE(db.IsReadOnly());
    EXPECT_THROW(db.ExecDML(L"delete from Clienti"), micro::qsql::QSqlError);
    db.Close();
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(Bytes(locked) == bytes);
    for (const std::wstring& made : {empty, damaged, locked})
        DeleteFileW(made.c_str());
}

TEST(CompanyFile, SetAsideKeepsEveryOldFileUnderANewName)
{
    TempDatabase temp;
    std::wstring path = temp.Folder() + L"\\Alta";
    for (const wchar_t* suffix : {L".vechi", L".vechi2"})
        DeleteFileW((path + suffix).c_str());
    Write(path, "");
    std::wstring first = SetCompanyFileAside(path.c_str());
    EXPECT_EQ(path + L".vechi", first);
    Write(path, "al doilea");
    std::wstring second = SetCompanyFileAside(path.c_str());
    EXPECT_EQ(path + L".vechi2", second);
    EXPECT_FALSE(micro::files::FileExists(path.c_str()));
    EXPECT_EQ("", Bytes(first));
    EXPECT_EQ("al doilea", Bytes(second));
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());
}

TEST(CompanyFile, OpeningAnOlderCompanyTableAddsThePictureColumnsAtOnce)
{
    TempDatabase temp;
    temp.Exec(L"drop table Societate");
    temp.Exec(L"create table Societate (id INTEGER PRIMARY KEY, denumire varchar, nrreg varchar, cui varchar, "
              L"tvaincasare int, banca varchar, cont varchar, adresa varchar, oras varchar, telefon varchar, "
              L"fax varchar, logo blob, cotaTVA int)");
    temp.Exec(L"insert into Societate (id, denumire) values (1, 'Veche SRL')");
    std::wstring path = temp.Path();
    temp.Db().Close();
    OpenCompanyDatabase(temp.Db(), path.c_str());
    EXPECT_FALSE(temp.Db().InTransaction());
    // What printing reads works without the company dialog ever opening.
    EXPECT_EQ(0, temp.Scalar(L"select count(background) + count(stampila) from Societate"));
    EXPECT_EQ(L"Veche SRL", temp.Text(L"select denumire from Societate where banca2 is null and cont2 is null"));
    EXPECT_EQ(16, temp.Scalar(L"select count(*) - 1 from pragma_table_info('Societate')"));
}

} // namespace
