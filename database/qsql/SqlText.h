#pragma once
#include "framework/utils/QString.h"

namespace micro {
namespace qsql {

// The one place where text becomes safe inside SQL. SqlFormat works like
// QString::Format, but every %s argument has its single quotes doubled, so
// statements keep their usual form ("... Nume = '%s' ...") and any user text
// (D'Artagnan SRL) is stored and found intact.
utils::QString SqlFormat(const wchar_t* format, ...);
// Text with its single quotes doubled.
utils::QString SqlQuote(const wchar_t* text);
// A LIKE pattern matching the text anywhere, with % _ and \ escaped; use it
// with: LIKE '%s' ESCAPE '\' (through SqlFormat, which doubles its quotes).
utils::QString SqlLikeContains(const wchar_t* text);

} // namespace qsql
} // namespace micro
