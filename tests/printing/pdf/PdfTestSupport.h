#pragma once
#include <string>

namespace pdftest {

// test-out\pdf\<name> under the build folder (created on first use).
std::wstring OutputPath(const std::wstring& name);
std::string Utf8Path(const std::wstring& path);
bool Exists(const std::wstring& path);

} // namespace pdftest
