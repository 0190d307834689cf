#pragma once
#include "printing/receipts/ChitantaTexts.h"
#include "tests/printing/support/PrintFixtures.h"

namespace receipt_tests {

// A receipt's texts as the print dialog would hold them.
inline ChitantaTexts SampleTexts()
{
    ChitantaTexts t;
    t.facturi = L"12", t.serieFacturi = L"FCT", t.data = L"06-12-2026", t.numar = L"7", t.serieChit = L"AB";
    t.clientNume = L"Client Test SRL", t.clientNrReg = L"J08/55/2010", t.clientCod = L"RO777";
    t.clientAdresa = L"Str. Lunga 5", t.clientOras = L"Brasov";
    t.suma = L"1456.78", t.sumaInLitere = L" una mie patru sute cincizeci si sase   lei si  saptezeci si opt  bani ";
    t.firmaDenumire = L"Firma Test SRL", t.firmaNrReg = L"J40/1/2000", t.firmaCui = L"RO123";
    t.firmaAdresa = L"Bd. Unirii 1", t.firmaOras = L"Bucuresti";
    return t;
}

// Small pictures standing for a logo and a stamp.
inline std::string LogoPicture() { return printing_tests::SolidPng(80, 30, 30, 60, 200); }
inline std::string StampPicture() { return printing_tests::SolidPng(30, 30, 200, 30, 30); }

} // namespace receipt_tests
