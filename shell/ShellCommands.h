#pragma once
#include "framework/qapp/QCommandTable.h"

// The shell's own main-window commands: "E&xit" and the calculator.
void RegisterShellCommands(micro::qapp::QCommandTable& commands);
