#include <windows.h>
#include "shell/MyApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return GetApp().Run();
}
