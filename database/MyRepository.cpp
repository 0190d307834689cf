#include "database/MyRepository.h"
#include "database/DocumentTables.h"
#include "database/StockRule.h"
#include "framework/qdialog/QMessageBox.h"
#include <cwchar>

using micro::qsql::QsqlQuery;
using micro::qsql::QsqlStatement;
using micro::qsql::QsqlTransaction;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;

namespace {

MyRepository* g_repository = nullptr;

// SQLite's own code for "not found": a write that finds no row to change.
const int kNoSuchRow = 12;

const wchar_t* PartnerTable(int table)
{
    return table == 1 ? L"Furnizori" : L"Clienti";
}

// Lines written before lines kept their VAT code read their product's: before
// the product takes another code they are given the one they were issued at,
// so no stored document changes with the catalogue.
void KeepIssuedLineVat(MyRepository& db, unsigned long long productId, long long vatCode)
{
    long long issued = db.ExecScalar(SqlFormat(L"select TVA from Produse where id = %llu", productId).c_str(), 0);
    if (issued == vatCode)
        return;
    for (int type = 0; type <= 3; ++type)
        db.ExecDML(SqlFormat(L"update %s set TVA = %lld where produsID = %llu and TVA is null", DocumentLineTable(type),
                             issued, productId)
                       .c_str());
}

} // namespace

MyRepository::MyRepository() : m_throwErrors(0)
{
    SetBusyTimeout(60000);
}

template <typename Write>
bool MyRepository::Attempt(Write&& write)
{
    try {
        write();
        return true;
    } catch (const QSqlError& error) {
        if (m_throwErrors > 0)
            throw;
        micro::qdialog::ShowMessageBox(GetActiveWindow(), error.GetText().c_str(), L"Error", MB_OK | MB_ICONERROR);
        return false;
    }
}

bool MyRepository::UpdateCompanyFromDocument(const wchar_t* name, const wchar_t* fiscalCode,
                                             const wchar_t* tradeRegister, const wchar_t* address, const wchar_t* city,
                                             const wchar_t* telephone, const wchar_t* bank, const wchar_t* iban,
                                             unsigned long long vatOnReceipt, unsigned long long vatCode)
{
    return Attempt([&] {
        ExecDML(SqlFormat(L"Update Societate set Denumire = '%s' ,cui = '%s' ,nrreg = '%s' ,Adresa = '%s' ,Oras = '%s' "
                          L",Telefon = '%s' ,Banca = '%s' ,Cont = '%s' ,tvaincasare = %llu ,cotaTVA = %llu  where id = "
                          L"%llu ",
                          name, fiscalCode, tradeRegister, address, city, telephone, bank, iban, vatOnReceipt, vatCode,
                          1ULL)
                    .c_str());
    });
}

bool MyRepository::UpdateUserIdentity(const wchar_t* name, const wchar_t* identityCard, const wchar_t* personalCode)
{
    return Attempt([&] {
        ExecDML(SqlFormat(L"Update Utilizator set Nume = '%s',CI = '%s',CNP = '%s' where id = %llu ", name,
                          identityCard, personalCode, 1ULL)
                    .c_str());
    });
}

bool MyRepository::FindByName(const wchar_t* table, const wchar_t* nameColumn, const wchar_t* name,
                              unsigned long long current, unsigned long long& id)
{
    // "=" compares exactly (case and diacritics count), as the callers expect.
    QsqlQuery q = ExecQuery(SqlFormat(L"select id from %s where %s = '%s' order by id <> %llu, id limit 1", table,
                                      nameColumn, name, current)
                                .c_str());
    if (q.Eof())
        return false;
    id = q.GetIdField(0);
    return true;
}

unsigned long long MyRepository::SaveClient(int table, const wchar_t* name, const wchar_t* fiscalCode,
                                            const wchar_t* tradeRegister, const wchar_t* address, const wchar_t* city,
                                            const wchar_t* telephone, const wchar_t* bank, const wchar_t* iban,
                                            unsigned long long current)
{
    const wchar_t* partners = PartnerTable(table);
    unsigned long long id = 0;
    // The look-up by name and the write are one unit.
    bool saved = Attempt([&] {
        QsqlTransaction transaction(*this);
        if (FindByName(partners, L"Nume", name, current, id)) {
            ExecDML(SqlFormat(L"update %s set Cod = '%s' ,NrReg = '%s' ,Adresa = '%s' ,Oras = '%s' ,Telefon = '%s' "
                              L",Banca = '%s' ,Cont = '%s' where id = %llu ",
                              partners, fiscalCode, tradeRegister, address, city, telephone, bank, iban, id)
                        .c_str());
        } else {
            ExecDML(SqlFormat(L"insert into %s (Nume, Cod, NrReg, Adresa, AdresaLiv, Oras, Telefon, Fax, Banca, Cont, "
                              L"ModPlata, Delegat, Scadenta) values ('%s', '%s', '%s', '%s', '', '%s', '%s', '', '%s', "
                              L"'%s', 0, 0, 0)",
                              partners, name, fiscalCode, tradeRegister, address, city, telephone, bank, iban)
                        .c_str());
            id = static_cast<unsigned long long>(LastInsertRowId());
        }
        transaction.Commit();
    });
    return saved ? id : 0;
}

