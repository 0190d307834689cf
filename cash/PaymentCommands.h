#pragma once
#include "framework/qapp/QCommandTable.h"

// The payments list (menu "Plati") and the payment editor's entry for the
// parts that open a stored payment.
void RegisterPaymentCommands(micro::qapp::QCommandTable& commands);
