#pragma once

// Numbers as users type them into the master-data and numbering dialogs.

// A document counter: digits only (blanks around them ignored), 0 up to the
// largest number documents print with "%d". False for anything else.
bool ParseCounter(const wchar_t* text, unsigned long long& value);

// A quantity: blanks around it are ignored, a decimal comma is taken as a
// point, an empty text is 0. False for anything else.
bool ParseQuantity(const wchar_t* text, double& value);
