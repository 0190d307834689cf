#pragma once
// Fills a company database with years of a busy small company's business:
// partners, products, documents with their lines, receipts, payments, stock
// movements and their ledger, and each product's stocReal by the stock rule.
// Everything goes in one transaction through prepared statements, so a
// million lines take seconds. Every insert names its columns: a column added
// to a table later takes its default.
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "database/qsql/SqlText.h"
#include <cstdio>
#include <initializer_list>

namespace bench {

struct CompanySize {
    int products = 5000;
    int clients = 2000;
    int suppliers = 200;
    int agents = 50;
    // Headers per table: 100 000 invoices among them.
    int invoices = 100000, proformas = 5000, deliveryNotes = 5000, goodsReceived = 10000;
    int entries = 5000, exits = 5000;
    int receipts = 40000, payments = 8000;
    // Lines per header: 1 .. 2 * average - 1.
    int averageLines = 10;
    int years = 3;

    // The business of a busy small firm over `years` (--years N): per year a
    // tenth of the ten-year file's 250 000 invoices, 10 000 proformas, 10 000
    // delivery notes, 20 000 NIRs, 10 000 general movements, 100 000 receipts
    // and 20 000 payments; about 300 000 lines a year.
    static CompanySize OfYears(int years)
    {
        CompanySize size;
        size.years = years;
        size.invoices = 25000 * years;
        size.proformas = size.deliveryNotes = 1000 * years;
        size.goodsReceived = 2000 * years;
        size.entries = size.exits = 500 * years;
        size.receipts = 10000 * years;
        size.payments = 2000 * years;
        return size;
    }
    // A year of a tiny firm (--short): enough rows for every benchmark to
    // walk all its steps in seconds; its timings mean nothing.
    static CompanySize Short()
    {
        CompanySize size;
        size.products = 300;
        size.clients = 100;
        size.suppliers = 20;
        size.agents = 5;
        size.invoices = 1500;
        size.proformas = size.deliveryNotes = 100;
        size.goodsReceived = 200;
        size.entries = size.exits = 100;
        size.receipts = 600;
        size.payments = 120;
        size.averageLines = 4;
        size.years = 1;
        return size;
    }
    long long Days() const { return years * 36525LL / 100; }
};

const long long kFirstDay = 1640995200;  // 01-01-2022 00:00:00 UTC
const long long kDays = 1096;            // three years, the default file's

// A moment on the day of the file's last documents: each table's last one is
// dated on the day after its Days() (CompanyGenerator::DateOf), so a period
// "over the whole file" ends with that day.
inline long long LastDayOf(const CompanySize& size)
{
    return kFirstDay + size.Days() * 86400;
}

// A small deterministic generator: the same database every run.
class Random {
public:
    explicit Random(unsigned long long seed) : m_state(seed) {}
    unsigned long long Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<unsigned long long>(n)); }
    double Between(double low, double high) { return low + (high - low) * (Next() % 1000000) / 1000000.0; }

private:
    unsigned long long m_state;
};

class CompanyGenerator {
public:
    CompanyGenerator(MyRepository& db, const CompanySize& size) : m_db(db), m_size(size), m_random(88172645463325252ULL) {}

    long long lines = 0;

