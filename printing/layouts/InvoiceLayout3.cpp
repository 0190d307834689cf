// The invoice twice on one page (layout 3), on screen and on paper. Each row
// gives the upper and the lower copy's places: the lower copy is not a plain
// translation of the upper one on either target.
#include "printing/layouts/PrintedPage.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/layouts/ScreenDrawing.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/PrintBackground.h"
#include "printing/PrintHelpers.h"

const RowRule kPrintedRowsLayout3{49, 5};

namespace {

const Show A = Show::Always;
const Show V = Show::WithVat;
const Show N = Show::WithoutVat;

const RowRule kScreenRows{41, 5};
const float kScreenLineHeight = 10;

// A screen text box as (left, top, right); the text is not clipped, so its
// height plays no part.
struct Box3 {
    float left, top, right;
};
const Box3 kNoBox{-1, -1, -1};

struct CopyText {
    Show when;
    TextStyle style;
    const wchar_t* screen;
    Box3 upper, lower;
    const wchar_t* print;
    PrintAt printUpper, printLower;
    Edges edges = kNoEdges;
};

struct CopyRule {
    Show when;
    Stroke stroke;
    ScreenLine upper, lower;
    PrintLine printUpper, printLower;
};

constexpr TextStyle kTitleText{ScreenFont::F16, 17, false};
constexpr TextStyle kDataText{ScreenFont::F7_7, 9, false};
constexpr TextStyle kText{ScreenFont::F6, 7, false};

// Where figures stand, between the rules of their column or inside the title
// box: as on the full page.
constexpr Edges kTitleBoxEdges{0, 286, 150, 277};
constexpr Edges kValueEdges{320, 360, 320, 358};
constexpr Edges kVatTotalEdges{360, 426, 358, kInsetRight};
constexpr Edges kTotalsEdges{320, 426, 320, kInsetRight};

// The buyer block's printed column and the right edge of its boxes.
constexpr PrintCoord kBuyerX = FromRight(140);
constexpr PrintCoord kBuyerRight = FromRightSy(12);
// Lower-copy header positions: y units plus the shift L of the lower copy.
constexpr PrintCoord S(float v) { return ShiftMore(v); }
// Upper-copy footer positions: y units less half the sheet.
constexpr PrintCoord U(float v) { return HalfLess(v); }

const CopyRule kFrames[] = {
    {A, Stroke::Frame, {10, 10, 426, 299.5f}, {10, 309.5f, 426, 599},
     {kInset, kInset, kInsetRight, BelowCopy(0)}, {kInset, BelowCopy(10), kInsetRight, kInsetBottom}},
};

const CopyRule kRules[] = {
    // when, stroke, screen upper, screen lower, printed upper, printed lower
    {A, Stroke::Frame, {150, 79, 286, 116}, {150, 379, 286, 416}, {150, 79, 277, 116}, {150, S(85), 277, S(122)}},
    {A, Stroke::Line, {10, 120, 426, 120}, {10, 419.5f, 426, 419.5f}, {kInset, 120, kInsetRight, 120}, {kInset, S(126), kInsetRight, S(126)}},
    {A, Stroke::Line, {10, 139, 426, 139}, {10, 438.5f, 426, 438.5f}, {kInset, 139, kInsetRight, 139}, {kInset, S(145), kInsetRight, S(145)}},
    {A, Stroke::Line, {10, 149, 426, 149}, {10, 448.5f, 426, 448.5f}, {kInset, 149, kInsetRight, 149}, {kInset, S(155), kInsetRight, S(155)}},
    {A, Stroke::Line, {10, 201.5f, 426, 201.5f}, {10, 501, 426, 501}, {kInset, U(506), kInsetRight, U(506)}, {kInset, 502, kInsetRight, 502}},
    {A, Stroke::Line, {30, 120, 30, 201.5f}, {30, 419.5f, 30, 501}, {30, 120, 30, U(506)}, {30, S(126), 30, 502}},
    {A, Stroke::Line, {190, 120, 190, 201.5f}, {190, 419.5f, 190, 501}, {190, 120, 190, U(506)}, {190, S(126), 190, 502}},
    {A, Stroke::Line, {220, 120, 220, 201.5f}, {220, 419.5f, 220, 501}, {220, 120, 220, U(506)}, {220, S(126), 220, 502}},
    {A, Stroke::Line, {270, 120, 270, 201.5f}, {270, 419.5f, 270, 501}, {270, 120, 270, U(506)}, {270, S(126), 270, 502}},
    {A, Stroke::Line, {320, 120, 320, 299.5f}, {320, 419.5f, 320, 599}, {320, 120, 320, BelowCopy(0)}, {320, S(126), 320, kInsetBottom}},
    {V, Stroke::Line, {360, 120, 360, 245}, {360, 419.5f, 360, 545}, {358, 120, 358, 245}, {358, S(126), 358, HalfMore(245)}},
    {V, Stroke::Line, {400, 120, 400, 201.5f}, {400, 419.5f, 400, 501}, {396, 120, 396, U(506)}, {396, S(126), 396, 502}},
    {A, Stroke::Line, {70, 201.5f, 70, 299.5f}, {70, 501, 70, 599}, {70, U(506), 70, BelowCopy(0)}, {70, 502, 70, kInsetBottom}},
    {A, Stroke::Line, {260, 201.5f, 260, 299.5f}, {260, 501, 260, 599}, {260, U(506), 260, BelowCopy(0)}, {260, 502, 260, kInsetBottom}},
    {A, Stroke::Line, {320, 245, 426, 245}, {320, 545, 426, 545}, {320, 245, kInsetRight, 245}, {320, HalfMore(245), kInsetRight, HalfMore(245)}},
};

const CopyText kDocumentData[] = {
    {A, kTitleText, L"FACTURA", {180, 58, 295}, {180, 357.5f, 295}, kSameText, At(PageCentre(35), 58), At(PageCentre(35), S(64))},
    {A, kDataText, L"Serie: {serie} Numar: {numar}", {160, 82, 285}, {160, 381.5f, 285}, L"Serie : {serie} Numar : {numar}", At(160, 82), At(160, S(88)), kTitleBoxEdges},
    {A, kDataText, L"Data document: {dataCreare}", {160, 92, 285}, {160, 391.5f, 285}, L"Data document :   {dataCreare}", At(160, 92), At(160, S(98)), kTitleBoxEdges},
    {A, kDataText, L"Data scadenta: {dataScadenta}", {160, 102, 285}, {160, 401.5f, 285}, L"Data Scadenta :   {dataScadenta}", At(160, 102), At(160, S(108)), kTitleBoxEdges},
};

const CopyText kSeller[] = {
    {A, kText, L"VANZATOR: {societateDenumire}", {20, 14, 240}, {20, 313.5f, 240}, kSameText, At(20, 14), At(20, S(20))},
    {A, kText, L"Nr.ord.Reg.Com/an : {societateNrReg}", {20, 22, 170}, kNoBox, L"Nr.ord.Reg.Com/an: {societateNrReg}", At(20, 22), At(20, S(28))},
    {A, kText, L"Nr.ord.Reg.Com/an :{societateNrReg}", kNoBox, {20, 321.5f, 170}, nullptr, kNotPrinted, kNotPrinted},
    {A, kText, L"C.I.F. : {societateCui}", {20, 30, 150}, {20, 329.5f, 150}, L"C.I.F: {societateCui}", At(20, 30), At(20, S(36))},
    {A, kText, L"Sediul : {societateAdresa}", {20, 38, 200}, {20, 337.5f, 200}, L"Sediul: {societateAdresa}", At(20, 38), At(20, S(44))},
    {A, kText, L"Oras/Judet: {societateOras}", {20, 46, 150}, {20, 345.5f, 150}, kSameText, At(20, 46), At(20, S(52))},
    {A, kText, L"Telefon/Fax: {societateFax}", {20, 54, 150}, {20, 353.5f, 150}, L"Tel/Fax: {societateTelefon}", At(20, 54), At(20, S(60))},
    // On paper the telephone already stands after "Tel/Fax: ", so this line carries the fax.
    {A, kText, L"Telefon: {societateTelefon}", {20, 62, 150}, {20, 361.5f, 150}, L"Fax: {societateFax}", At(20, 62), At(20, S(68))},
    {A, kText, L"Contul: {societateCont}", {20, 70, 150}, {20, 369.5f, 150}, kSameText, At(20, 70), At(20, S(76))},
    {A, kText, L"Banca: {societateBanca}", {20, 78, 150}, {20, 377.5f, 150}, kSameText, At(20, 78), At(20, S(84))},
    {A, kText, L"Contul: {societateCont2}", {20, 86, 150}, {20, 385.5f, 150}, L"Contul:{societateCont2}", At(20, 86), At(20, S(92))},
    {A, kText, L"Banca: {societateBanca2}", {20, 94, 150}, {20, 393.5f, 150}, L"Banca:{societateBanca2}", At(20, 94), At(20, S(100))},
};

const CopyText kBuyer[] = {
    {A, kText, L"CUMPARATOR: {clientNume}", {300, 14, 420}, {300, 313.5f, 420}, L"CUMPARATOR :{clientNume}",
     WrapIn(kBuyerX, 14, kBuyerRight, 30), WrapIn(kBuyerX, S(20), kBuyerRight, S(36))},
    {A, kText, L"NrOrd.Reg.Com: {clientNrReg}", {300, 30, 430}, kNoBox, L"Nr.ord.Reg.Com/an: {clientNrReg}", At(kBuyerX, 30), At(kBuyerX, S(36))},
    {A, kText, L"NrOrd.Reg.Com :{clientNrReg}", kNoBox, {300, 329.5f, 430}, nullptr, kNotPrinted, kNotPrinted},
    {A, kText, L"C.I.F. : {clientCod}", {300, 38, 420}, {300, 337.5f, 420}, L"C.I.F: {clientCod}", At(kBuyerX, 38), At(kBuyerX, S(44))},
    {A, kText, L"Sediul : {clientAdresa}", {300, 46, 420}, {300, 345.5f, 420}, L"Sediul: {clientAdresa}",
     WrapIn(kBuyerX, 46, kBuyerRight, 62), WrapIn(kBuyerX, S(52), kBuyerRight, S(68))},
    {A, kText, L"Oras/Judet: {clientOras}", {300, 62, 420}, {300, 361.5f, 420}, kSameText, At(kBuyerX, 62), At(kBuyerX, S(68))},
    {A, kText, L"Telefon/Fax: {clientTelefon}", {300, 70, 420}, {300, 369.5f, 420}, L"Tel/Fax: {clientTelefon}", At(kBuyerX, 70), At(kBuyerX, S(76))},
    {A, kText, L"Punct de lucru: {clientAdresaLiv}", {300, 78, 420}, {300, 377.5f, 420}, L"Punct lucru: {clientAdresaLiv}",
     WrapIn(kBuyerX, 78, kBuyerRight, 94), WrapIn(kBuyerX, S(84), kBuyerRight, S(100))},
    {A, kText, L"Contul: {clientCont}", {300, 94, 420}, {300, 394.5f, 420}, kSameText, At(kBuyerX, 94), At(kBuyerX, S(100))},
    {A, kText, L"Banca: {clientBanca}", {300, 102, 420}, {300, 401.5f, 420}, kSameText, At(kBuyerX, 102), At(kBuyerX, S(108))},
};

const CopyText kTableHead[] = {
    {A, kText, L"Nr.", {15, 122, 30}, {15, 421.5f, 30}, kSameText, At(15, 122), At(15, S(128))},
    {A, kText, L"Crt.", {15, 129, 30}, {15, 428.5f, 30}, kSameText, At(15, 129), At(15, S(135))},
    {A, kText, L"Denumirea produsului ", {75, 122, 170}, {75, 421.5f, 170}, L"Denumirea produselor", Centred(110, 122), Centred(110, S(128))},
    {A, kText, L"sau a serviciilor", {85, 129, 150}, {85, 428.5f, 150}, kSameText, Centred(110, 129), Centred(110, S(135))},
    {A, kText, L"U.M.", {200, 126, 220}, {200, 425.5f, 220}, kSameText, Centred(205, 126), Centred(205, S(132))},
    {A, kText, L"Cantitatea", {230, 126, 270}, {230, 425.5f, 270}, kSameText, Centred(245, 126), Centred(245, S(132))},
    {A, kText, L"Pret unitar", {280, 122, 320}, {280, 421.5f, 320}, kSameText, Centred(295, 122), Centred(295, S(128))},
    {N, kText, L" -  lei  - ", {285, 129, 350}, {285, 428.5f, 350}, L"-  lei  -", Centred(295, 129), Centred(295, S(135))},
    {N, kText, L"Valoarea", {355, 126, 420}, {355, 425.5f, 420}, kSameText, Centred(368, 126), Centred(368, S(132))},
    {V, kText, L"(fara TVA)", {280, 129, 320}, {280, 428.5f, 320}, L"(fara T.V.A.)", Centred(295, 129), Centred(295, S(135))},
    {V, kText, L"Valoarea", {325, 126, 380}, {325, 425.5f, 380}, kSameText, Centred(340, 126), Centred(340, S(132))},
    {V, kText, L"Valoarea", {365, 122, 430}, {365, 421.5f, 430}, kSameText, Centred(377, 122), Centred(377, S(128))},
    {V, kText, L"T.V.A.", {370, 129, 430}, {370, 428.5f, 430}, kSameText, Centred(377, 129), Centred(377, S(135))},
    {V, kText, L"Cota", {404, 122, 430}, {404, 421.5f, 430}, kSameText, Centred(407, 122), Centred(407, S(128))},
    {V, kText, L"T.V.A.", {403, 129, 430}, {403, 428.5f, 430}, kSameText, Centred(407, 129), Centred(407, S(135))},
    // column numbers
    {A, kText, L"0", {18, 140, 25}, {18, 439.5f, 25}, kSameText, Centred(19, 140), Centred(19, S(146))},
    {A, kText, L"1", {105, 140, 115}, {105, 439.5f, 115}, kSameText, Centred(110, 140), Centred(110, S(146))},
    {A, kText, L"2", {205, 140, 215}, {205, 439.5f, 215}, kSameText, Centred(205, 140), Centred(205, S(146))},
    {A, kText, L"3", {245, 140, 255}, {245, 439.5f, 255}, kSameText, Centred(245, 140), Centred(245, S(146))},
    {A, kText, L"4", {295, 140, 305}, {295, 439.5f, 305}, kSameText, Centred(295, 140), Centred(295, S(146))},
    {N, kText, L"5(3x4)", {360, 140, 420}, {360, 439.5f, 420}, kSameText, Centred(368, 140), Centred(368, S(146))},
    {V, kText, L"5(3x4)", {330, 140, 375}, {330, 439.5f, 375}, kSameText, Centred(340, 140), Centred(340, S(146))},
    {V, kText, L"6", {380, 140, 390}, {380, 439.5f, 390}, kSameText, Centred(377, 140), Centred(377, S(146))},
    {V, kText, L"7", {410, 140, 420}, {410, 439.5f, 420}, kSameText, Centred(407, 140), Centred(407, S(146))},
};

const CopyText kFooter[] = {
    {A, kText, L"Semnatura si", {15, 203.5f, 80}, {15, 505, 80}, kSameText, At(15, U(508)), At(15, 504)},
    {A, kText, L"stampila", {15, 210.5f, 80}, {15, 512, 80}, kSameText, At(15, U(515)), At(15, 511)},
    {A, kText, L"furnizorului", {15, 217.5f, 85}, {15, 519, 85}, kSameText, At(15, U(522)), At(15, 518)},
    {A, kText, L"Semnatura si", {265, 203.5f, 355}, {265, 505, 355}, kSameText, At(265, U(508)), At(265, 504)},
    {A, kText, L"stampila", {265, 210.5f, 325}, {265, 512, 355}, kSameText, At(265, U(515)), At(265, 511)},
    {A, kText, L"cumparatorului", {265, 217.5f, 345}, {265, 519, 355}, kSameText, At(265, U(522)), At(265, 518)},
    {A, kText, L"Date privind expeditia:", {75, 203.5f, 250}, {75, 505, 250}, L"Date privind expeditia", At(75, U(508)), At(75, 504)},
    {A, kText, L"Numele agentului: {emitentNume}", {75, 215.5f, 250}, {75, 515, 250},
     L"Numele agentului: {emitentNume} B.I./C.I.: {emitentCI}", At(75, U(518)), At(75, 514)},
    {A, kText, L"CNP: {emitentCNP}", {75, 225.5f, 250}, {75, 525, 250}, L"CNP {emitentCNP}", At(75, U(528)), At(75, 524)},
    {A, kText, L"Numele delegatului: {delegatNume}", {75, 235.5f, 250}, {75, 535, 250}, kSameText, At(75, U(538)), At(75, 534)},
    {A, kText, L"CNP: {delegatCNP}  B.I/C.I: {delegatSerie}", {75, 245.5f, 250}, kNoBox,
     L"CNP: {delegatCNP} B.I./C.I. {delegatSerie}", At(75, U(548)), At(75, 544)},
    {A, kText, L"CNP: {delegatCNP} B.I/C.I: {delegatSerie}", kNoBox, {75, 545, 250}, nullptr, kNotPrinted, kNotPrinted},
    {A, kText, L"Mijlocul de transport Nr. {delegatAuto}", {75, 255.5f, 250}, {75, 555, 250},
     L"Mijloc de transport Nr: {delegatAuto}", At(75, U(558)), At(75, 554)},
    {A, kText, L"Expeditia s-a facut in prezenta noastra", {75, 265.5f, 250}, {75, 565, 250},
     L"Expedierea s-a facut in prezenta noastra la ", At(75, U(568)), At(75, 564)},
    {A, kText, L"La data: {dataCreare}", {75, 275.5f, 250}, {75, 575, 250}, L"Data de: {dataCreare}", At(75, U(578)), At(75, 574)},
    {A, kText, L"Semnaturile:..............................................................", {75, 285.5f, 250}, {75, 585, 250},
     L"Semnaturile ..............................................................................", At(75, U(588)), At(75, 584),
     {0, 260, 70, 260}},
    // totals
    {V, kText, L"Total FT:", {325, 203.5f, 385}, {325, 505, 385}, kSameText, At(325, U(508)), At(325, 504), kValueEdges},
    {V, kText, L"Total TVA:", {365, 203.5f, 420}, {365, 505, 450}, kSameText, At(365, U(508)), At(365, 504), kVatTotalEdges},
    {V, kText, L"{valoareTVA}", {385, 223.5f, 440}, {385, 520, 450}, kSameText, At(390, U(528)), At(390, 524), kVatTotalEdges},
    {V, kText, L"(col.5+col.6)", {325, 256.5f, 410}, {325, 557, 410}, kSameText, At(324, U(561)), At(324, 557), kTotalsEdges},
    {N, kText, L"Total :", {325, 203.5f, 365}, {325, 505, 375}, kSameText, At(325, U(508)), At(325, 504), kTotalsEdges},
    {V, kText, L"{valoareFT}", {330, 223.5f, 370}, {330, 520, 410}, kSameText, At(330, U(528)), At(330, 524), kValueEdges},
    {N, kText, L"{valoareFT}", {330, 223.5f, 370}, {330, 520, 410}, kSameText, At(330, U(528)), At(330, 524), kTotalsEdges},
    {A, kText, L"Total de plata:", {325, 249.5f, 410}, {325, 550, 410}, L"Total de plata", At(324, U(554)), kNotPrinted, kTotalsEdges},
    {A, kText, nullptr, kNoBox, kNoBox, L"Total de plata:", kNotPrinted, At(324, 550), kTotalsEdges},
    {A, kText, L"{valoareTTI}", {365, 269.5f, 430}, {365, 575, 410}, kSameText, At(355, U(574)), At(355, 570), kTotalsEdges},
};

const CopyText kVatOnCollection[] = {
    {Show::VatOnCollection, kText, L"TVA la incasare", {40, 110, 110}, {40, 409.5f, 110}, kSameText, At(40, 110), At(40, 408)},
};

const ItemColumn kItemColumns[] = {
    // when, field, screen left, screen right, printed x, the column's rules (as on the full page)
    {A, ItemField::Denumire, 40, 188, 40, {0, 0, 30, 190}},
    {A, ItemField::NrCrt, 18, 25, 19, {10, 30, kInset, 30}},
    {A, ItemField::Um, 200, 220, 205, {190, 220, 190, 220}},
    {A, ItemField::Cantitate, 240, 270, 245, {220, 270, 220, 270}},
    {A, ItemField::PretUnitar, 285, 320, 295, {270, 320, 270, 320}},
    {N, ItemField::Valoare, 360, 420, 368, kTotalsEdges},
    {V, ItemField::Valoare, 330, 380, 340, kValueEdges},
    {V, ItemField::ValoareTVA, 370, 430, 377, {360, 400, 358, 396}},
    {V, ItemField::CotaTVA, 405, 430, 407, {400, 426, 396, kInsetRight}},
};

enum Copy { Upper, Lower };

PageText ForCopy(const CopyText& t, Copy copy)
{
    const Box3& b = copy == Upper ? t.upper : t.lower;
    ScreenBox box = b.right < 0 ? kNotOnScreen : ScreenBox{b.left, b.top, b.right, b.top + kScreenLineHeight};
    return PageText{t.when, t.style, t.screen, box, t.print, copy == Upper ? t.printUpper : t.printLower, t.edges};
}

PageRule ForCopy(const CopyRule& r, Copy copy)
{
    return PageRule{r.when, r.stroke, copy == Upper ? r.upper : r.lower, copy == Upper ? r.printUpper : r.printLower};
}

template <size_t N>
void DrawOnScreen(const ScreenPage& page, const FacturaDate& doc, const CopyText (&texts)[N], Copy copy)
{
    for (const CopyText& t : texts) {
        PageText one = ForCopy(t, copy);
        DrawScreenTexts(page, doc, Table<PageText>{&one, 1});
    }
}

template <size_t N>
void DrawOnScreen(const ScreenPage& page, const FacturaDate& doc, const CopyRule (&rules)[N], Copy copy)
{
    for (const CopyRule& r : rules) {
        PageRule one = ForCopy(r, copy);
        DrawScreenRules(page, doc, Table<PageRule>{&one, 1});
    }
}

template <size_t N>
void AddOnScreen(std::vector<PageRule>& rules, const FacturaDate& doc, const CopyRule (&table)[N], Copy copy)
{
    for (const CopyRule& r : table) {
        PageRule one = ForCopy(r, copy);
        AddScreenRules(rules, doc, Table<PageRule>{&one, 1});
    }
}

template <size_t N>
void Print(PrintedPage& page, const FacturaDate& doc, const CopyText (&texts)[N], Copy copy)
{
    for (const CopyText& t : texts) {
        PageText one = ForCopy(t, copy);
        page.Texts(doc, Table<PageText>{&one, 1});
    }
}

template <size_t N>
void Print(PrintedPage& page, const FacturaDate& doc, const CopyRule (&rules)[N], Copy copy)
{
    for (const CopyRule& r : rules) {
        PageRule one = ForCopy(r, copy);
        page.Rules(doc, Table<PageRule>{&one, 1});
    }
}

const ScreenBox kScreenLogo[] = {{160, 11, 276, 60}, {160, 311, 276, 360}};
const ScreenBox kScreenStamp[] = {{11, 228.5f, 69, 286.5f}, {11, 530, 69, 588}};
const ScreenBox kScreenBackground[] = {{122, 139, 324, 299}, {122, 439, 324, 599}};
const float kScreenFirstRow[] = {152, 451};

void DrawScreenCopy(const ScreenPage& page, const FacturaDate& doc, Copy copy)
{
    DrawScreenBitmap(page, page.logoBitmap, kScreenLogo[copy]);
    DrawOnScreen(page, doc, kRules, copy);
    DrawOnScreen(page, doc, kDocumentData, copy);
    DrawOnScreen(page, doc, kSeller, copy);
    DrawOnScreen(page, doc, kBuyer, copy);
    DrawOnScreen(page, doc, kTableHead, copy);
    DrawScreenItems(page, doc, ScreenItemTable{TableOf(kItemColumns), ScreenFont::F6, kScreenFirstRow[copy], kScreenRows});
    DrawScreenBitmap(page, page.stampBitmap, kScreenStamp[copy]);
    DrawOnScreen(page, doc, kFooter, copy);
}

} // namespace

