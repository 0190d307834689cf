#pragma once
#include "framework/utils/QString.h"

// Numbers as users type them, one reader for every field of every dialog.
// A decimal comma or point; when both appear, the last one is the decimal
// separator and the other groups thousands, as blanks do ("1.234,56",
// "1,234.56" and "1 234,56" are 1234.56); a separator alone once is decimal
// ("0.125" and "45.50" too). A leading minus is allowed; letters (so
// exponents, infinity and NaN), an empty text, a misplaced group, more
// decimals than the kind allows and a text that reads two ways (see
// IsAmbiguousNumber) are refused: false, and the value is left as it was.
// Extra decimals are refused rather than rounded, so what is typed is what is
// stored, allocated and written in words.

// Money: at most two decimals, at most kLargestAmount either way (the
// largest sum the words of a receipt can say).
const double kLargestAmount = 999999999.99;
bool ParseAmount(const wchar_t* text, double& value);
// A unit price: money.
bool ParsePrice(const wchar_t* text, double& value);
// A quantity: at most three decimals, at most 999 999 999.999 either way.
bool ParseQuantity(const wchar_t* text, double& value);
// A percentage: 0 to 100, at most two decimals.
bool ParsePercent(const wchar_t* text, double& value);
// The common reader: at most maxDecimals decimals (trailing zeros do not
// count) and at most nine digits before them.
bool ParseDecimal(const wchar_t* text, int maxDecimals, double& value);

// A point alone after one to three digits that do not start with 0 and
// before exactly three digits ("5.000", "1.250", "-12.500"): a Romanian reads
// the point as a thousands mark, a program as the decimal mark. Neither
// reading is taken.
bool IsAmbiguousNumber(const wchar_t* text);

// A number the program wrote itself (a stored value read as text, a cell it
// filled), with any decimals and as many digits as it wrote (a value of a
// large quantity at a large price passes what anyone types); a point is
// always its decimal mark ("5.000" is 5); anything else reads 0.
double StoredNumber(const wchar_t* text);

// A document counter: digits only (blanks around them ignored), 0 up to the
// largest number documents print with "%d". False for anything else.
const unsigned long long kLargestCounter = 2147483647ULL;
bool ParseCounter(const wchar_t* text, unsigned long long& value);

// What the dialogs say when they refuse a number (Romanian, no diacritics).
extern const wchar_t kAmountRefused[];
extern const wchar_t kPriceRefused[];
extern const wchar_t kQuantityRefused[];
extern const wchar_t kPercentRefused[];
// The field a refused text was typed in, for the message that refuses it.
enum class NumberField { Amount, Price, Quantity, Percent };
// What the dialog says when the field's reader refused text: for a text that
// reads two ways both readings ("5 sau 5000") and where decimals go, else the
// field's message above.
micro::utils::QString NumberRefusal(NumberField field, const wchar_t* text);
// Money as every screen, page and PDF writes it: rounded to bani (halves
// away from zero, as balances are compared), two decimals after a point,
// never "-0.00".
micro::utils::QString MoneyText(double value);
// A quantity as every screen, page and PDF writes it: rounded to thousandths
// (halves away from zero), its third decimal where it has one ("1.234"), two
// decimals otherwise ("2.00", "1.50"), never "-0.00". A cell written so reads
// back through StoredNumber as the quantity typed.
micro::utils::QString QuantityText(double value);

// A value computed from accepted numbers (a line's total) beyond kLargestAmount.
extern const wchar_t kValueTooLarge[];
