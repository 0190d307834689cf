#pragma once
#include "printing/FacturaDate.h"

// Makes sure the invoice of a print job has its receipt before the invoice is
// printed with it: when the record shows none (chitantaId 0) the user confirms
// or changes the proposed number and series, then the receipt counter and the
// receipt row are written together. Answers false, with nothing written, when
// the user cancels or the database refuses (the error shown in a "Message"
// box); on success the record holds the receipt's number, series and id.
bool EnsureInvoiceReceipt(FacturaPrintJob& job);

// Whether the job's document still has its header row: a receipt is only ever
// made for a stored document (id 0 or a deleted one gets none).
bool JobHasHeaderRow(const FacturaPrintJob& job);