    void Run()
    {
        micro::qsql::QsqlTransaction transaction(m_db);
        Partners();
        Products();
        Documents(L"Facturi", L"ArticoleFacturi", m_size.invoices, 1, 20, true);
        Documents(L"Proforme", L"ArticoleProforme", m_size.proformas, 1, 20, true);
        Documents(L"Avize", L"ArticoleAvize", m_size.deliveryNotes, 1, 20, true);
        Documents(L"Niruri", L"ArticoleNiruri", m_size.goodsReceived, 20, 400, false);
        Movements(L"IntrariGenerale", L"ArticoleIntrariGenerale", m_size.entries, L"INTRARE GENERALA");
        Movements(L"IesiriGenerale", L"ArticoleIesiriGenerale", m_size.exits, L"IESIRE GENERALA");
        Money(L"Incasari", m_size.receipts, m_size.invoices, L"CNT");
        Money(L"Plati", m_size.payments, m_size.goodsReceived, L"PLT");
        StockByTheRule();
        m_db.ExecDML(micro::qsql::SqlFormat(L"update ConfigFacturi set serie_facturi = 'BRV', numarFactura = %d, "
                                            L"numarNir = %d, numarProforma = %d, numarChit = %d, numarPlati = %d "
                                            L"where id = 1",
                                            m_size.invoices, m_size.goodsReceived, m_size.proformas, m_size.receipts,
                                            m_size.payments)
                         .c_str());
        m_db.ExecDML(micro::qsql::SqlFormat(L"update iduri set idFactura = %d, idProforma = %d, idAvize = %d, "
                                            L"idNir = %d, idIntrari = %d, idIesiri = %d where id = 1",
                                            m_size.invoices, m_size.proformas, m_size.deliveryNotes,
                                            m_size.goodsReceived, m_size.entries, m_size.exits)
                         .c_str());
        // stocReal as the program keeps it: the rule's stock of every line.
        m_db.ExecDML(RecomputeAllStoredStockSql());
        transaction.Commit();
    }

private:
    // Dates rise with the id, as they do when documents are written day by day.
    long long DateOf(int index, int count)
    {
        return kFirstDay + static_cast<long long>(index) * m_size.Days() * 86400 / count + m_random.Below(8 * 3600) +
               8 * 3600;
    }
    // A few products sell far more than the rest.
    long long Product() { return 1 + (m_random.Below(2) ? m_random.Below(m_size.products / 10) : m_random.Below(m_size.products)); }
    int LineCount() { return 1 + m_random.Below(2 * m_size.averageLines - 1); }
    long long Status()
    {
        int r = m_random.Below(100);
        return r < 2 ? 3 : r < 3 ? 4 : r < 10 ? 1 : 2;
    }

    void Partners()
    {
        const wchar_t* cities[] = {L"Bucuresti", L"Cluj-Napoca", L"Iasi", L"Timisoara", L"Brasov", L"Constanta"};
        for (const wchar_t* table : {L"Clienti", L"Furnizori"}) {
            int count = table[0] == L'C' ? m_size.clients : m_size.suppliers;
            micro::qsql::QsqlStatement st = m_db.CompileStatement(
                micro::qsql::SqlFormat(L"insert into %s (Nume, Cod, NrReg, Adresa, AdresaLiv, Oras, Telefon, Fax, "
                                       L"Banca, Cont, ModPlata, Delegat, Scadenta) "
                                       L"values (?, ?, ?, ?, '', ?, ?, '', 'BCR', ?, ?, 0, ?)",
                                       table)
                    .c_str());
            for (int i = 1; i <= count; ++i) {
                wchar_t name[64], code[32], reg[32], phone[32], iban[40];
                swprintf(name, 64, L"%ls %04d S.R.L.", table[0] == L'C' ? L"Client" : L"Furnizor", i);
                swprintf(code, 32, L"RO%08d", 10000000 + i * 37);
                swprintf(reg, 32, L"J40/%d/20%02d", i, 10 + i % 14);
                swprintf(phone, 32, L"07%08d", i * 7919 % 100000000);
                swprintf(iban, 40, L"RO49RNCB%016d", i);
                st.Bind(1, name);
                st.Bind(2, code);
                st.Bind(3, reg);
                st.Bind(4, L"Str. Principala nr. 1");
                st.Bind(5, cities[i % 6]);
                st.Bind(6, phone);
                st.Bind(7, iban);
                st.Bind(8, static_cast<long long>(i % 3));
                st.Bind(9, static_cast<long long>((i % 4) * 15));
                st.ExecDML();
            }
        }
        for (int i = 1; i <= m_size.agents; ++i) {
            wchar_t name[48];
            swprintf(name, 48, L"Agent %02d", i);
            m_db.SaveAgent(name, L"RX 000000", L"SPCLEP", L"B 01 ABC");
        }
    }

