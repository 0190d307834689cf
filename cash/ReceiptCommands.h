#pragma once
#include "framework/qapp/QCommandTable.h"

// The receipts list (command 32817) and the receipt editor's entry.
void RegisterReceiptCommands(micro::qapp::QCommandTable& commands);
