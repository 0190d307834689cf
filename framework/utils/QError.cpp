#include "framework/utils/QError.h"

namespace micro {
namespace utils {

QString QError::SystemText(DWORD code)
{
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    QString result;
    if (n && text) {
        result = QString(text, static_cast<int>(n));
        result.Trim();
    } else {
        result.Format(L"Error %lu", static_cast<unsigned long>(code));
    }
    if (text)
        LocalFree(text);
    return result;
}

QError QError::FromLastError(DWORD code)
{
    return QError(SystemText(code));
}

} // namespace utils
} // namespace micro