unsigned long long MyRepository::SaveAgent(const wchar_t* name, const wchar_t* series, const wchar_t* issuedBy,
                                           const wchar_t* vehicle, unsigned long long current)
{
    unsigned long long id = 0;
    bool saved = Attempt([&] {
        QsqlTransaction transaction(*this);
        if (FindByName(L"Agenti", L"numeAgent", name, current, id)) {
            ExecDML(SqlFormat(L"update Agenti set numeAgent = '%s' ,serie = '%s' ,eliberat = '%s' ,auto = '%s' where "
                              L"id = %llu ",
                              name, series, issuedBy, vehicle, id)
                        .c_str());
        } else {
            ExecDML(SqlFormat(L"insert into Agenti (numeAgent, CNP, serie, eliberat, telefon, fax, email, comision, "
                              L"zona, auto) values ('%s', '', '%s', '%s', '', '', '', 0, '', '%s')",
                              name, series, issuedBy, vehicle)
                        .c_str());
            id = static_cast<unsigned long long>(LastInsertRowId());
        }
        transaction.Commit();
    });
    return saved ? id : 0;
}

namespace {

// The stock rule's source of a document type's lines, -1 when they move no stock.
int StockSourceOf(int type)
{
    if (type == DocumentGoodsReceived)
        return StockSourceReceived;
    return type == DocumentInvoice || type == DocumentReturnInvoice ? StockSourceInvoice : -1;
}

} // namespace

// Lines and stored stock change together: each write below keeps stocReal.
bool MyRepository::DeleteDocumentItems(int type, unsigned long long documentId)
{
    return Attempt([&] {
        QsqlTransaction transaction(*this);
        int source = StockSourceOf(type);
        std::set<unsigned long long> products;
        if (source >= 0)
            products = StockProductsOf(source, documentId);
        ExecDML(SqlFormat(L"delete from '%s'  where IDFactura = %llu", DocumentLineTable(type), documentId).c_str());
        RefreshStoredStock(products);
        transaction.Commit();
    });
}

bool MyRepository::InsertDocumentItem(int type, unsigned long long productId, double quantity, double unitPrice,
                                      unsigned long long documentId, long long vatCode)
{
    micro::utils::QString vatText = vatCode < 0 ? micro::utils::QString(L"NULL")
                                                : micro::utils::QString::Formatted(L"%lld", vatCode);
    return Attempt([&] {
        QsqlTransaction transaction(*this);
        ExecDML(SqlFormat(L"insert into '%s' values ( NULL , %llu , %f , %f , %llu , %s )", DocumentLineTable(type),
                          productId, quantity, unitPrice, documentId, vatText.c_str())
                    .c_str());
        if (StockSourceOf(type) >= 0)
            RefreshStoredStock({productId});
        transaction.Commit();
    });
}

// Counters only go up: a document saved again, or saved with a lower number,
// never hands out a number twice.
void MyRepository::RaiseTo(const wchar_t* table, const wchar_t* column, unsigned long long value)
{
    long long current = ExecScalar(SqlFormat(L"select %s from %s where id = 1", column, table).c_str());
    if (current >= 0 && static_cast<unsigned long long>(current) >= value)
        return;
    if (wcscmp(table, L"iduri") == 0)
        ExecDML(SqlFormat(L"update iduri set '%s' = %llu where id = %llu ", column, value, 1ULL).c_str());
    else
        ExecDML(SqlFormat(L"update %s set %s = %llu where id = %llu ", table, column, value, 1ULL).c_str());
}

