#pragma once
#include "printing/FacturaDate.h"

// The document pages on the printer. Each reads its item lines afresh (a
// database error is shown in a "Message" box and nothing is printed), asks
// before leaving out lines the page cannot hold, then sets the default
// printer up, runs the system print dialog owned by job.owner and prints
// through a PrintJob (printing/PrintHelpers.h); a cancelled dialog prints
// nothing. Layout 2 first makes the invoice's receipt when it has none; the
// goods-received note goes on over further sheets when its rows need them.
// Answers whether the document was printed.
bool PrintFacturaLayout1(FacturaPrintJob& job);
bool PrintFacturaChitantaLayout2(FacturaPrintJob& job);
bool PrintFacturaLayout3(FacturaPrintJob& job);
bool PrintNir(FacturaPrintJob& job);
