#pragma once
#include "framework/qapp/QCommandTable.h"

// Adds this part's main-window commands to the table.
void RegisterPrintingCommands(micro::qapp::QCommandTable& commands);
