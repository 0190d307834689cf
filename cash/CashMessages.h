#pragma once
#include <windows.h>
#include "cash/Settlement.h"
#include "framework/gui/QListCtrl.h"

// The boxes the receipt and the payment editors show alike, in the words of
// their own side.
struct CashWords {
    const wchar_t* document;          // what was saved: "chitanta", "plata"
    const wchar_t* gone;              // the editor's row was deleted meanwhile
    const wchar_t* amountNotPositive; // the whole text
    const wchar_t* foreignDocument;   // a format of the row, counted from 1
    const wchar_t* nothingOwed;       // a format of the document's number
};
extern const CashWords kReceiptWords;
extern const CashWords kPaymentWords;

// Shows why the plan cannot go on, or asks about a last row paid in part
// (rows: the editor's list of documents); true when the plan may be applied.
// Every box is owned by owner.
bool ConfirmSettlementPlan(HWND owner, const settlement::SettlementPlan& plan, const CashWords& words,
                           const micro::gui::QListCtrl& rows);
// The document chosen is listed already (named by its number when given).
void ShowAlreadyListed(HWND owner);
void ShowAlreadyListed(HWND owner, unsigned long long number);
// The number shown was taken by another save meanwhile: says which one was stored.
void ShowNumberTaken(HWND owner, const CashWords& words, unsigned long long shown, unsigned long long stored);
// Nothing is collected on a cancelled or reversed invoice: for one of the
// client's, says so in a box owned by owner and answers true.
bool RefusedReceiptForClosedInvoice(HWND owner, unsigned long long clientId, unsigned long long invoiceId);
// A receipt is made for a stored invoice only while it has something left to
// collect: for one of the client's invoices with a balance of 0 or less, says
// so in a box owned by owner and answers true (nothing may be written then).
bool RefusedReceiptForSettledInvoice(HWND owner, unsigned long long clientId, unsigned long long invoiceId);
// The same box for an invoice whose balance, as a save is about to store it
// or has stored it, leaves nothing to collect.
void ShowNothingToCollect(HWND owner, unsigned long long invoiceNumber);
// Receipts are made for invoices only (DocumentInvoice): for any other type
// says so in a box owned by owner and answers true (nothing may be written).
bool RefusedReceiptForDocumentType(HWND owner, int documentType);
// An update of the editor's own row that changed no row: it was deleted
// meanwhile, and the save must fail rather than report success. Throws
// micro::qsql::QSqlError.
void ThrowIfRowGone(int changedRows, const CashWords& words);
