#pragma once
#include "printing/FacturaDate.h"

// Makes sure the invoice of a print job has its receipt before the invoice is
// printed with it: its temporary receipt is brought to what is left to
// collect; when the record shows none (chitantaId 0) the user confirms or
// changes the proposed number and series, then the receipt counter and the
// receipt row are written together. Answers false, with nothing written, when
// the user cancels, the document is no invoice, the invoice is cancelled or
// reversed or has nothing left to collect (each said in the same box as the
// editor's "  Chitanta") or the database refuses (the error shown in a
// "Message" box); on success the record holds the receipt's number, series
// and id.
bool EnsureInvoiceReceipt(FacturaPrintJob& job);

// Whether the job's document still has its header row: a receipt is only ever
// made for a stored document (id 0 or a deleted one gets none).
bool JobHasHeaderRow(const FacturaPrintJob& job);

// What layout 2 of a job needs before it is printed or exported.
enum class JobReceipt {
    Ready,   // the document has its validated receipt, or is not stored and gets none
    ToMake,  // a stored invoice still owed, without a receipt
    ToBring, // a stored invoice still owed, with its temporary receipt
    Refused, // no invoice, a closed one or nothing left to collect: said in a box owned by owner
};
// Throws micro::qsql::QSqlError.
JobReceipt CheckJobReceipt(const FacturaPrintJob& job, HWND owner);
// The next receipt number free in the configured receipt series, and that
// series: proposed, not reserved.
void ProposeReceipt(micro::utils::QString& number, micro::utils::QString& series);
// Writes the job's receipt with that number and series and moves the receipt
// counter to it, both or neither; the record then holds all three. Throws
// micro::qsql::QSqlError with nothing written.
void StoreJobReceipt(FacturaPrintJob& job, unsigned long long number, const micro::utils::QString& series);
// Brings the job's temporary receipt to the sum its record shows (what is
// left to collect). Throws micro::qsql::QSqlError with nothing written.
void BringJobReceipt(const FacturaPrintJob& job);
