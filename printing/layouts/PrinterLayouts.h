#pragma once
#include "printing/FacturaDate.h"

// The document pages on the printer. Each sets the default printer up, runs
// the system print dialog owned by job.owner and prints one page through a
// PrintJob (printing/PrintHelpers.h); a cancelled dialog prints nothing.
// Answers whether a page was printed.
bool PrintFacturaLayout1(FacturaPrintJob& job);
bool PrintFacturaChitantaLayout2(FacturaPrintJob& job);
bool PrintFacturaLayout3(FacturaPrintJob& job);
bool PrintNir(FacturaPrintJob& job);
