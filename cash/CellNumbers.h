#pragma once

// List cells the program filled: leading blanks skipped, an integer's reading
// stops where the number stops, no number reads 0. Typed amounts go through
// ParseAmount (masterdata/NumberText) instead.
unsigned long long CellInteger(const wchar_t* text);
double CellNumber(const wchar_t* text);
