#pragma once
#include "framework/utils/QString.h"

// An amount of lei as Romanian words in lower case, the whole lei then the
// bani, with the blanks of its word pieces kept (the text starts with a blank
// and words are often two or more blanks apart; callers show it unchanged).
// The amount is first rounded to whole bani, so the words say what "%.2f"
// shows. An amount of 0 or less, one that rounds to 0.00 and a non-finite one
// give the empty text; above 999 999 999.99 the words are those of that cap.
micro::utils::QString AmountToWords(double amount);
// The same conversion, under the name the document loader uses.
micro::utils::QString FormatAmountInWords(double amount);
