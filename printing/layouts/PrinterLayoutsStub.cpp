// Until the real printed pages land nothing is printed.
#include "printing/layouts/PrinterLayouts.h"

bool PrintFacturaLayout1(FacturaPrintJob&) { return false; }
bool PrintFacturaChitantaLayout2(FacturaPrintJob&) { return false; }
bool PrintFacturaLayout3(FacturaPrintJob&) { return false; }
bool PrintNir(FacturaPrintJob&) { return false; }
