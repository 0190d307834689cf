#include "tests/harness/TempDatabase.h"
#include "database/Schema.h"
#include "database/qsql/SqlText.h"
#include <windows.h>
#include <vector>

namespace testing_support {

TempDatabase::TempDatabase()
{
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t folder[MAX_PATH + 64];
    _snwprintf(folder, MAX_PATH + 63, L"%sbrivane-test-%lu-%d", temp, GetCurrentProcessId(), ++counter);
    folder[MAX_PATH + 63] = 0;
    m_folder = folder;
    CreateDirectoryW(m_folder.c_str(), nullptr);
    m_path = m_folder + L"\\Societate";
    DeleteFileW(m_path.c_str());
    CreateCompanyDatabase(m_db, m_path.c_str());
    SetRepository(&m_db);
}

TempDatabase::~TempDatabase()
{
    SetRepository(nullptr);
    try {
        m_db.Close();
    } catch (...) {
    }
    SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(m_path.c_str());
    DeleteFileW((m_path + L"-journal").c_str());
    RemoveDirectoryW(m_folder.c_str());
}

void TempDatabase::SetWriteProtected(bool on)
{
    m_db.Close();
    SetFileAttributesW(m_path.c_str(), on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    if (on)
        m_db.OpenReadOnly(m_path.c_str());
    else
        m_db.Open(m_path.c_str());
}

std::string TempDatabase::FileBytes() const
{
    std::string bytes;
    HANDLE file = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void TempDatabase::LetOthersIn()
{
    m_db.ExecDML(L"PRAGMA locking_mode = NORMAL");
    m_db.ExecScalar(L"select count(*) from sqlite_master");
    m_db.ExecDML(L"PRAGMA locking_mode = EXCLUSIVE");
}

void TempDatabase::Damage(const wchar_t* table)
{
    m_db.Close();
    DamageTable(m_path, table);
    m_db.Open(m_path.c_str());
}

void DamageTable(const std::wstring& path, const wchar_t* table)
{
    std::vector<long long> pages;
    long long pageSize = 0;
    {
        micro::qsql::QsqlDatabase db;
        db.OpenReadOnly(path.c_str());
        for (micro::qsql::QsqlQuery q = db.ExecQuery(
                 micro::qsql::SqlFormat(L"select rootpage from sqlite_master where tbl_name = '%s' and rootpage > 1",
                                        table)
                     .c_str());
             !q.Eof(); q.NextRow())
            pages.push_back(q.GetIntField(0));
        pageSize = db.ExecScalar(L"PRAGMA page_size");
    }
    std::string noise(static_cast<size_t>(pageSize), '\0');
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>(i * 7919 + 13);
    noise[0] = 1; // a kind of page there is none of
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE || pages.empty())
        ADD_FAILURE() << "the table could not be damaged";
    for (long long page : pages) {
        LARGE_INTEGER at;
        at.QuadPart = (page - 1) * pageSize;
        DWORD written = 0;
        if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
            !WriteFile(file, noise.data(), static_cast<DWORD>(noise.size()), &written, nullptr))
            ADD_FAILURE() << "page " << page << " could not be damaged";
    }
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

long long TempDatabase::Scalar(const wchar_t* sql)
{
    return m_db.ExecScalar(sql);
}

double TempDatabase::Number(const wchar_t* sql)
{
    micro::qsql::QsqlQuery q = m_db.ExecQuery(sql);
    return q.Eof() ? 0.0 : q.GetFloatField(0);
}

std::wstring TempDatabase::Text(const wchar_t* sql)
{
    micro::qsql::QsqlQuery q = m_db.ExecQuery(sql);
    return q.Eof() ? std::wstring() : std::wstring(q.GetStringField(0).c_str());
}

unsigned long long TempDatabase::AddClient(const wchar_t* name, int termDays, const wchar_t* fiscalCode)
{
    m_db.ExecDML(micro::qsql::SqlFormat(
                     L"insert into Clienti (Nume, Cod, NrReg, Adresa, AdresaLiv, Oras, Telefon, Fax, Banca, Cont, "
                     L"ModPlata, Delegat, Scadenta) values ('%s', '%s', 'J40/1/2020', 'Str. Lunga 1', '', "
                     L"'Bucuresti', '0722000000', '', 'BCR', 'RO49AAAA1B31007593840000', 0, 0, %d)",
                     name, fiscalCode, termDays)
                     .c_str());
    return static_cast<unsigned long long>(m_db.LastInsertRowId());
}

unsigned long long TempDatabase::AddSupplier(const wchar_t* name)
{
    m_db.ExecDML(micro::qsql::SqlFormat(L"insert into Furnizori (Nume, Cod) values ('%s', 'RO1')", name).c_str());
    return static_cast<unsigned long long>(m_db.LastInsertRowId());
}

unsigned long long TempDatabase::AddProduct(const wchar_t* name, double salePrice, int vatCode, const wchar_t* unit,
                                            double purchasePrice)
{
    m_db.ExecDML(micro::qsql::SqlFormat(
                     L"insert into Produse (denumire, denumireExtinsa, codExtern, depozit, furnizor, UM, categorie, "
                     L"moneda, TVA, modificat, optiuniTVA, sablonTVA, stocReal, pretCumparare, pretVanzare, "
                     L"ultPretdeCump) values ('%s', '', '', 'MAGAZIE CENTRALA', '', '%s', '', 0, %d, 0, 0, 0, 0, "
                     L"%f, %f, 0)",
                     name, unit, vatCode, purchasePrice, salePrice)
                     .c_str());
    return static_cast<unsigned long long>(m_db.LastInsertRowId());
}

unsigned long long TempDatabase::AddAgent(const wchar_t* name)
{
    m_db.ExecDML(micro::qsql::SqlFormat(L"insert into Agenti (numeAgent, CNP, serie, eliberat, auto) values "
                                        L"('%s', '1800101400001', 'RX 123456', 'SPCLEP', 'B 01 ABC')",
                                        name)
                     .c_str());
    return static_cast<unsigned long long>(m_db.LastInsertRowId());
}

} // namespace testing_support
