#include "cash/CashCommands.h"
#include "cash/PaymentCommands.h"

void RegisterCashCommands(micro::qapp::QCommandTable& commands)
{
    RegisterPaymentCommands(commands);
}
