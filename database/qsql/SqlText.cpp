#include "database/qsql/SqlText.h"
#include "database/qsql/QSqlError.h"
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace micro {
namespace qsql {

namespace {

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

utils::QString SqlSafeText(const wchar_t* text, int length)
{
    utils::QString out;
    if (!text || length <= 0)
        return out;
    int i = 0;
    while (i < length) {
        int start = i;
        // Runs of well-formed text are appended whole.
        while (i < length) {
            wchar_t c = text[i];
            if (IsHighSurrogate(c) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
                i += 2;
                continue;
            }
            if (IsHighSurrogate(c) || IsLowSurrogate(c))
                break;
            ++i;
        }
        out.Append(text + start, i - start);
        if (i < length) {
            out.Append(L"\xFFFD", 1);
            ++i;
        }
    }
    return out;
}

utils::QString SqlSafeText(const wchar_t* text)
{
    return SqlSafeText(text, text ? static_cast<int>(wcslen(text)) : 0);
}

utils::QString SqlNumber(double value)
{
    if (!std::isfinite(value))
        throw QSqlError(QSqlError::kWrapperError, L"Valoare numerica nepermisa (infinit sau NaN)");
    wchar_t text[40];
    _snwprintf(text, 39, L"%.17g", value);
    text[39] = 0;
    return utils::QString(text);
}

utils::QString SqlQuote(const wchar_t* raw)
{
    utils::QString out;
    if (!raw)
        return out;
    utils::QString safe = SqlSafeText(raw);
    const wchar_t* text = safe.c_str();
    const wchar_t* start = text;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p == L'\'') {
            out.Append(start, static_cast<int>(p - start) + 1);
            out.Append(L"'", 1);
            start = p + 1;
        }
    }
    out.Append(start);
    return out;
}

utils::QString SqlLikeContains(const wchar_t* text)
{
    utils::QString out(L"%");
    for (const wchar_t* p = text ? text : L""; *p; ++p) {
        if (*p == L'%' || *p == L'_' || *p == L'\\')
            out.Append(L"\\", 1);
        out.Append(p, 1);
    }
    out.Append(L"%", 1);
    return out;
}

utils::QString SqlFormat(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    utils::QString out;
    const wchar_t* p = format ? format : L"";
    const wchar_t* literal = p;
    while (*p) {
        if (*p != L'%') {
            ++p;
            continue;
        }
        out.Append(literal, static_cast<int>(p - literal));
        const wchar_t* spec = p++;
        if (*p == L'%') {
            out.Append(L"%", 1);
            literal = ++p;
            continue;
        }
        // flags, width, precision (no '*'), length, conversion
        while (*p && wcschr(L"-+ #0", *p))
            ++p;
        while (*p >= L'0' && *p <= L'9')
            ++p;
        if (*p == L'.') {
            ++p;
            while (*p >= L'0' && *p <= L'9')
                ++p;
        }
        int longs = 0;
        bool i64 = false;
        while (*p == L'l' || *p == L'h' || *p == L'I') {
            if (*p == L'l')
                ++longs;
            if (*p == L'I' && p[1] == L'6' && p[2] == L'4') {
                i64 = true;
                p += 2;
            }
            ++p;
        }
        wchar_t conversion = *p;
        if (!conversion)
            break;
        ++p;
        wchar_t one[32];
        int specLength = static_cast<int>(p - spec);
        if (specLength >= 31)
            specLength = 31;
        wmemcpy(one, spec, specLength);
        one[specLength] = 0;
        wchar_t piece[512];
        switch (conversion) {
        case L's': {
            const wchar_t* text = va_arg(args, const wchar_t*);
            out.Append(SqlQuote(text ? text : L"").c_str());
            break;
        }
        case L'd': case L'i': case L'u': case L'x': case L'X': case L'o': case L'c':
            if (longs >= 2 || i64)
                _snwprintf(piece, 511, one, va_arg(args, long long));
            else if (longs == 1)
                _snwprintf(piece, 511, one, va_arg(args, long));
            else
                _snwprintf(piece, 511, one, va_arg(args, int));
            piece[511] = 0;
            out.Append(piece);
            break;
        case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
            // Six decimals would change stored amounts on every re-save.
            out.Append(SqlNumber(va_arg(args, double)).c_str());
            break;
        case L'p':
            _snwprintf(piece, 511, one, va_arg(args, void*));
            piece[511] = 0;
            out.Append(piece);
            break;
        default:
            out.Append(spec, specLength);
            break;
        }
        literal = p;
    }
    out.Append(literal);
    va_end(args);
    return out;
}

} // namespace qsql
} // namespace micro
