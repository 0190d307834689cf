#include "tests/harness/RunState.h"
#include <windows.h>
#include <cstdio>

namespace testing_support {

void MarkRunState(const std::string& text)
{
    static const std::string path = [] {
        char buffer[MAX_PATH * 2];
        DWORD n = GetEnvironmentVariableA("BRIVANE_TEST_STATE", buffer, sizeof(buffer));
        return n > 0 && n < sizeof(buffer) ? std::string(buffer) : std::string();
    }();
    if (path.empty())
        return;
    if (FILE* f = fopen(path.c_str(), "wb")) {
        fputs(text.c_str(), f);
        fclose(f);
    }
}

std::string EndedWith(int status)
{
    return "ended with status " + std::to_string(status);
}

} // namespace testing_support
