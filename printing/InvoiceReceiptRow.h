#pragma once
#include "framework/utils/QString.h"

// One receipt for invoices, as the Incasari table keeps it.
struct InvoiceReceiptRow {
    micro::utils::QString series;
    unsigned long long number = 0;
    unsigned long long clientId = 0;
    // The invoices' numbers, each after a space (" 12 13").
    micro::utils::QString invoices;
    // The invoice's id: the number alone may name another series' invoice.
    unsigned long long invoiceId = 0;
    double amount = 0.0;
    micro::utils::QString amountInWords;
    unsigned long long date = 0;
};

// Whether the receipt counter also takes the receipt's series.
enum class ReceiptCounterSeries { Keep, Store };

// Writes the receipt row and moves the receipt counter to its number, both or
// neither (one transaction). Answers the new row's id; a refused statement
// throws QSqlError with nothing written.
unsigned long long WriteInvoiceReceipt(const InvoiceReceiptRow& row, ReceiptCounterSeries counterSeries);

// A stored receipt as an invoice names it.
struct StoredInvoiceReceipt {
    unsigned long long id = 0;
    micro::utils::QString series;
    micro::utils::QString number;
    long long status = 0;
    double amount = 0.0;
    bool dated = false;
    long long date = 0;

    bool Temporary() const;
};

// The invoice's receipt: the last one not cancelled of its client that names
// exactly its number and, when it keeps the id of the invoice it was made
// for, was made for this one. False when it has none; throws QSqlError.
bool FindInvoiceReceipt(unsigned long long clientId, unsigned long long invoiceId,
                        const micro::utils::QString& invoiceNumber, StoredInvoiceReceipt& found);

// An invoice keeps one temporary receipt, made again for what is left to
// collect whenever a receipt is asked for: its sum and words are brought to
// that and its client to the invoice's (it took nothing from anyone); its
// number, series and date stay. A receipt no longer temporary, or gone, is
// left as it is and QSqlError thrown.
void BringInvoiceReceipt(unsigned long long receiptId, unsigned long long clientId, double amount,
                         const micro::utils::QString& amountInWords);

// An invoice moved to another partner takes along the temporary receipt made
// for it, which took nothing from anyone yet: asked for again, the invoice
// finds it under its new partner instead of taking a second number. Run
// inside the save's transaction; throws QSqlError.
void MoveInvoiceReceipt(unsigned long long invoiceId, unsigned long long fromClient, unsigned long long toClient);
