#pragma once
#include "framework/qapp/QCommandTable.h"

// Adds this part's main-window commands to the table.
void RegisterDocumentCommands(micro::qapp::QCommandTable& commands);
