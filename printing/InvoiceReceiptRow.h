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