void DrawFacturaLayout3(const ScreenPage& page, const FacturaDate& doc)
{
    FillScreenPage(page);
    DrawScreenBitmap(page, page.backgroundBitmap, kScreenBackground[Upper]);
    DrawScreenBitmap(page, page.backgroundBitmap, kScreenBackground[Lower]);
    DrawOnScreen(page, doc, kFrames, Upper);
    DrawOnScreen(page, doc, kFrames, Lower);
    DrawScreenCopy(page, doc, Upper);
    DrawOnScreen(page, doc, kVatOnCollection, Upper);
    DrawOnScreen(page, doc, kVatOnCollection, Lower);
    DrawScreenCopy(page, doc, Lower);
}

std::vector<PageRule> ScreenRulesOfLayout3(const FacturaDate& doc)
{
    std::vector<PageRule> rules;
    for (Copy copy : {Upper, Lower}) {
        AddOnScreen(rules, doc, kFrames, copy);
        AddOnScreen(rules, doc, kRules, copy);
    }
    return rules;
}

void DrawPrintedLayout3(HDC dc, int width, int height, const FacturaPrintJob& job,
                        const std::vector<PrintedItem>& items, const micro::utils::QBuffer& background)
{
    PrintedPage page(dc, width, height, kPrintUnitsHighTwoCopies);
    const PrintGrid& g = page.Grid();

    int sw = g.Width(58), sh = g.Height(58);
    page.Picture(job.stampila, sw, sh,
                 {{g.Width(11), g.Height(228.5f), sw, sh, PrintedPage::Copy::Transparent},
                  {g.Width(11), g.Height(530), sw, sh, PrintedPage::Copy::Transparent}});
    int bw = g.Width(202), bh = g.Height(156);
    page.Picture(background, bw, bh,
                    {{g.Width(122), g.Height(139), bw, bh, PrintedPage::Copy::Opaque},
                     {g.Width(122), g.Height(435), bw, bh, PrintedPage::Copy::Opaque}});
    Print(page, job, kFrames, Upper);
    Print(page, job, kRules, Upper);
    Print(page, job, kFrames, Lower);
    int lw = static_cast<int>(g.W - 2 * 160 * g.sx), lh = g.Height(40);
    page.Picture(job.logo, lw, lh,
                 {{g.Width(160), g.Height(11), lw, lh, PrintedPage::Copy::Opaque},
                  {g.Width(160), static_cast<int>(g.copyBottom + 11 * g.sy), lw, lh, PrintedPage::Copy::Opaque}});

    Print(page, job, kDocumentData, Upper);
    Print(page, job, kTableHead, Upper);
    Print(page, job, kFooter, Upper);
    Print(page, job, kSeller, Upper);
    Print(page, job, kBuyer, Upper);
    Print(page, job, kVatOnCollection, Upper);
    Print(page, job, kVatOnCollection, Lower);
    PrintItems(page, job, items, PrintItemTable{TableOf(kItemColumns), 7, 152, kPrintedRowsLayout3}, {0, g.copyBottom});

    Print(page, job, kRules, Lower);
    Print(page, job, kDocumentData, Lower);
    Print(page, job, kSeller, Lower);
    Print(page, job, kBuyer, Lower);
    Print(page, job, kTableHead, Lower);
    Print(page, job, kFooter, Lower);
}

bool PrintFacturaLayout3(FacturaPrintJob& job)
{
    std::vector<PrintedItem> items;
    if (!PrepareItemsForPrint(job.owner, job, job.tipDocument, NetValueFrom::OwnHeader, kPrintedRowsLayout3, items))
        return false;
    micro::utils::QBuffer background;
    LoadPrintBackground(background);
    PrintJob print(job.owner);
    if (!print.IsOpen())
        return false;
    DrawPrintedLayout3(print.GetDC(), print.GetWidth(), print.GetHeight(), job, items, background);
    return print.Finish();
}
