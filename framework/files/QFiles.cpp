#include "framework/files/QFiles.h"
#include "framework/gui/QImage.h"
#include <shobjidl.h>

namespace micro {
namespace files {

using gui::QComPtr;

bool FileExists(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const wchar_t* path)
{
    if (CreateDirectoryW(path, nullptr))
        return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && FolderExists(path);
}

bool ReadWholeFile(const wchar_t* path, utils::QBuffer& out)
{
    out.Clear();
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x7fffffff;
    char chunk[65536];
    while (ok) {
        DWORD read = 0;
        if (!ReadFile(file, chunk, sizeof(chunk), &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0)
            break;
        out.Append(chunk, static_cast<int>(read));
    }
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const wchar_t* path, const void* bytes, size_t count)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const char* p = static_cast<const char*>(bytes);
    bool ok = true;
    while (count > 0 && ok) {
        DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count), written = 0;
        ok = WriteFile(file, p, chunk, &written, nullptr) && written == chunk;
        p += chunk;
        count -= chunk;
    }
    if (!CloseHandle(file))
        ok = false;
    return ok;
}

bool DeleteFile(const wchar_t* path)
{
    return ::DeleteFileW(path) != FALSE;
}

namespace {

bool ResultPath(IFileDialog* dialog, utils::QString& path)
{
    QComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(&item)))
        return false;
    wchar_t* name = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &name)) || !name)
        return false;
    path = name;
    CoTaskMemFree(name);
    return true;
}

} // namespace

bool BrowseOpenFile(utils::QString& path, HWND owner)
{
    QComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                reinterpret_cast<void**>(&dialog))))
        return false;
    COMDLG_FILTERSPEC types[] = {{L"Imagini (PNG, JPEG)", L"*.png;*.jpg;*.jpeg"}, {L"All Files", L"*.*"}};
    dialog->SetFileTypes(2, types);
    DWORD options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_FILEMUSTEXIST);
    if (FAILED(dialog->Show(owner)))
        return false;
    return ResultPath(dialog, path);
}

bool BrowseSaveFile(utils::QString& path, HWND owner)
{
    QComPtr<IFileSaveDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileSaveDialog,
                                reinterpret_cast<void**>(&dialog))))
        return false;
    COMDLG_FILTERSPEC types[] = {{L"All Files", L"*.*"}};
    if (FAILED(dialog->SetTitle(L"Save as")) || FAILED(dialog->SetFileTypes(1, types)) ||
        FAILED(dialog->SetDefaultExtension(L"")) || FAILED(dialog->SetFileName(L"")))
        return false;
    // Exactly these options: no overwrite prompt.
    if (FAILED(dialog->SetOptions(FOS_FORCEFILESYSTEM | FOS_NOTESTFILECREATE)))
        return false;
    if (FAILED(dialog->Show(owner)))
        return false;
    utils::QString chosen;
    if (!ResultPath(dialog, chosen))
        return false;
    path = chosen;
    return true;
}

} // namespace files
} // namespace micro
