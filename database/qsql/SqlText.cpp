#include "database/qsql/SqlText.h"
#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace micro {
namespace qsql {

utils::QString SqlQuote(const wchar_t* text)
{
    utils::QString out;
    if (!text)
        return out;
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
            _snwprintf(piece, 511, one, va_arg(args, double));
            piece[511] = 0;
            out.Append(piece);
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
