#pragma once
#include "framework/utils/QString.h"

namespace micro {
namespace qsql {

// The one place where text becomes safe inside SQL. SqlFormat works like
// QString::Format, but every %s argument has its single quotes doubled, so
// statements keep their usual form ("... Nume = '%s' ...") and any user text
// (D'Artagnan SRL) is stored and found intact.
utils::QString SqlFormat(const wchar_t* format, ...);
// Floating-point arguments (%f, %g, %e in any form) are written with every
// digit a double holds, and infinity or NaN throws QSqlError before any SQL
// exists. Text has its lone surrogates replaced as SqlSafeText does.
// Text with its single quotes doubled.
utils::QString SqlQuote(const wchar_t* text);
// A LIKE pattern matching the text anywhere, with % _ and \ escaped; use it
// with: LIKE '%s' ESCAPE '\' (through SqlFormat, which doubles its quotes).
utils::QString SqlLikeContains(const wchar_t* text);
// The text with every lone UTF-16 surrogate replaced by U+FFFD. SQLite's own
// conversion of a lone surrogate can swallow the character after it, a quote
// included, so text is passed through this before it is quoted or bound.
utils::QString SqlSafeText(const wchar_t* text);
utils::QString SqlSafeText(const wchar_t* text, int length);
// A double as SQL text that reads back as the same double; non-finite throws.
utils::QString SqlNumber(double value);

} // namespace qsql
} // namespace micro
