#include "printing/PrintBackground.h"
#include <windows.h>
#include "database/Lookups.h"
#include "resources/resource.h"

int32_t printBackgroundChoice = PrintBackgroundNone;

bool LoadJpgResource(unsigned id, micro::utils::QBuffer& bytes)
{
    bytes.Clear();
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), L"JPG");
    HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data)
        return false;
    bytes.Append(data, static_cast<int>(SizeofResource(module, info)));
    return true;
}

bool LoadPrintBackground(micro::utils::QBuffer& picture)
{
    picture.Clear();
    switch (printBackgroundChoice) {
    case PrintBackgroundFirst: return LoadJpgResource(IDJ_FUNDAL1, picture);
    case PrintBackgroundSecond: return LoadJpgResource(IDJ_FUNDAL2, picture);
    case PrintBackgroundCompany:
        LoadCompanyBackground(picture);
        return !picture.IsEmpty();
    default: return false;
    }
}
