#pragma once
#include "framework/utils/QString.h"

namespace micro {
namespace qsql {

// The database exception: a code and a message. Unrelated to utils::QError.
class QSqlError {
public:
    static const int kWrapperError = 1000;

    QSqlError(int code, const wchar_t* message) : m_code(code), m_message(message) {}
    QSqlError(int code, const utils::QString& message) : m_code(code), m_message(message) {}

    int GetCode() const { return m_code; }
    const utils::QString& GetMessage() const { return m_message; }
    // "%s[%d]: %s": code name, code, message.
    utils::QString GetText() const;
    // "SQLITE_ERROR" for 1 (extended codes by their primary code), "CPPSQLITE_ERROR" for 1000.
    static const wchar_t* CodeName(int code);

private:
    int m_code;
    utils::QString m_message;
};

} // namespace qsql
} // namespace micro
