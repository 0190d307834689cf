#include "cash/CashCommands.h"
#include "cash/ReceiptCommands.h"

void RegisterCashCommands(micro::qapp::QCommandTable& commands)
{
    RegisterReceiptCommands(commands);
}
