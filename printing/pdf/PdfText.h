#pragma once
#include "printing/pdf/MakePDF.h"

// A text whose baseline starts at (x, y) and that would run off the page (an
// amount in words, a long name) is drawn smaller, so that all of it shows and
// it ends before `right`; the size before it is set again afterwards. A text
// kept inside a column gives the column's edge as `edge`: it is set smaller
// as soon as it would pass that instead of the page's.
void TextOutWithin(micropdf::MakePDF& pdf, const wchar_t* text, float x, float y, float right, float edge = -1);
