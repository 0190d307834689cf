#pragma once
#include "database/qsql/QsqlDatabase.h"
#include "database/qsql/SqlText.h"

// The columns of a new Produse row.
struct ProductRecord {
    micro::utils::QString denumire, denumireExtinsa, codExtern, depozit, furnizor, UM, categorie;
    long long moneda = 0, TVA = 0, modificat = 0;
    double stocReal = 0.0, pretCumparare = 0.0, pretVanzare = 0.0, ultPretdeCump = 0.0;
    // The picture's bytes (none: the column stays NULL).
    const void* picture = nullptr;
    int pictureSize = 0;
    long long optiuniTVA = 0, sablonTVA = 0;
};

// The one database object of the program, with its write operations.
//
// Each write operation shows a database failure in a box titled "Error" and
// answers failure (false, or id 0). A caller that runs several of them as one
// unit holds a QsqlTransaction and a ThrowErrors guard: the operations then
// throw their QSqlError instead, the first failure leaves the caller, and the
// transaction rolls the unit back.
class MyRepository : public micro::qsql::QsqlDatabase {
public:
    MyRepository();

    class ThrowErrors {
    public:
        explicit ThrowErrors(MyRepository& repository) : m_repository(repository) { ++m_repository.m_throwErrors; }
        ~ThrowErrors() { --m_repository.m_throwErrors; }
        ThrowErrors(const ThrowErrors&) = delete;
        ThrowErrors& operator=(const ThrowErrors&) = delete;

    private:
        MyRepository& m_repository;
    };

    // Company row 1 as typed on a document; vatOnReceipt 0 or 1, vatCode 0-3.
    bool UpdateCompanyFromDocument(const wchar_t* name, const wchar_t* fiscalCode, const wchar_t* tradeRegister,
                                   const wchar_t* address, const wchar_t* city, const wchar_t* telephone,
                                   const wchar_t* bank, const wchar_t* iban, unsigned long long vatOnReceipt,
                                   unsigned long long vatCode);
    // Utilizator row 1.
    bool UpdateUserIdentity(const wchar_t* name, const wchar_t* identityCard, const wchar_t* personalCode);
    // table 0 Clienti, 1 Furnizori. The partner of exactly that name is
    // updated, otherwise a new one is inserted; answers its id, 0 on failure.
    // Names need not be unique: among namesakes the row `current` (the one a
    // stored document names) is the one meant, else the first.
    unsigned long long SaveClient(int table, const wchar_t* name, const wchar_t* fiscalCode,
                                  const wchar_t* tradeRegister, const wchar_t* address, const wchar_t* city,
                                  const wchar_t* telephone, const wchar_t* bank, const wchar_t* iban,
                                  unsigned long long current = 0);
    // The agent of exactly that name is updated, otherwise inserted; answers
    // its id, 0 on failure. Among namesakes `current` is meant, as above.
    unsigned long long SaveAgent(const wchar_t* name, const wchar_t* series, const wchar_t* issuedBy,
                                 const wchar_t* vehicle, unsigned long long current = 0);

    // The lines of a document (type as DocumentType).
    bool DeleteDocumentItems(int type, unsigned long long documentId);
    // vatCode is the code the line is issued with (printed and summed at that
    // rate whatever the catalogue says later); a negative code stores NULL,
    // for a line that follows its product's rate.
    bool InsertDocumentItem(int type, unsigned long long productId, double quantity, double unitPrice,
                            unsigned long long documentId, long long vatCode);
    // Inserts a header (id 0 or newDocument: the database gives the id) or
    // updates the header id. Then iduri holds the highest id stored for the
    // type, and for a new header the type's ConfigFacturi counter rises to
    // number (it never goes down; delivery notes have none). storedId, when
    // given, receives the header's id. Updating a header that does not exist fails.
    bool SaveDocumentHeader(int type, unsigned long long id, bool newDocument, long long status, long long number,
                            unsigned long long client, long long issueDate, long long dueDate,
                            unsigned long long agent, unsigned long long delegate, double net, double vat,
                            double total, double balance, const wchar_t* series,
                            unsigned long long* storedId = nullptr);

    // Unit, VAT code and VAT option, and the one price the caller means.
    enum PriceColumn { PurchasePrice, SalePrice };
    bool UpdateProductPricing(const wchar_t* unit, long long vatCode, PriceColumn column, double price,
                              long long vatOption, unsigned long long productId);
    // The price written is the purchase price when it is not 0, else the sale
    // price when that is not 0; two zero prices leave both prices as they are.
    bool UpdateProductPricing(const wchar_t* unit, long long vatCode, double purchasePrice, double salePrice,
                              long long vatOption, unsigned long long productId);
    // newId, when given, receives the new row's id.
    bool InsertProduct(const ProductRecord& product, unsigned long long* newId = nullptr);

private:
    template <typename Write>
    bool Attempt(Write&& write);
    void RaiseTo(const wchar_t* table, const wchar_t* column, unsigned long long value);
    bool FindByName(const wchar_t* table, const wchar_t* nameColumn, const wchar_t* name, unsigned long long current,
                    unsigned long long& id);

    int m_throwErrors;
};

// The seam through which every part reaches the one repository: the shell
// points it at its member, tests at a temporary file.
MyRepository& GetRepository();
void SetRepository(MyRepository* repository);
