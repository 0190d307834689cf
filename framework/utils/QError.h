#pragma once
#include "framework/utils/QString.h"

namespace micro {
namespace utils {

// The framework's exception: a message text.
class QError {
public:
    QError() {}
    explicit QError(const wchar_t* text) : m_text(text) {}
    explicit QError(const QString& text) : m_text(text) {}
    // The system's text of a Win32 error code (FormatMessage).
    static QError FromLastError(DWORD code = GetLastError());
    static QString SystemText(DWORD code);
    const QString& GetText() const { return m_text; }

private:
    QString m_text;
};

} // namespace utils
} // namespace micro
