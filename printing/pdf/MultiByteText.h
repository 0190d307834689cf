#pragma once
#include <windows.h>

// A narrow copy of a wide text in the holder's code page (set it before
// filling). The holder owns the buffer; FreeMultiByteText or the destructor
// releases it.
struct MultiByteText {
    explicit MultiByteText(UINT page = CP_UTF8) : codePage(page), text(nullptr) {}
    ~MultiByteText();
    MultiByteText(const MultiByteText&) = delete;
    MultiByteText& operator=(const MultiByteText&) = delete;

    // The converted text; empty before filling or when the conversion gave nothing.
    const char* c_str() const { return text ? text : ""; }

    UINT codePage;
    char* text;
};

// Converts the whole text with its terminator into a new buffer of the
// holder's code page, replacing what the holder held.
void ConvertWideToMultiByte(MultiByteText& holder, const wchar_t* text);
void FreeMultiByteText(MultiByteText& holder);

// The text as the PDF writer's fonts take it: code page 1250, the one Windows
// code page that holds every Romanian letter. It lacks the letters with a
// comma below (U+0218-U+021B), so they become their cedilla forms, the way
// Romanian has long been typed; a character the code page lacks becomes "?".
void ConvertToPdfText(MultiByteText& holder, const wchar_t* text);
