#pragma once
#include "framework/qapp/QCommandTable.h"

// Adds this part's main-window commands (the receipts and the payments
// list) to the table, and its editors to the entries other parts open.
void RegisterCashCommands(micro::qapp::QCommandTable& commands);
