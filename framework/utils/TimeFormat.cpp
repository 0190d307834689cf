#include "framework/utils/TimeFormat.h"
#include <ctime>
#include <cwchar>

namespace micro {
namespace utils {

bool FormatTimeText(long long seconds, QString& out, const wchar_t* format)
{
    if (seconds == -1)
        return false;
    __time64_t t = static_cast<__time64_t>(seconds);
    struct tm local;
    if (_localtime64_s(&local, &t) != 0)
        return false;
    wchar_t buffer[100];
    size_t n = wcsftime(buffer, 100, format, &local);
    if (n == 0)
        return false;
    out = QString(buffer, static_cast<int>(n));
    return true;
}

void FormatUnixDate(long long seconds, QString& out)
{
    unsigned int secs32 = static_cast<unsigned int>(seconds);
    ULONGLONG ticks = (static_cast<ULONGLONG>(secs32) + 11644473600ULL) * 10000000ULL;
    FILETIME utc, local;
    utc.dwLowDateTime = static_cast<DWORD>(ticks);
    utc.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME st = {};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return;
    out.Format(L"%04d-%02d-%02d", st.wYear, st.wMonth, st.wDay);
}

} // namespace utils
} // namespace micro
