#pragma once
#include <windows.h>
#include <cstdint>
#include "framework/utils/QArray.h"
#include "framework/utils/QBuffer.h"
#include "framework/utils/QString.h"

namespace micro { namespace qsql { class QsqlQuery; } }

// One printed item line: eight ready-made texts.
class ItemFactura {
public:
    micro::utils::QString nrCrt;       // "%lu", from 1
    micro::utils::QString denumire;    // product name, or "<discount name> N%"
    micro::utils::QString um;
    micro::utils::QString cantitate;   // QuantityText
    micro::utils::QString pretUnitar;  // "%.2f", without VAT
    micro::utils::QString valoare;     // "%.2f", quantity x unit price
    micro::utils::QString valoareTVA;  // "%.2f"
    micro::utils::QString cotaTVA;     // "24%", "9%", "5%", "0%"
};

// One stored document with everything a page needs, read from the database
// once at construction and only read afterwards. A field the database gives
// nothing for keeps its start value: the sample document's texts, dotted lines
// for the delegate, or empty.
class FacturaDate {
public:
    FacturaDate(unsigned long long id, int type);
    ~FacturaDate();
    FacturaDate(const FacturaDate&) = delete;
    FacturaDate& operator=(const FacturaDate&) = delete;

    micro::utils::QObArray<ItemFactura> items;
    int32_t ultimaCotaTVA;   // VAT code of the latest product line read
    micro::utils::QBuffer logo;
    micro::utils::QBuffer background;
    micro::utils::QBuffer stampila;
    unsigned long long id;
    long long tip;

    micro::utils::QString numar;
    micro::utils::QString serie;
    micro::utils::QString dataCreare;
    micro::utils::QString dataScadenta;
    micro::utils::QString clientNume;
    micro::utils::QString clientNrReg;
    micro::utils::QString clientCod;
    micro::utils::QString clientAdresa;
    micro::utils::QString clientAdresaLiv;
    micro::utils::QString clientOras;
    micro::utils::QString clientTelefon;
    micro::utils::QString clientBanca;
    micro::utils::QString clientCont;
    micro::utils::QString chitantaNumar;
    micro::utils::QString chitantaSerie;
    // What the receipt collects: a validated receipt's own sum, else what is
    // left to collect on the invoice (its total for any other document), and
    // in words.
    micro::utils::QString chitantaSuma;
    micro::utils::QString chitantaSumaInLitere;
    // The stored receipt's own date; else the document's, which a receipt
    // made with it takes.
    micro::utils::QString chitantaData;
    micro::utils::QString valoareTTI;   // as the database renders the number
    micro::utils::QString valoareTVA;
    micro::utils::QString valoareFT;
    micro::utils::QString societateDenumire;
    micro::utils::QString societateNrReg;
    micro::utils::QString societateCui;
    micro::utils::QString societateAdresa;
    micro::utils::QString societateOras;
    micro::utils::QString societateTelefon;
    micro::utils::QString societateFax;
    micro::utils::QString societateBanca;
    micro::utils::QString societateCont;
    micro::utils::QString societateBanca2;
    micro::utils::QString societateCont2;
    micro::utils::QString emitentNume;
    micro::utils::QString emitentCI;
    micro::utils::QString emitentCNP;
    micro::utils::QString delegatNume;
    micro::utils::QString delegatSerie;
    micro::utils::QString delegatCNP;
    micro::utils::QString delegatAuto;
    micro::utils::QString serieNir;       // supplier's invoice number of a goods-received note
    micro::utils::QString totalInLitere;
    unsigned long long chitantaId;        // the document's receipt in Incasari; 0: none yet
    bool chitantaTemporara;               // that receipt is still temporary
    unsigned long long clientId;
    unsigned long long dataCreareSecunde;
    int32_t tvaLaIncasare;
    unsigned char faraTVA;

    // Fills the record from the database for `id` and `tip`. Database errors of
    // the header, partner, company and delegate reads leave by exception.
    void Load();

private:
    void SetStartValues();
    unsigned long long LoadHeader();
    void LoadClient();
    bool LoadCompany();
    void LoadDelegate(unsigned long long delegateId);
    void LoadReceipt();
    void SetReceiptSum(double amount);
    void LoadLines();
    ItemFactura* ReadLine(const micro::qsql::QsqlQuery& q, unsigned long n);

    double headerNet;   // the header's own net value, for the discount percentage
};

// What a printed page or a PDF export receives: the record, then the document
// id and type again, the layout (1-3) and the window that owns the system print
// dialog (only set for printing).
class FacturaPrintJob : public FacturaDate {
public:
    FacturaPrintJob(unsigned long long id, int type, int layout, HWND ownerWindow);

    unsigned long long idDocument;
    int32_t tipDocument;
    int32_t model;
    HWND owner;
};
