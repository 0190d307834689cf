#pragma once
#include <cstddef>
#include "printing/FacturaDate.h"

// What a document page holds, written once for both targets. Each row of a
// page table names one element with its screen place (a layout rectangle in
// the 436 x 609 DIP page) beside its printed place (a reference point or box
// in page units). Where both targets say the same text the printed text is
// kSameText; where one target lacks the element its side is null.

// Which state of the record shows an element.
enum class Show : unsigned char {
    Always,
    WithVat,          // the company charges VAT (faraTVA is 0)
    WithoutVat,       // the company's VAT factor is 1.0 (faraTVA set)
    VatOnCollection,  // tvaLaIncasare is not 0
};
bool Shows(Show when, const FacturaDate& doc);

// Screen text formats of the preview, by size.
enum class ScreenFont : unsigned char { F16, F14, F12, F10, F7_7, F6, F6b };

// A text's look on both targets: the preview's format and the printed font
// height in page units (weight 0 or bold 700).
struct TextStyle {
    ScreenFont screen;
    float printHeight;
    bool bold;
};

// A printed coordinate: page units scaled by the grid, or measured from a
// page edge or a half of the sheet as the printed pages need.
enum class Ref : unsigned char {
    Units,        // v * s
    FromRight,    // W - v * sx
    FromRightSy,  // W - v * sy (some right edges scale by the vertical factor)
    FromBottom,   // H - v * sy
    Inset,        // the border inset trunc(10 * sy)
    InsetRight,   // W - trunc(10 * sy)
    InsetBottom,  // H - trunc(10 * sy)
    HalfLess,     // v * sy - H/2 (upper copy of the two-copy page, footer)
    HalfMore,     // v * sy + H/2 (lower copy of the two-copy page)
    ShiftMore,    // v * sy + L (lower copy's header part)
    PageCentre,   // W / 2 - v * sx
    CopyBottom,   // B + v * sy, B the bottom of the upper copy on the two-copy page
};
struct PrintCoord {
    float v;
    Ref ref;
    constexpr PrintCoord(float value = 0, Ref r = Ref::Units) : v(value), ref(r) {}
};
constexpr PrintCoord FromRight(float v) { return PrintCoord(v, Ref::FromRight); }
constexpr PrintCoord FromRightSy(float v) { return PrintCoord(v, Ref::FromRightSy); }
constexpr PrintCoord FromBottom(float v) { return PrintCoord(v, Ref::FromBottom); }
constexpr PrintCoord HalfLess(float v) { return PrintCoord(v, Ref::HalfLess); }
constexpr PrintCoord HalfMore(float v) { return PrintCoord(v, Ref::HalfMore); }
constexpr PrintCoord ShiftMore(float v) { return PrintCoord(v, Ref::ShiftMore); }
constexpr PrintCoord PageCentre(float v) { return PrintCoord(v, Ref::PageCentre); }
constexpr PrintCoord BelowCopy(float v) { return PrintCoord(v, Ref::CopyBottom); }
constexpr PrintCoord kInset(0, Ref::Inset);
constexpr PrintCoord kInsetRight(0, Ref::InsetRight);
constexpr PrintCoord kInsetBottom(0, Ref::InsetBottom);

// How a printed text stands at its point.
enum class Place : unsigned char {
    None,      // not printed
    Left,      // top-left reference point
    Centre,    // centred on x, top
    Wrap,      // word-wrapped in the box (x, y) - (right, bottom), clipped
    LeftLess,  // left, at x less one unit per character of the text
};

struct ScreenBox {
    float left, top, right, bottom;
};
struct PrintAt {
    Place place;
    PrintCoord x, y, right, bottom;
};
constexpr PrintAt At(PrintCoord x, PrintCoord y) { return PrintAt{Place::Left, x, y, 0, 0}; }
constexpr PrintAt Centred(PrintCoord x, PrintCoord y) { return PrintAt{Place::Centre, x, y, 0, 0}; }
constexpr PrintAt WrapIn(PrintCoord x, PrintCoord y, PrintCoord r, PrintCoord b) { return PrintAt{Place::Wrap, x, y, r, b}; }
constexpr PrintAt LeftOfChars(PrintCoord x, PrintCoord y) { return PrintAt{Place::LeftLess, x, y, 0, 0}; }
constexpr PrintAt kNotPrinted{Place::None, 0, 0, 0, 0};
constexpr ScreenBox kNotOnScreen{-1, -1, -1, -1};
inline bool OnScreen(const ScreenBox& box) { return box.right >= 0; }

