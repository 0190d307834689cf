#include <windows.h>
#include "shell/MyApp.h"

// Built by the C runtime's static initialisers, before the entry point.
static MyApp theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return theApp.Run();
}
