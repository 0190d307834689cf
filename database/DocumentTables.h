#pragma once
#include <vector>

// Document types and where each keeps its rows. A return invoice (4) lives in
// the invoice tables.
enum DocumentType {
    DocumentInvoice = 0,
    DocumentProforma = 1,
    DocumentDeliveryNote = 2,
    DocumentGoodsReceived = 3,
    DocumentReturnInvoice = 4,
};

enum DocumentStatus {
    StatusNew = 0,
    StatusTemporary = 1,
    StatusValidated = 2,
    StatusCancelled = 3,
    StatusReversed = 4,
};

inline bool IsValidDocumentType(int type) { return type >= 0 && type <= 4; }
// Header table: Facturi, Proforme, Avize, Niruri, Facturi (an unknown type reads as an invoice).
const wchar_t* DocumentHeaderTable(int type);
// Line table: ArticoleFacturi, ArticoleProforme, ArticoleAvize, ArticoleNiruri, ArticoleFacturi.
const wchar_t* DocumentLineTable(int type);
// Column of iduri holding the type's last id: idFactura, idProforma, idAvize, idNir, idFactura.
const wchar_t* DocumentIdColumn(int type);
// ConfigFacturi counter of the type: numarFactura, numarProforma, (none for delivery notes), numarNir, numarFactura.
const wchar_t* DocumentCounterColumn(int type);
// "?", "Temporar", "Validat", "Anulat", "Stornat"; any other status "?".
const wchar_t* DocumentStatusWord(long long status);

// The document numbers of a receipt's or payment's facturi text (" 13, 12":
// the last row first), in the order the rows were listed. Empty pieces name
// nothing; a piece that is no number reads 0.
std::vector<unsigned long long> ListedNumbers(const wchar_t* facturi);
