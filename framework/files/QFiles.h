#pragma once
#include <windows.h>
#include "framework/utils/QBuffer.h"
#include "framework/utils/QString.h"

namespace micro {
namespace files {

bool FileExists(const wchar_t* path);
bool FolderExists(const wchar_t* path);
// Creates the folder; an existing folder is success.
bool CreateFolder(const wchar_t* path);
// Reads a whole file into the buffer (replacing its content); false when it cannot be read.
bool ReadWholeFile(const wchar_t* path, utils::QBuffer& out);
bool WriteWholeFile(const wchar_t* path, const void* bytes, size_t count);
bool DeleteFile(const wchar_t* path);

// The system's file-open dialog for PNG and JPEG pictures (and all files).
bool BrowseOpenFile(utils::QString& path, HWND owner);
// The shell's save dialog titled "Save as" with the one type "All Files"; on
// confirmation writes the chosen path and answers true; otherwise leaves path
// unchanged and answers false.
bool BrowseSaveFile(utils::QString& path, HWND owner);

} // namespace files
} // namespace micro