bool MyRepository::SaveDocumentHeader(int type, unsigned long long id, bool newDocument, long long status,
                                      long long number, unsigned long long client, long long issueDate,
                                      long long dueDate, unsigned long long agent, unsigned long long delegate,
                                      double net, double vat, double total, double balance, const wchar_t* series,
                                      unsigned long long* storedId)
{
    const wchar_t* headers = DocumentHeaderTable(type);
    bool inserted = newDocument || id == 0;
    unsigned long long stored = id;
    // Header, last id and counter move together or not at all.
    bool saved = Attempt([&] {
        QsqlTransaction transaction(*this);
        if (inserted) {
            // A duplicate keeps the id its lines were stored under; a taken id fails rather than
            // landing the header elsewhere and leaving its lines behind.
            micro::utils::QString idText = id ? micro::utils::QString::Formatted(L"%llu", id) : L"NULL";
            ExecDML(SqlFormat(L"insert into '%s' values ( %s , %lld , %lld , %llu , %lld , %lld , %llu , %llu , %f , "
                              L"%f , %f , %f , '%s' )",
                              headers, idText.c_str(), status, number, client, issueDate, dueDate, agent, delegate, net,
                              vat, total, balance, series)
                        .c_str());
            stored = static_cast<unsigned long long>(LastInsertRowId());
        } else {
            int changed = ExecDML(SqlFormat(L"update '%s' set status = %lld ,numar = %lld ,client = %llu ,dataCreare = "
                                            L"%lld ,dataScadenta = %lld ,agent = %llu ,delegat = %llu ,valoareFT = %f "
                                            L",valoareTVA = %f ,valoareTTI = %f ,sold = %f ,serie = '%s' where id = %llu ",
                                            headers, status, number, client, issueDate, dueDate, agent, delegate, net,
                                            vat, total, balance, series, id)
                                      .c_str());
            if (changed == 0)
                throw QSqlError(kNoSuchRow, micro::utils::QString::Formatted(L"no such row: %s.id = %llu", headers, id));
        }
        // A status or date changes what the stock rule counts of the lines.
        if (StockSourceOf(type) >= 0)
            RefreshStoredStock(StockProductsOf(StockSourceOf(type), stored));
        RaiseTo(L"iduri", DocumentIdColumn(type), stored);
        const wchar_t* counter = DocumentCounterColumn(type);
        if (inserted && counter && number > 0)
            RaiseTo(L"ConfigFacturi", counter, static_cast<unsigned long long>(number));
        transaction.Commit();
    });
    if (saved && storedId)
        *storedId = stored;
    return saved;
}

bool MyRepository::UpdateProductPricing(const wchar_t* unit, long long vatCode, PriceColumn column, double price,
                                        long long vatOption, unsigned long long productId)
{
    const wchar_t* priceColumn = column == PurchasePrice ? L"pretCumparare" : L"pretVanzare";
    return Attempt([&] {
        QsqlTransaction transaction(*this);
        KeepIssuedLineVat(*this, productId, vatCode);
        ExecDML(SqlFormat(L"Update Produse set UM = '%s' ,TVA = %lld ,optiuniTVA = %lld ,%s = %f where id = %llu ",
                          unit, vatCode, vatOption, priceColumn, price, productId)
                    .c_str());
        transaction.Commit();
    });
}

bool MyRepository::UpdateProductPricing(const wchar_t* unit, long long vatCode, double purchasePrice,
                                        double salePrice, long long vatOption, unsigned long long productId)
{
    if (purchasePrice != 0.0)
        return UpdateProductPricing(unit, vatCode, PurchasePrice, purchasePrice, vatOption, productId);
    if (salePrice != 0.0)
        return UpdateProductPricing(unit, vatCode, SalePrice, salePrice, vatOption, productId);
    return Attempt([&] {
        QsqlTransaction transaction(*this);
        KeepIssuedLineVat(*this, productId, vatCode);
        ExecDML(SqlFormat(L"Update Produse set UM = '%s' ,TVA = %lld ,optiuniTVA = %lld where id = %llu ", unit, vatCode,
                          vatOption, productId)
                    .c_str());
        transaction.Commit();
    });
}

bool MyRepository::InsertProduct(const ProductRecord& p, unsigned long long* newId)
{
    unsigned long long id = 0;
    bool saved = Attempt([&] {
        QsqlStatement st = CompileStatement(
            L"insert into Produse (id, denumire, denumireExtinsa, codExtern, depozit, furnizor, UM, categorie, moneda, "
            L"TVA, modificat, stocReal, pretCumparare, pretVanzare, ultPretdeCump, poza, optiuniTVA, sablonTVA) "
            L"values (NULL, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        const micro::utils::QString* texts[] = {&p.denumire, &p.denumireExtinsa, &p.codExtern, &p.depozit,
                                                &p.furnizor, &p.UM,              &p.categorie};
        int param = 1;
        for (const micro::utils::QString* text : texts)
            st.Bind(param++, text->c_str());
        st.Bind(param++, p.moneda);
        st.Bind(param++, p.TVA);
        st.Bind(param++, p.modificat);
        st.Bind(param++, p.stocReal);
        st.Bind(param++, p.pretCumparare);
        st.Bind(param++, p.pretVanzare);
        st.Bind(param++, p.ultPretdeCump);
        if (p.picture && p.pictureSize > 0)
            st.Bind(param++, p.picture, p.pictureSize);
        else
            st.BindNull(param++);
        st.Bind(param++, p.optiuniTVA);
        st.Bind(param++, p.sablonTVA);
        st.ExecDML();
        id = static_cast<unsigned long long>(LastInsertRowId());
    });
    if (saved && newId)
        *newId = id;
    return saved;
}

MyRepository& GetRepository()
{
    if (!g_repository) {
        // Nothing was installed: a closed repository answers "Database is not open".
        static MyRepository closed;
        return closed;
    }
    return *g_repository;
}

void SetRepository(MyRepository* repository)
{
    g_repository = repository;
}
