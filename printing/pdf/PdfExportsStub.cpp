// Until the real exports land nothing is written.
#include "printing/pdf/PdfExports.h"

bool ExportFacturaPdfLayout1(FacturaPrintJob&) { return false; }
bool ExportFacturaChitantaPdfLayout2(FacturaPrintJob&) { return false; }
bool ExportFacturaPdfLayout3(FacturaPrintJob&) { return false; }