    void Products()
    {
        const wchar_t* units[] = {L"Buc", L"Kg", L"L", L"M", L"Set"};
        micro::qsql::QsqlStatement st = m_db.CompileStatement(
            L"insert into Produse (denumire, denumireExtinsa, codExtern, depozit, furnizor, UM, categorie, moneda, TVA, "
            L"modificat, optiuniTVA, sablonTVA, stocReal, pretCumparare, pretVanzare, ultPretdeCump) "
            L"values (?, '', ?, 'MAGAZIE CENTRALA', '', ?, ?, 0, ?, 0, 0, 0, 0, ?, ?, ?)");
        for (int i = 1; i <= m_size.products; ++i) {
            wchar_t name[64], code[16];
            swprintf(name, 64, L"Produs %05d", i);
            swprintf(code, 16, L"%06d", i);
            double cost = m_random.Between(1.0, 400.0);
            st.Bind(1, name);
            st.Bind(2, code);
            st.Bind(3, units[i % 5]);
            st.Bind(4, i % 20 == 0 ? L"2" : L"1");  // every twentieth is a service
            st.Bind(5, static_cast<long long>(i % 10 == 0 ? 1 : 0));
            st.Bind(6, cost);
            st.Bind(7, cost * 1.3);
            st.Bind(8, cost);
            st.ExecDML();
        }
    }

    // Headers with their lines; the header totals are the sums of the lines.
    void Documents(const wchar_t* headers, const wchar_t* lineTable, int count, int minQuantity, int maxQuantity,
                   bool withAgent)
    {
        using micro::qsql::SqlFormat;
        micro::qsql::QsqlStatement header = m_db.CompileStatement(
            SqlFormat(L"insert into %s (id, status, numar, client, dataCreare, dataScadenta, agent, delegat, "
                      L"valoareFT, valoareTVA, valoareTTI, sold, serie) "
                      L"values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'BRV')",
                      headers)
                .c_str());
        micro::qsql::QsqlStatement line = m_db.CompileStatement(
            SqlFormat(L"insert into %s (produsID, cantitate, valoareFT, IDFactura) values (?, ?, ?, ?)", lineTable)
                .c_str());
        for (int i = 1; i <= count; ++i) {
            long long date = DateOf(i, count);
            double net = 0.0;
            int n = LineCount();
            for (int k = 0; k < n; ++k) {
                double quantity = minQuantity + m_random.Below(maxQuantity - minQuantity + 1);
                double price = m_random.Between(1.0, 500.0);
                line.Bind(1, Product());
                line.Bind(2, quantity);
                line.Bind(3, price);
                line.Bind(4, static_cast<long long>(i));
                line.ExecDML();
                net += quantity * price;
            }
            lines += n;
            long long status = Status();
            header.Bind(1, static_cast<long long>(i));
            header.Bind(2, status);
            header.Bind(3, static_cast<long long>(i));
            header.Bind(4, static_cast<long long>(1 + m_random.Below(withAgent ? m_size.clients : m_size.suppliers)));
            header.Bind(5, date);
            header.Bind(6, date + 30 * 86400);
            header.Bind(7, static_cast<long long>(0));
            header.Bind(8, static_cast<long long>(withAgent ? 1 + m_random.Below(m_size.agents) : 0));
            header.Bind(9, net);
            header.Bind(10, net * 0.19);
            header.Bind(11, net * 1.19);
            header.Bind(12, status == 2 && m_random.Below(3) == 0 ? net * 1.19 : 0.0);
            header.ExecDML();
        }
    }

