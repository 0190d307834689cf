#pragma once

// List cells and amount edits read leniently: leading blanks skipped, reading
// stops where the number stops, no number reads 0.
unsigned long long CellInteger(const wchar_t* text);
double CellNumber(const wchar_t* text);
