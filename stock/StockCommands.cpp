#include "stock/StockCommands.h"
#include "stock/StockReportCommands.h"

void RegisterStockCommands(micro::qapp::QCommandTable& commands)
{
    RegisterStockReportCommands(commands);
}
