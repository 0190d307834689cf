#include "shell/ShellCommands.h"
#include "framework/qdialog/QMessageBox.h"
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
    // Values up to 32 are failures: a machine without a calculator says so.
    HINSTANCE started = ShellExecuteW(context.frame, L"open", L"calc.exe", nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), L"Calculatorul sistemului nu a fost gasit !",
                                       L"Message", MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

void RegisterShellCommands(micro::qapp::QCommandTable& commands)
{
    commands.Register(ID_APP_EXIT, &ExitProgram);
    commands.Register(ID_CMD_CALCULATOR, &StartCalculator);
}
