#include "printing/pdf/PdfFile.h"
#include "framework/files/QFiles.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "printing/pdf/MultiByteText.h"
#include <shlwapi.h>

using micro::utils::QString;

QString AppendPdfExtension(const wchar_t* path)
{
    QString result(path);
    const wchar_t* extension = PathFindExtensionW(result.c_str());
    bool isPdf = extension && extension[0] == L'.' && _wcsicmp(extension + 1, L"pdf") == 0;
    if (!isPdf)
        result += L".pdf";
    return result;
}

bool ChoosePdfFile(QString& path)
{
    QString chosen;
    if (!micro::files::BrowseSaveFile(chosen, micro::qdialog::ModalOwner()))
        return false;
    path = AppendPdfExtension(chosen);
    return true;
}

// Written whole to a file beside the target, which is replaced only then: a
// save that fails half-way leaves the earlier file (or none), never a torso.
bool SavePdfFile(micropdf::MakePDF& pdf, const wchar_t* path)
{
    QString partial = QString(path) + L".partial";
    MultiByteText narrowPath(CP_UTF8);
    ConvertWideToMultiByte(narrowPath, partial.c_str());
    if (pdf.SaveToFile(narrowPath.c_str()) != HPDF_OK ||
        !MoveFileExW(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(partial.c_str());
        ShowPdfSaveError();
        return false;
    }
    return true;
}

void ShowPdfSaveError()
{
    micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), L"Error saving pdf file!", L"Message", MB_OK);
}
