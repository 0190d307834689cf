#pragma once
#include <cstdint>
#include "framework/utils/QBuffer.h"

// The page background chosen in the print dialog, kept for the rest of the
// run and read by the printed pages: 0 none, 1 picture 242, 2 picture 244,
// 3 the company's stored background.
enum PrintBackground {
    PrintBackgroundNone = 0,
    PrintBackgroundFirst = 1,
    PrintBackgroundSecond = 2,
    PrintBackgroundCompany = 3,
};
extern int32_t printBackgroundChoice;

// The encoded picture of the current choice; false (and empty) for none or
// when the company has no stored background.
bool LoadPrintBackground(micro::utils::QBuffer& picture);
// The bytes of one of the program's "JPG" resources.
bool LoadJpgResource(unsigned id, micro::utils::QBuffer& bytes);
