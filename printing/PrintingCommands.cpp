#include "printing/PrintingCommands.h"

void RegisterPrintingCommands(micro::qapp::QCommandTable&)
{
}
