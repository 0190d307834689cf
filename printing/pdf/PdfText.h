#pragma once
#include "printing/pdf/MakePDF.h"

// A text whose baseline starts at (x, y) and that would run off the page (an
// amount in words, a long name) is drawn smaller, so that all of it shows and
// it ends before `right`; the size before it is set again afterwards.
void TextOutWithin(micropdf::MakePDF& pdf, const wchar_t* text, float x, float y, float right);
