#pragma once
#include "printing/FacturaDate.h"

// The document as a PDF file: each asks for the file in the save dialog and
// writes the layout; a failure while writing shows "Error saving pdf file!".
// Answers whether a file was written.
bool ExportFacturaPdfLayout1(FacturaPrintJob& job);
// Creates the document's receipt first when it has none (after asking).
bool ExportFacturaChitantaPdfLayout2(FacturaPrintJob& job);
bool ExportFacturaPdfLayout3(FacturaPrintJob& job);
