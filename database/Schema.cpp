#include "database/Schema.h"
#include "database/SchemaUpgrade.h"
#include "database/StockRule.h"
#include "database/qsql/SqlText.h"
#include "framework/files/QFiles.h"
#include <initializer_list>
#include <string>

using micro::qsql::QsqlDatabase;
using micro::qsql::QsqlTransaction;

namespace {

// Ids are INTEGER PRIMARY KEY without AUTOINCREMENT: a NULL id gets MAX(id)+1,
// which the document editor reserves ahead. Amounts are "double" (REAL
// affinity: 150.0 reads back "150.0"), never NUMERIC; codes and telephones are
// varchar so leading zeros stay.
const wchar_t* const kCreateStatements[] = {
    L"CREATE TABLE Facturi (id INTEGER PRIMARY KEY, status int, numar int, client int, dataCreare int, "
    L"dataScadenta int, agent int, delegat int, valoareFT double, valoareTVA double, valoareTTI double, "
    L"sold double, serie varchar)",
    L"CREATE TABLE Proforme (id INTEGER PRIMARY KEY, status int, numar int, client int, dataCreare int, "
    L"dataScadenta int, agent int, delegat int, valoareFT double, valoareTVA double, valoareTTI double, "
    L"sold double, serie varchar)",
    L"CREATE TABLE Avize (id INTEGER PRIMARY KEY, status int, numar int, client int, dataCreare int, "
    L"dataScadenta int, agent int, delegat int, valoareFT double, valoareTVA double, valoareTTI double, "
    L"sold double, serie varchar)",
    L"CREATE TABLE Niruri (id INTEGER PRIMARY KEY, status int, numar int, client int, dataCreare int, "
    L"dataScadenta int, agent int, delegat int, valoareFT float, valoareTVA float, valoareTTI float, "
    L"sold float, serie varchar)",
    L"CREATE TABLE ArticoleFacturi (id INTEGER PRIMARY KEY, produsID int, cantitate double, valoareFT double, "
    L"IDFactura int, TVA int)",
    L"CREATE TABLE ArticoleProforme (id INTEGER PRIMARY KEY, produsID int, cantitate double, valoareFT double, "
    L"IDFactura int, TVA int)",
    L"CREATE TABLE ArticoleAvize (id INTEGER PRIMARY KEY, produsID int, cantitate double, valoareFT double, "
    L"IDFactura int, TVA int)",
    L"CREATE TABLE ArticoleNiruri (id INTEGER PRIMARY KEY, produsID int, cantitate double, valoareFT double, "
    L"IDFactura int, TVA int)",
    L"CREATE TABLE Incasari (id INTEGER PRIMARY KEY, serie varchar, numar int, IDClient int, facturi varchar, "
    L"suma double, sumaStr varchar, data int, status int, tip int, agent int, documente varchar)",
    L"CREATE TABLE Plati (id INTEGER PRIMARY KEY, serie varchar, numar int, IDClient int, facturi varchar, "
    L"suma double, sumaStr varchar, data int, status int, tip int, agent int, documente varchar)",
    L"CREATE TABLE IntrariGenerale (id INTEGER PRIMARY KEY, dataCreare int, status int, valoareFT double, "
    L"valoareTVA double, valoareTTI double, utilizator int)",
    L"CREATE TABLE IesiriGenerale (id INTEGER PRIMARY KEY, dataCreare int, status int, valoareFT double, "
    L"valoareTVA double, valoareTTI double, utilizator int)",
    L"CREATE TABLE ArticoleIntrariGenerale (id INTEGER PRIMARY KEY, produsID int, cantitate double, "
    L"IDIntrare int, pret double)",
    L"CREATE TABLE ArticoleIesiriGenerale (id INTEGER PRIMARY KEY, produsID int, cantitate double, "
    L"IDIntrare int, pret double)",
    L"CREATE TABLE Stocuri (id INTEGER PRIMARY KEY, data int, tip int, NrDocument int, IDClient varchar, "
    L"IDProdus int, stoc double, cantitate double, pret double, UM int)",
    L"CREATE TABLE Clienti (id INTEGER PRIMARY KEY, Nume varchar, Cod varchar, NrReg varchar, Adresa varchar, "
    L"AdresaLiv varchar, Oras varchar, Telefon varchar, Fax varchar, Banca varchar, Cont varchar, "
    L"ModPlata int, Delegat int, Scadenta int)",
    L"CREATE TABLE Furnizori (id INTEGER PRIMARY KEY, Nume varchar, Cod varchar, NrReg varchar, Adresa varchar, "
    L"AdresaLiv varchar, Oras varchar, Telefon varchar, Fax varchar, Banca varchar, Cont varchar, "
    L"ModPlata int, Delegat int, Scadenta int)",
    L"CREATE TABLE Produse (id INTEGER PRIMARY KEY, denumire varchar, denumireExtinsa varchar, "
    L"codExtern varchar, depozit varchar, furnizor varchar, UM varchar, categorie varchar, moneda int, TVA int, "
    L"modificat int, optiuniTVA int, sablonTVA int, stocReal double, pretCumparare double, pretVanzare double, "
    L"ultPretdeCump double, poza blob)",
    L"CREATE TABLE Agenti (id INTEGER PRIMARY KEY, numeAgent varchar, CNP varchar, serie varchar, "
    L"eliberat varchar, telefon varchar, fax varchar, email varchar, comision double, zona varchar, "
    L"auto varchar)",
    L"CREATE TABLE Societate (id INTEGER PRIMARY KEY, denumire varchar, nrreg varchar, cui varchar, "
    L"tvaincasare int, banca varchar, cont varchar, adresa varchar, oras varchar, telefon varchar, "
    L"fax varchar, logo blob, cotaTVA int, background blob, stampila blob, banca2 varchar, cont2 varchar)",
    L"CREATE TABLE Utilizator (id INTEGER PRIMARY KEY, Nume varchar, CI varchar, CNP varchar)",
    L"CREATE TABLE ConfigFacturi (id INTEGER PRIMARY KEY, serie_facturi varchar, serie_chit varchar, "
    L"seriePlati varchar, numarFactura int, numarNir int, numarChit int, numarProforma int, numarPlati int, "
    L"perioadaPreluare int)",
    L"CREATE TABLE iduri (id INTEGER PRIMARY KEY, idFactura int, idProforma int, idAvize int, idNir int, "
    L"idIntrari int, idIesiri int)",
    L"CREATE TABLE ConturiContabile (id INTEGER PRIMARY KEY, descriere varchar)",
};

// Payment types, ids 1..n in list order (a combo index i maps to id i + 1).
const wchar_t* const kDefaultRows[] = {
    L"INSERT INTO Societate (id, denumire, nrreg, cui, tvaincasare, banca, cont, adresa, oras, telefon, fax, "
    L"cotaTVA, banca2, cont2) VALUES (1, '', '', '', 0, '', '', '', '', '', '', 0, '', '')",
    L"INSERT INTO Utilizator (id, Nume, CI, CNP) VALUES (1, '', '', '')",
    L"INSERT INTO ConfigFacturi (id, serie_facturi, serie_chit, seriePlati, numarFactura, numarNir, numarChit, "
    L"numarProforma, numarPlati, perioadaPreluare) VALUES (1, '', 'CNT', 'PLT', 0, 0, 0, 0, 0, 30)",
    L"INSERT INTO iduri (id, idFactura, idProforma, idAvize, idNir, idIntrari, idIesiri) VALUES (1, 0, 0, 0, 0, 0, 0)",
    L"INSERT INTO Produse (id, denumire, denumireExtinsa, codExtern, depozit, furnizor, UM, categorie, moneda, "
    L"TVA, modificat, optiuniTVA, sablonTVA, stocReal, pretCumparare, pretVanzare, ultPretdeCump) "
    L"VALUES (0, 'Discount', '', '', '', '', '', '', 0, 0, 0, 0, 0, 0, 0, 0, 0)",
    L"INSERT INTO ConturiContabile (id, descriere) VALUES (1, 'Numerar')",
    L"INSERT INTO ConturiContabile (id, descriere) VALUES (2, 'Ordin de plata')",
    L"INSERT INTO ConturiContabile (id, descriere) VALUES (3, 'Card bancar')",
    L"INSERT INTO ConturiContabile (id, descriere) VALUES (4, 'Cec')",
    L"INSERT INTO ConturiContabile (id, descriere) VALUES (5, 'Bilet la ordin')",
    L"INSERT INTO ConturiContabile (id, descriere) VALUES (6, 'Compensare')",
};

// What each validated receipt (sursa 0) or payment (sursa 1) took from each
// document (tipDocument 0 Facturi, 3 Niruri), so giving it back returns
// exactly that. Files made before it existed gain it when opened.
const wchar_t* const kAllocations[] = {
    L"CREATE TABLE IF NOT EXISTS Alocari (id INTEGER PRIMARY KEY, sursa int, idSursa int, tipDocument int, "
    L"idDocument int, suma double)",
    L"CREATE INDEX IF NOT EXISTS Alocari_sursa ON Alocari (sursa, idSursa)",
};

// For the look-ups the program runs: stock sums, balances, lists by name.
// The product indexes carry the quantity too, so a stock sum reads the index
// alone and never the line rows.
const wchar_t* const kIndexes[] = {
    L"CREATE INDEX IF NOT EXISTS ArticoleFacturi_doc ON ArticoleFacturi (IDFactura)",
    L"CREATE INDEX IF NOT EXISTS ArticoleFacturi_prod ON ArticoleFacturi (produsID, IDFactura, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleProforme_doc ON ArticoleProforme (IDFactura)",
    L"CREATE INDEX IF NOT EXISTS ArticoleProforme_prod ON ArticoleProforme (produsID, IDFactura, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleAvize_doc ON ArticoleAvize (IDFactura)",
    L"CREATE INDEX IF NOT EXISTS ArticoleAvize_prod ON ArticoleAvize (produsID, IDFactura, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleNiruri_doc ON ArticoleNiruri (IDFactura)",
    L"CREATE INDEX IF NOT EXISTS ArticoleNiruri_prod ON ArticoleNiruri (produsID, IDFactura, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleIntrariGenerale_doc ON ArticoleIntrariGenerale (IDIntrare)",
    L"CREATE INDEX IF NOT EXISTS ArticoleIntrariGenerale_prod ON ArticoleIntrariGenerale (produsID, IDIntrare, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleIesiriGenerale_doc ON ArticoleIesiriGenerale (IDIntrare)",
    L"CREATE INDEX IF NOT EXISTS ArticoleIesiriGenerale_prod ON ArticoleIesiriGenerale (produsID, IDIntrare, cantitate)",
    L"CREATE INDEX IF NOT EXISTS Facturi_numar ON Facturi (numar)",
    L"CREATE INDEX IF NOT EXISTS Facturi_client ON Facturi (client, status)",
    L"CREATE INDEX IF NOT EXISTS Niruri_numar ON Niruri (numar)",
    L"CREATE INDEX IF NOT EXISTS Niruri_client ON Niruri (client, status)",
    L"CREATE INDEX IF NOT EXISTS Incasari_client ON Incasari (IDClient, status)",
    L"CREATE INDEX IF NOT EXISTS Plati_client ON Plati (IDClient, status)",
    L"CREATE INDEX IF NOT EXISTS Plati_data ON Plati (data)",
    L"CREATE INDEX IF NOT EXISTS Facturi_data ON Facturi (dataCreare)",
    L"CREATE INDEX IF NOT EXISTS Niruri_data ON Niruri (dataCreare)",
    L"CREATE INDEX IF NOT EXISTS IntrariGenerale_data ON IntrariGenerale (dataCreare)",
    L"CREATE INDEX IF NOT EXISTS IesiriGenerale_data ON IesiriGenerale (dataCreare)",
    L"CREATE INDEX IF NOT EXISTS Clienti_nume ON Clienti (Nume)",
    L"CREATE INDEX IF NOT EXISTS Furnizori_nume ON Furnizori (Nume)",
    L"CREATE INDEX IF NOT EXISTS Produse_denumire ON Produse (denumire)",
    L"CREATE INDEX IF NOT EXISTS Agenti_nume ON Agenti (numeAgent)",
    // The stock of every product at once walks the headers of a period and
    // reads each one's lines from these alone; the line id keeps a document's
    // lines in the order they were written for readers that do not sort.
    L"CREATE INDEX IF NOT EXISTS ArticoleFacturi_docprod ON ArticoleFacturi (IDFactura, id, produsID, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleNiruri_docprod ON ArticoleNiruri (IDFactura, id, produsID, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleIntrariGenerale_docprod ON ArticoleIntrariGenerale (IDIntrare, id, produsID, cantitate)",
    L"CREATE INDEX IF NOT EXISTS ArticoleIesiriGenerale_docprod ON ArticoleIesiriGenerale (IDIntrare, id, produsID, cantitate)",
};

// Three years of a busy company's lines are some 80 MB; SQLite's default
// 2 MB page cache would read the same pages again for every stock sum.
// The running program keeps its lock on the file from the first read to the
// close: a read outside a transaction then costs what it costs inside one
// (under Wine each lock, unlock and journal check is a round trip), commits
// stay fully synced, and the file is an ordinary rollback-journal database
// that the sqlite3 shell reads once the program has closed it.
void TuneConnection(QsqlDatabase& db)
{
    db.ExecDML(L"PRAGMA cache_size = -65536");
    db.ExecDML(L"PRAGMA locking_mode = EXCLUSIVE");
}

template <size_t N>
void RunAll(QsqlDatabase& db, const wchar_t* const (&statements)[N])
{
    for (const wchar_t* sql : statements)
        db.ExecDML(sql);
}

// The file remembers (user_version) which set of indexes it was given: a
// checksum of their statements, so a statement added to kIndexes (or changed)
// makes the next open run them all again, and an open otherwise runs none.
// The same mark says stocReal was written from the stock rule: a file opened
// without it gets every product's stocReal recomputed with the indexes. It
// says too that the balances were read as this version reads them (the upgrade
// does that, before the mark is written).
int IndexSetVersion()
{
    unsigned hash = 2166136261u;
    for (const wchar_t* sql : kIndexes)
        for (const wchar_t* c = sql; *c; ++c)
            hash = (hash ^ static_cast<unsigned>(*c)) * 16777619u;
    for (const wchar_t* statement : {RecomputeAllStoredStockSql(), EarlierBalancesSql()})
        for (const wchar_t* c = statement; *c; ++c)
            hash = (hash ^ static_cast<unsigned>(*c)) * 16777619u;
    return static_cast<int>(hash & 0x7FFFFFFF) | 1;
}

void MarkIndexesMade(QsqlDatabase& db)
{
    db.ExecDML(micro::qsql::SqlFormat(L"PRAGMA user_version = %d", IndexSetVersion()).c_str());
}

void EnsureIndexes(QsqlDatabase& db)
{
    if (db.ExecScalar(L"PRAGMA user_version") == IndexSetVersion())
        return;
    QsqlTransaction transaction(db);
    RunAll(db, kIndexes);
    db.ExecDML(RecomputeAllStoredStockSql());
    MarkIndexesMade(db);
    transaction.Commit();
}

} // namespace

