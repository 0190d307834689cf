#include "printing/layouts/InvoiceBlocks.h"

namespace {

const Show A = Show::Always;
const Show V = Show::WithVat;
const Show N = Show::WithoutVat;

// The buyer block's printed column starts 140 units from the right edge.
constexpr PrintCoord kBuyerX = FromRight(140);

const PageText kSeller[] = {
    // when, style, screen text, screen box, printed text, printed place
    {A, kBodyText, L"VANZATOR: {societateDenumire}", {20, 15, 200, 25}, kSameText, At(20, 15)},
    {A, kBodyText, L"Nr.ord.Reg.Com/an : {societateNrReg}", {20, 25, 170, 35}, L"Nr.ord.Reg.Com/an: {societateNrReg}", At(20, 25)},
    {A, kBodyText, L"C.I.F. : {societateCui}", {20, 35, 170, 45}, L"C.I.F: {societateCui}", At(20, 35)},
    {A, kBodyText, L"Sediul : {societateAdresa}", {20, 45, 200, 55}, L"Sediul: {societateAdresa}", At(20, 45)},
    {A, kBodyText, L"Oras/Judet: {societateOras}", {20, 55, 150, 65}, kSameText, At(20, 55)},
    {A, kBodyText, L"Telefon/Fax: {societateFax}", {20, 65, 150, 75}, L"Tel/Fax: {societateTelefon}", At(20, 65)},
    // On paper the telephone already stands after "Tel/Fax: ", so this line carries the fax.
    {A, kBodyText, L"Telefon: {societateTelefon}", {20, 75, 150, 85}, L"Fax: {societateFax}", At(20, 75)},
    {A, kBodyText, L"Contul: {societateCont}", {20, 85, 150, 95}, kSameText, At(20, 85)},
    {A, kBodyText, L"Banca: {societateBanca}", {20, 95, 150, 105}, kSameText, At(20, 95)},
    {A, kBodyText, L"Contul: {societateCont2}", {20, 105, 150, 115}, L"Contul:{societateCont2}", At(20, 105)},
    {A, kBodyText, L"Banca: {societateBanca2}", {20, 115, 150, 125}, L"Banca:{societateBanca2}", At(20, 115)},
};

const PageText kBuyer[] = {
    {A, kBodyText, L"CUMPARATOR: {clientNume}", {300, 15, 420, 35}, L"CUMPARATOR :{clientNume}", WrapIn(kBuyerX, 15, FromRight(12), 35)},
    {A, kBodyText, L"NrOrd.Reg.Com: {clientNrReg}", {300, 35, 430, 45}, L"Nr.ord.Reg.Com/an: {clientNrReg}", At(kBuyerX, 35)},
    {A, kBodyText, L"C.I.F. : {clientCod}", {300, 45, 420, 55}, L"C.I.F: {clientCod}", At(kBuyerX, 45)},
    {A, kBodyText, L"Sediul : {clientAdresa}", {300, 55, 420, 75}, L"Sediul: {clientAdresa}", WrapIn(kBuyerX, 55, FromRightSy(12), 74)},
    {A, kBodyText, L"Oras/Judet: {clientOras}", {300, 75, 420, 85}, kSameText, At(kBuyerX, 75)},
    {A, kBodyText, L"Telefon/Fax: {clientTelefon}", {300, 85, 420, 95}, L"Tel/Fax: {clientTelefon}", At(kBuyerX, 85)},
    {A, kBodyText, L"Punct de lucru: {clientAdresaLiv}", {300, 95, 420, 115}, L"Punct lucru: {clientAdresaLiv}", WrapIn(kBuyerX, 95, FromRightSy(12), 114)},
    {A, kBodyText, L"Contul: {clientCont}", {300, 115, 420, 125}, kSameText, At(kBuyerX, 115)},
    {A, kBodyText, L"Banca: {clientBanca}", {300, 125, 420, 135}, kSameText, At(kBuyerX, 125)},
};

const PageText kTableHead[] = {
    {A, kTableHeadText, L"Nr. Crt", {15, 152, 30, 172}, L"Nr.", At(15, 155)},
    {A, kTableHeadText, nullptr, kNotOnScreen, L"Crt.", At(15, 165)},
    {A, kTableHeadText, L"Denumirea produsului ", {75, 152, 170, 192}, L"Denumirea produselor", Centred(110, 155)},
    {A, kTableHeadText, L"sau a serviciilor", {85, 162, 150, 182}, kSameText, Centred(110, 165)},
    {A, kTableHeadText, L"U.M.", {200, 158, 220, 168}, kSameText, Centred(205, 160)},
    {A, kTableHeadText, L"Cantitatea", {230, 158, 270, 168}, kSameText, Centred(245, 160)},
    {A, kTableHeadText, L"Pret unitar", {278, 152, 320, 162}, kSameText, Centred(295, 155)},
    {V, kTableHeadText, L"(fara TVA)", {280, 162, 320, 172}, L"(fara T.V.A.)", Centred(295, 165)},
    {V, kTableHeadText, L"Valoarea", {325, 158, 380, 168}, kSameText, Centred(340, 160)},
    {V, kTableHeadText, L"Valoarea", {365, 152, 430, 162}, kSameText, Centred(377, 155)},
    {V, kTableHeadText, L"T.V.A.", {370, 162, 430, 172}, kSameText, Centred(377, 165)},
    {V, kTableHeadText, L"Cota", {404, 152, 430, 162}, kSameText, Centred(407, 155)},
    {V, kTableHeadText, L"T.V.A.", {403, 162, 430, 172}, kSameText, Centred(407, 165)},
    // column numbers
    {A, kTableHeadText, L"0", {18, 175, 25, 185}, kSameText, Centred(19, 176)},
    {A, kTableHeadText, L"1", {105, 175, 115, 185}, kSameText, Centred(110, 176)},
    {A, kTableHeadText, L"2", {205, 175, 215, 185}, kSameText, Centred(205, 176)},
    {A, kTableHeadText, L"3", {245, 175, 255, 185}, kSameText, Centred(245, 176)},
    {A, kTableHeadText, L"4", {295, 175, 305, 185}, kSameText, Centred(295, 176)},
    {V, kTableHeadText, L"5(3x4)", {330, 175, 375, 185}, kSameText, Centred(340, 176)},
    {V, kTableHeadText, L"6", {380, 175, 390, 185}, kSameText, Centred(377, 176)},
    {V, kTableHeadText, L"7", {410, 175, 420, 185}, kSameText, Centred(407, 176)},
};

const ItemColumn kItemColumns[] = {
    // when, field, screen left, screen right, printed x (centred; the name's box starts there),
    // the column's rules (screen left, right, printed left, right); a name wraps in its box on
    // screen, and only a discount's one line keeps to the rules on paper
    {A, ItemField::Denumire, 40, 188, 40, {0, 0, 30, 190}},
    {A, ItemField::NrCrt, 17, 30, 19, {10, 30, kInset, 30}},
    {A, ItemField::Um, 200, 220, 205, {190, 220, 190, 220}},
    {A, ItemField::Cantitate, 240, 270, 245, {220, 270, 220, 270}},
    {A, ItemField::PretUnitar, 285, 320, 295, {270, 320, 270, 320}},
    {V, ItemField::Valoare, 330, 370, 340, kValueEdges},
    {V, ItemField::ValoareTVA, 370, 400, 377, {360, 400, 358, 396}},
    {V, ItemField::CotaTVA, 405, 430, 407, {400, 426, 396, kInsetRight}},
    {N, ItemField::Valoare, 360, 420, 368, kTotalsEdges},
};

const PageText kFooter[] = {
    {A, kBodyText, L"Semnatura si", {15, 505, 80, 513}, kSameText, At(15, 504)},
    {A, kBodyText, L"stampila", {15, 512, 80, 523}, kSameText, At(15, 511)},
    {A, kBodyText, L"furnizorului", {15, 519, 85, 533}, kSameText, At(15, 518)},
    {A, kBodyText, L"Semnatura si", {265, 505, 345, 513}, kSameText, At(265, 504)},
    {A, kBodyText, L"cumparatorului", {265, 519, 355, 533}, kSameText, At(265, 518)},
    {A, kBodyText, L"Date privind expeditia:", {75, 505, 250, 515}, L"Date privind expeditia", At(75, 504)},
    {A, kBodyText, L"Numele agentului: {emitentNume}", {75, 515, 250, 525}, L"Numele agentului: {emitentNume} B.I./C.I.: {emitentCI}", At(75, 514)},
    {A, kBodyText, L"CNP: {emitentCNP}", {75, 525, 250, 535}, L"CNP {emitentCNP}", At(75, 524)},
    {A, kBodyText, L"Numele delegatului: {delegatNume}", {75, 535, 250, 545}, kSameText, At(75, 534)},
    {A, kBodyText, L"Mijlocul de transport Nr. {delegatAuto}", {75, 555, 250, 565}, L"Mijloc de transport Nr: {delegatAuto}", At(75, 554)},
    {A, kBodyText, L"Expeditia s-a facut in prezenta noastra", {75, 565, 250, 575}, L"Expedierea s-a facut in prezenta noastra la ", At(75, 564)},
    {A, kBodyText, L"La data: {dataCreare}", {75, 575, 250, 585}, L"Data de: {dataCreare}", At(75, 574)},
    {A, kBodyText, L"Semnaturile:..............................................................", {75, 585, 250, 595},
     L"Semnaturile .........................................................................", At(75, 584)},
    {V, kBodyText, L"Total TVA:", {365, 505, 410, 515}, kSameText, At(365, 504), kVatTotalEdges},
    {V, kBodyText, L"{valoareTVA}", {385, 520, 420, 530}, kSameText, At(390, 524), kVatTotalEdges},
    {V, kBodyText, L"(col.5+col.6)", {325, 557, 410, 567}, kSameText, At(324, 557), kTotalsEdges},
    {A, kBodyText, L"{valoareTTI}", {365, 575, 410, 585}, kSameText, At(355, 570), kTotalsEdges},
};

// Inside the title box.
constexpr Edges kTitleBoxEdges{0, 286, 150, FromRight(150)};

const PageText kDocumentDataRows[] = {
    {A, kDocumentDataText, L"Serie: {serie} Numar: {numar}", {160, 105, 285, 115}, L"Serie : {serie} Numar : {numar}", At(160, 105), kTitleBoxEdges},
    {A, kDocumentDataText, L"Data document: {dataCreare}", {160, 115, 285, 125}, L"Data document :   {dataCreare}", At(160, 115), kTitleBoxEdges},
    {A, kDocumentDataText, L"Data scadenta: {dataScadenta}", {160, 125, 285, 135}, L"Data Scadenta :   {dataScadenta}", At(160, 125), kTitleBoxEdges},
};

} // namespace

const Table<PageText> kDocumentData = TableOf(kDocumentDataRows);
const Table<PageText> kSellerBlock = TableOf(kSeller);
const Table<PageText> kBuyerBlock = TableOf(kBuyer);
const Table<PageText> kItemTableHead = TableOf(kTableHead);
const Table<ItemColumn> kInvoiceItemColumns = TableOf(kItemColumns);
const Table<PageText> kInvoiceFooter = TableOf(kFooter);
