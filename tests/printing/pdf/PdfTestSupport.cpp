#include "tests/printing/pdf/PdfTestSupport.h"
#include "tests/printing/pdf/PdfReader.h"
#include <windows.h>

namespace pdftest {

std::wstring OutputPath(const std::wstring& name)
{
    CreateDirectoryW(L"test-out", nullptr);
    CreateDirectoryW(L"test-out\\pdf", nullptr);
    return L"test-out\\pdf\\" + name;
}

std::string Utf8Path(const std::wstring& path)
{
    return Utf8(path);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace pdftest
