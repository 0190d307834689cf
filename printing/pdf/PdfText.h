#pragma once
#include "printing/pdf/MakePDF.h"

// Whether a text fits its place in a PDF is decided here, once for every PDF
// page: a figure or a line that would pass the edge of its column, box or
// frame is set smaller rather than drawn over it.
//
// The room a text has on its line, in points: it starts no further left than
// `left` (one set from further left starts there), and one that would pass
// `limit` is set smaller to end by `end` (end <= limit).
struct PdfTextRoom {
    float left;
    float limit;
    float end;
};
// The room between two edges.
inline PdfTextRoom Between(float left, float right) { return PdfTextRoom{left, right, right}; }

// A text whose baseline starts at (x, y), kept in its room; the size before
// it is set again afterwards.
void TextOutWithin(micropdf::MakePDF& pdf, const wchar_t* text, float x, float y, const PdfTextRoom& room);