    // General entries and exits, each line also written to the stock ledger.
    void Movements(const wchar_t* headers, const wchar_t* lineTable, int count, const wchar_t* ledgerText)
    {
        using micro::qsql::SqlFormat;
        micro::qsql::QsqlStatement header =
            m_db.CompileStatement(SqlFormat(L"insert into %s (id, dataCreare, status, valoareFT, valoareTVA, "
                                            L"valoareTTI, utilizator) values (?, ?, ?, ?, ?, ?, 0)",
                                            headers)
                                      .c_str());
        micro::qsql::QsqlStatement line = m_db.CompileStatement(
            SqlFormat(L"insert into %s (produsID, cantitate, IDIntrare, pret) values (?, ?, ?, ?)", lineTable).c_str());
        micro::qsql::QsqlStatement ledger = m_db.CompileStatement(
            L"insert into Stocuri (data, tip, NrDocument, IDClient, IDProdus, stoc, cantitate, pret, UM) "
            L"values (?, ?, ?, ?, ?, 0, ?, ?, 'Buc')");
        long long kind = ledgerText[0] == L'I' && ledgerText[1] == L'N' ? 0 : 1;
        for (int i = 1; i <= count; ++i) {
            long long date = DateOf(i, count);
            double net = 0.0;
            int n = LineCount();
            for (int k = 0; k < n; ++k) {
                long long product = Product();
                double quantity = 1 + m_random.Below(kind == 0 ? 100 : 10);
                double price = m_random.Between(1.0, 400.0);
                line.Bind(1, product);
                line.Bind(2, quantity);
                line.Bind(3, static_cast<long long>(i));
                line.Bind(4, price);
                line.ExecDML();
                ledger.Bind(1, date);
                ledger.Bind(2, kind);
                ledger.Bind(3, static_cast<long long>(i));
                ledger.Bind(4, ledgerText);
                ledger.Bind(5, product);
                ledger.Bind(6, quantity);
                ledger.Bind(7, price);
                ledger.ExecDML();
                net += quantity * price;
            }
            lines += n;
            header.Bind(1, static_cast<long long>(i));
            header.Bind(2, date);
            header.Bind(3, static_cast<long long>(2));
            header.Bind(4, net);
            header.Bind(5, net * 0.19);
            header.Bind(6, net * 1.19);
            header.ExecDML();
        }
    }

    void Money(const wchar_t* table, int count, int documents, const wchar_t* series)
    {
        micro::qsql::QsqlStatement st = m_db.CompileStatement(
            micro::qsql::SqlFormat(L"insert into %s (serie, numar, IDClient, facturi, suma, sumaStr, data, status, "
                                   L"tip, agent) values (?, ?, ?, ?, ?, 'suma in litere', ?, 2, ?, 0)",
                                   table)
                .c_str());
        for (int i = 1; i <= count; ++i) {
            wchar_t paid[24];
            swprintf(paid, 24, L"%d", 1 + m_random.Below(documents));
            st.Bind(1, series);
            st.Bind(2, static_cast<long long>(i));
            st.Bind(3, static_cast<long long>(1 + m_random.Below(m_size.clients)));
            st.Bind(4, paid);
            st.Bind(5, m_random.Between(10.0, 5000.0));
            st.Bind(6, DateOf(i, count));
            st.Bind(7, static_cast<long long>(m_random.Below(3)));
            st.ExecDML();
        }
    }

    // Produse.stocReal as the program keeps it: every product's stock by the
    // rule over all the generated lines.
    void StockByTheRule()
    {
        // The rule reads the installed repository: this one for the while, then the one before.
        struct Installed {
            MyRepository& previous = GetRepository();
            explicit Installed(MyRepository& db) { SetRepository(&db); }
            ~Installed() { SetRepository(&previous); }
        } installed(m_db);
        std::unordered_map<unsigned long long, double> stocks = ReadAllStocks(kFirstDay + (m_size.Days() + 1) * 86400);
        micro::qsql::QsqlStatement st = m_db.CompileStatement(L"update Produse set stocReal = ? where id = ?");
        for (const auto& stock : stocks) {
            st.Bind(1, stock.second);
            st.Bind(2, static_cast<long long>(stock.first));
            st.ExecDML();
        }
    }

    MyRepository& m_db;
    CompanySize m_size;
    Random m_random;
};

} // namespace bench
