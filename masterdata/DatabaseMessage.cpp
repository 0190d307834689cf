#include "masterdata/DatabaseMessage.h"
#include "database/MyRepository.h"
#include "framework/qdialog/QMessageBox.h"

void ShowDatabaseMessage(HWND owner, const micro::qsql::QSqlError& error)
{
    micro::qdialog::ShowMessageBox(owner, error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
}

bool RequireOpenDatabase(HWND owner)
{
    if (GetRepository().IsOpen())
        return true;
    ShowDatabaseMessage(owner, micro::qsql::QSqlError::NotOpen());
    return false;
}
