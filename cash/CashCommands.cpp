#include "cash/CashCommands.h"

void RegisterCashCommands(micro::qapp::QCommandTable&)
{
}
