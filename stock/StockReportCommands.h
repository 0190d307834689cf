#pragma once
#include "framework/qapp/QCommandTable.h"

// The stock list and the ledgers on the main window's commands.
void RegisterStockReportCommands(micro::qapp::QCommandTable& commands);
