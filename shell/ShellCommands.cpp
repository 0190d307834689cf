#include "shell/ShellCommands.h"
#include "resources/resource.h"
#include <shellapi.h>

using micro::qapp::QCommandContext;

namespace {

void ExitProgram(const QCommandContext& context)
{
    // The same road as the close box: the window goes, its destruction ends the loop.
    ::SendMessageW(context.frame, WM_CLOSE, 0, 0);
}

void StartCalculator(const QCommandContext& context)
{
    // A machine without a calculator simply gets none.
    ShellExecuteW(context.frame, L"open", L"calc.exe", nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

void RegisterShellCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(ID_APP_EXIT, &ExitProgram);
    commands.Register(ID_CMD_CALCULATOR, &StartCalculator);
}
