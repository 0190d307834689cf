#pragma once
#include <windows.h>

// The receipt print dialog lives with the printing above this layer: it
// registers itself here at start-up, the receipt editor prints through it.
struct ReceiptPrintRequest {
    unsigned long long clientId;
    double amount;
    const wchar_t* facturi;
    const wchar_t* number;
    const wchar_t* date;   // "%d-%m-%Y"
    const wchar_t* series; // the invoices' own series; "" when they differ (each is in facturi)
    const wchar_t* receiptSeries = nullptr; // the receipt's own series; null: the numbering settings'
};

typedef INT_PTR (*ReceiptPrinter)(HWND owner, const ReceiptPrintRequest& request);
void SetReceiptPrinter(ReceiptPrinter printer);
// Answers 0 without showing anything when no printer is registered.
INT_PTR PrintReceipt(HWND owner, const ReceiptPrintRequest& request);
