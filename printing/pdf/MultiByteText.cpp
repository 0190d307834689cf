#include "printing/pdf/MultiByteText.h"
#include <string>

MultiByteText::~MultiByteText()
{
    FreeMultiByteText(*this);
}

void ConvertWideToMultiByte(MultiByteText& holder, const wchar_t* text)
{
    FreeMultiByteText(holder);
    if (!text)
        text = L"";
    int size = WideCharToMultiByte(holder.codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    holder.text = new char[size];
    if (WideCharToMultiByte(holder.codePage, 0, text, -1, holder.text, size, nullptr, nullptr) <= 0)
        holder.text[0] = 0;
}

void FreeMultiByteText(MultiByteText& holder)
{
    delete[] holder.text;
    holder.text = nullptr;
}

namespace {

wchar_t CedillaForm(wchar_t ch)
{
    switch (ch) {
    case 0x0218: return 0x015E;  // Ș -> Ş
    case 0x0219: return 0x015F;  // ș -> ş
    case 0x021A: return 0x0162;  // Ț -> Ţ
    case 0x021B: return 0x0163;  // ț -> ţ
    default: return ch;
    }
}

} // namespace

void ConvertToPdfText(MultiByteText& holder, const wchar_t* text)
{
    std::wstring mapped(text ? text : L"");
    for (wchar_t& ch : mapped)
        ch = CedillaForm(ch);
    holder.codePage = 1250;
    ConvertWideToMultiByte(holder, mapped.c_str());
}
