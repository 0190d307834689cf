#pragma once
#include "framework/utils/QString.h"

namespace micro {
namespace utils {

// Formats Unix seconds as local time with a wcsftime format ("%d-%m-%Y").
// -1 or a failed conversion answers false and leaves the text unchanged.
bool FormatTimeText(long long seconds, QString& out, const wchar_t* format);
// Unix seconds (taken as 32-bit) as the local date "%04d-%02d-%02d".
void FormatUnixDate(long long seconds, QString& out);

} // namespace utils
} // namespace micro