int CompanyFileMark()
{
    return IndexSetVersion();
}

const wchar_t* const kCompanyTables[] = {
    L"Facturi", L"Proforme", L"Avize", L"Niruri", L"ArticoleFacturi", L"ArticoleProforme", L"ArticoleAvize",
    L"ArticoleNiruri", L"Incasari", L"Plati", L"IntrariGenerale", L"IesiriGenerale", L"ArticoleIntrariGenerale",
    L"ArticoleIesiriGenerale", L"Stocuri", L"Clienti", L"Furnizori", L"Produse", L"Agenti", L"Societate",
    L"Utilizator", L"ConfigFacturi", L"iduri", L"ConturiContabile", L"Alocari",
};
const int kCompanyTableCount = sizeof(kCompanyTables) / sizeof(kCompanyTables[0]);

void CreateCompanyDatabase(QsqlDatabase& db, const wchar_t* path)
{
    // A failed creation deletes its file: it must never be a file that was there before.
    if (micro::files::FileExists(path))
        throw micro::qsql::QSqlError(14 /* SQLITE_CANTOPEN */, L"the database file exists already");
    try {
        db.Open(path, true);
        db.ExecDML(L"PRAGMA encoding = 'UTF-16le'");
        db.ExecDML(L"PRAGMA journal_mode = DELETE");
        TuneConnection(db);
        QsqlTransaction transaction(db);
        RunAll(db, kCreateStatements);
        RunAll(db, kDefaultRows);
        RunAll(db, kIndexes);
        RunAll(db, kAllocations);
        MarkIndexesMade(db);
        transaction.Commit();
    } catch (...) {
        try {
            db.Close();
        } catch (...) {
        }
        micro::files::DeleteFile(path);
        std::wstring journal = std::wstring(path) + L"-journal";
        micro::files::DeleteFile(journal.c_str());
        throw;
    }
}

void CreateCompanyLayout(QsqlDatabase& db)
{
    RunAll(db, kCreateStatements);
    RunAll(db, kDefaultRows);
    RunAll(db, kAllocations);
}

bool OpenCompanyDatabase(QsqlDatabase& db, const wchar_t* path)
{
    db.Open(path, false);
    TuneConnection(db);
    bool upToDate = true;
    // A write-protected file opens as it is; start-up reports it.
    if (!db.IsReadOnly()) {
        try {
            UpgradeCompanyDatabase(db);
        } catch (const micro::qsql::QSqlError& error) {
            // Busy is no verdict on the file: the caller reports it.
            if ((error.GetCode() & 0xff) == 5 /* SQLITE_BUSY */)
                throw;
            db.OpenReadOnly(path);
            TuneConnection(db);
            upToDate = false;
        }
    }
    try {
        RunAll(db, kAllocations);
    } catch (...) {
        // Read-only: nothing can be settled there anyway.
    }
    try {
        EnsureIndexes(db);
    } catch (...) {
        // A file opened read-only, or an older layout, still opens: the
        // indexes only make look-ups faster.
    }
    return upToDate;
}
