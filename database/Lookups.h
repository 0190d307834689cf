#pragma once
#include "framework/utils/QBuffer.h"
#include "framework/utils/QString.h"
#include <map>
#include <set>

// Single values read by id from the company database (GetRepository()).
// A key k names one column; keys a look-up does not know read as the absent
// answer (empty text, 0). Where a caller wants the text back and where it
// hands in the string to fill, both forms exist.
//
// Error handling differs per look-up and is part of its contract: the partner
// names show a database error in a box titled "ERROR" and go on; every
// other look-up lets the micro::qsql::QSqlError pass to its caller.

// Clienti: 1 Nume, 3 Cod, 25 Banca.
micro::utils::QString GetClientField(unsigned long long clientId, int k);
void GetClientField(micro::utils::QString& text, unsigned long long clientId, int k);
// The names of the given clients in one query (a list naming hundreds of
// partners would spend more on a look-up each than on all the rest); a
// client not found has none. A database error is left to the caller.
std::map<unsigned long long, micro::utils::QString> ReadClientNames(const std::set<unsigned long long>& ids);
// Clienti: 2 ModPlata, 7 Delegat, 8 Scadenta (payment term in days).
long long GetClientIntField(unsigned long long clientId, int k);
// Furnizori.Nume.
micro::utils::QString GetSupplierName(unsigned long long supplierId);
void GetSupplierName(micro::utils::QString& text, unsigned long long supplierId);
// ConturiContabile.descriere (the payment types; combo index i is id i + 1).
micro::utils::QString GetAccountDescription(unsigned long long accountId);
void GetAccountDescription(micro::utils::QString& text, unsigned long long accountId);
// Agenti: 1 numeAgent, 2 CNP, 3 serie, 4 eliberat, 5 telefon, 6 fax, 7 email,
// 8 comision, 9 zona, 10 auto.
void GetAgentField(unsigned long long agentId, int k, micro::utils::QString& text);

// Produse: 1 denumire, 2 denumireExtinsa, 3 codExtern, 4 depozit, 5 furnizor, 6 UM, 7 categorie.
void GetProductTextField(micro::utils::QString& text, unsigned long long productId, int k);
// Produse: 1 moneda, 2 UM, 3 TVA (VAT code 0-3), 4 modificat, 5 optiuniTVA, 6 sablonTVA.
long long GetProductIntField(unsigned long long productId, int k);
// Produse: 3 stocReal, 4 pretCumparare, 5 pretVanzare, 8 ultPretdeCump.
double GetProductNumField(unsigned long long productId, int k);
// 0 "RON", 1 "USD", 2 "EUR", any other code empty.
micro::utils::QString GetCurrencyName(long long currencyCode);
void GetCurrencyName(long long currencyCode, micro::utils::QString& text);

// ConfigFacturi, first row: 1 serie_facturi, 2 serie_chit.
void GetDocumentSeries(micro::utils::QString& text, int k);
// ConfigFacturi, first row: 8 numarFactura, 9 numarNir, 10 numarChit,
// 11 numarProforma, 13 numarPlati, 15 perioadaPreluare.
long long GetInvoiceConfigValue(int k);
// iduri row 1: 6 idIntrari, 7 idIesiri.
long long GetLastDocumentId(int k);
// Nume, CI and CNP of the first Utilizator row; without a row the texts are
// emptied and the answer is false.
bool GetUserIdentity(micro::utils::QString& name, micro::utils::QString& identityCard,
                     micro::utils::QString& personalCode);
// Societate, first row: 1 tvaincasare; 2 the VAT multiplier of cotaTVA
// (0 gives 1.24, 1 gives 1.09, 2 gives 1.05, 3 gives 1.0, any other 0).
double GetCompanyVatSetting(int k);
// The VAT multiplier of a VAT code, the same table as above.
double VatFactorOfCode(long long vatCode);

// Facturi.valoareFT (0.0 when absent or NULL) and Facturi.dataCreare (0 when absent).
double GetInvoiceNetValue(unsigned long long documentId);
long long GetInvoiceCreationDate(unsigned long long documentId);

// The product's stock at the end (23:59:59 UTC) of the day holding date, by
// the one stock rule (database/StockRule.h); a database error is raised.
double GetProductStockAtDate(long long date, unsigned long long productId);
// The last second of the UTC day holding date.
long long EndOfDay(long long date);

// Societate.background of row 1; empty when there is none.
void LoadCompanyBackground(micro::utils::QBuffer& background);
