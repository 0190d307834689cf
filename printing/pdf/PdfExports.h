#pragma once
#include <vector>
#include "printing/FacturaDate.h"
#include "printing/layouts/PrintedItems.h"

// "Save PDF" of the print dialog: the job's document as a PDF file. Each asks
// for the file in the save dialog over the main window (".pdf" is added unless
// the name has it) and writes the layout there. Answers false after an error
// message, true otherwise (also when no file was chosen).
bool ExportFacturaPdfLayout1(FacturaPrintJob& job);
// First creates the document's receipt when it has none, after asking.
bool ExportFacturaChitantaPdfLayout2(FacturaPrintJob& job);
bool ExportFacturaPdfLayout3(FacturaPrintJob& job);
// A goods-received note: every sheet it prints, one page each.
bool ExportNirPdf(FacturaPrintJob& job);

// The writers behind the exports, given the file. They read the item lines
// first: a database error is shown in a "Message" box, and lines that do not
// fit the table are announced (OK/Cancel); a failed save shows "Error saving
// pdf file!". Each answers whether the file was written.
bool WriteFacturaPdfLayout1(const FacturaPrintJob& job, const wchar_t* path);
bool WriteFacturaChitantaPdfLayout2(const FacturaPrintJob& job, const wchar_t* path);
bool WriteFacturaPdfLayout3(const FacturaPrintJob& job, const wchar_t* path);
bool WriteNirPdf(const FacturaPrintJob& job, const wchar_t* path);
// Layout 2 in two steps: the lines read (and their overflow asked about)
// before the receipt is made, then the file written with them.
bool ReadLayout2PdfItems(const FacturaPrintJob& job, std::vector<PrintedItem>& items);
bool WriteFacturaChitantaPdfLayout2(const FacturaPrintJob& job, const wchar_t* path,
                                    const std::vector<PrintedItem>& items);

// Layout 2's receipt. The invoice's temporary receipt is brought to what is
// left to collect. When the record shows none (chitantaId 0) and the
// document is stored, asks "Se va crea Chitanta cu numarul N continuati ?"
// and on OK writes the receipt counter and the Incasari row together; the
// record then holds the receipt's id. Answers false when the user declines,
// the receipt is refused as in EnsureInvoiceReceipt or the database refuses
// (its error shown in a "Message" box); a document without a header row gets
// no receipt and the answer true.
bool CreatePdfInvoiceReceipt(FacturaPrintJob& job);