// The printed text is the screen text.
extern const wchar_t kSameText[];

// The edges a text keeps between, on each target: the rules of its column or
// the sides of the box it stands in. A text that would pass its right edge is
// set smaller, keeping its place; one that would start left of its left edge
// (a figure set from the right of its column) starts there, and a centred one
// is set smaller to keep within both. On screen, where a figure's box starts
// well inside its column, a figure first starts further left, as far as its
// left edge; a line of text (screenLeft 0) keeps its start. Without edges a
// text keeps inside the page's frame on paper and in the PDF, and stands in
// its layout box on screen.
struct Edges {
    float screenLeft, screenRight;     // DIPs; screenLeft 0: none, screenRight 0: none at all
    PrintCoord printLeft, printRight;  // printed; printRight 0 units: none
};
constexpr Edges kNoEdges{0, 0, 0, 0};
inline bool HasScreenEdges(const Edges& e) { return e.screenRight > 0; }
inline bool HasPrintedEdges(const Edges& e) { return !(e.printRight.ref == Ref::Units && e.printRight.v <= 0); }
// A text stands this far inside its edges: a unit on paper (1.38 points in
// the PDF), a DIP on screen, clear of the rule's stroke.
const float kEdgeGap = 1.0f;

// One text of a page. Texts are patterns: literal characters with record
// fields named in braces, "Serie: {serie} Numar: {numar}".
struct PageText {
    Show when;
    TextStyle style;
    const wchar_t* screen;  // null: not on screen
    ScreenBox box;
    const wchar_t* print;   // kSameText, another pattern, or null: not printed
    PrintAt at;
    Edges edges = kNoEdges;
};

// One line or hollow rectangle, from (x1, y1) to (x2, y2) on each target.
enum class Stroke : unsigned char { Line, Frame };
struct ScreenLine {
    float x1, y1, x2, y2;
};
struct PrintLine {
    PrintCoord x1, y1, x2, y2;
};
struct PageRule {
    Show when;
    Stroke stroke;
    ScreenLine screen;  // x2 < 0: not on screen
    PrintLine print;    // x2.v < 0 with Ref::Units: not printed
};
constexpr ScreenLine kNoScreenLine{-1, -1, -1, -1};
constexpr PrintLine kNoPrintLine{-1, -1, -1, -1};
inline bool OnScreen(const ScreenLine& line) { return line.x2 >= 0; }
inline bool Printed(const PrintLine& line) { return !(line.x2.ref == Ref::Units && line.x2.v < 0); }

// The record's text a pattern fills in; unknown names stay as written.
micro::utils::QString FillPattern(const wchar_t* pattern, const FacturaDate& doc);
// The printed pattern of a row (the screen one when kSameText).
const wchar_t* PrintPattern(const PageText& text);

// One column of the item table: the item text, its screen box edges and its
// printed reference point (centred, or the name's word-wrapped box).
enum class ItemField : unsigned char { NrCrt, Denumire, Um, Cantitate, PretUnitar, Valoare, ValoareTVA, CotaTVA };
struct ItemColumn {
    Show when;
    ItemField field;
    float screenLeft, screenRight;  // screenRight < 0: not on screen
    float printX;                   // < 0: not printed
    Edges edges = kNoEdges;         // the column's rules
};
const micro::utils::QString& ItemText(const ItemFactura& item, ItemField field);

// How many item lines a table takes and how a long name counts: names longer
// than longName characters take two lines; maxLines 0 means no limit.
struct RowRule {
    int longName;
    int maxLines;
    bool TakesTwo(const micro::utils::QString& name) const { return name.GetLength() > longName; }
    // How many of the names, in order, fit the table (all when there is no limit).
    int CountFitting(const micro::utils::QString* names, int count) const;
};

// A page table handed around by its rows and their count.
template <class T>
struct Table {
    const T* rows;
    size_t count;
};
template <class T, size_t N>
constexpr Table<T> TableOf(const T (&rows)[N]) { return Table<T>{rows, N}; }
