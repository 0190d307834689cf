#include "stock/StockCommands.h"

void RegisterStockCommands(micro::qapp::QCommandTable&)
{
}
