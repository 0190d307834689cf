#include "shell/MyApp.h"
#include "database/Schema.h"
#include "database/qsql/QSqlError.h"
#include "framework/files/QFiles.h"
#include "framework/qdialog/QMessageBox.h"
#include "shell/MyWelcomeDialog.h"
#include <commctrl.h>

using micro::qdialog::ShowMessageBox;
using micro::qsql::QSqlError;

MyApp::MyApp() : databaseOpen(false), currentUserId(0)
{
    SetDataFolder(L"C:\\Brivane\\");
    SetRepository(&repository);
}

MyApp::~MyApp()
{
    if (&GetRepository() == &repository)
        SetRepository(nullptr);
    if (micro::gui::QTheme::GetCurrent() == &theme)
        micro::gui::QTheme::SetCurrent(nullptr);
}

void MyApp::SetDataFolder(const wchar_t* folder)
{
    dataFolder = folder;
    databasePath = dataFolder + L"Societate";
}

bool MyApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                           ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    micro::gui::QTheme::SetCurrent(&theme);
    if (!OpenCompanyData())
        return false;
    return CreateMainWindow();
}

bool MyApp::OpenCompanyData()
{
    try {
        if (micro::files::FileExists(databasePath.c_str())) {
            OpenCompanyDatabase(repository, databasePath.c_str());
            // SQLite opens any file lazily: read the schema now so a file that
            // is not a database is reported here, not at the first command.
            repository.ExecScalar(L"select count(*) from sqlite_master");
        } else {
            MyWelcomeDialog welcome(nullptr);
            if (welcome.DoModal() != IDOK)
                return false;
            if (!micro::files::CreateFolder(dataFolder.c_str())) {
                ShowMessageBox(nullptr, L"Eroare la crearea fisierului !", L"Error", MB_OK | MB_ICONERROR);
                return false;
            }
            // A creation that fails half-way deletes its file, so the next
            // start asks again instead of opening a broken database.
            CreateCompanyDatabase(repository, databasePath.c_str());
        }
        databaseOpen = true;
    } catch (const QSqlError& error) {
        CloseAfterFailure();
        ShowMessageBox(nullptr, error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
    } catch (...) {
        CloseAfterFailure();
        ShowMessageBox(nullptr, L"Unknown error", L"Error", MB_OK | MB_ICONERROR);
    }
    // Without a database the window still opens; the commands that need one refuse.
    return true;
}

void MyApp::CloseAfterFailure()
{
    // The commands that need the database test whether it is open.
    try {
        repository.Close();
    } catch (...) {
    }
}

bool MyApp::CreateMainWindow()
{
    if (!frame.CreateMain())
        return false;
    frame.CenterOnScreen();
    ShowWindow(frame.GetHandle(), SW_SHOWMAXIMIZED);
    UpdateWindow(frame.GetHandle());
    return true;
}

int MyApp::ExitInstance()
{
    try {
        repository.Close();
        databaseOpen = false;
    } catch (const QSqlError& error) {
        ShowMessageBox(nullptr, error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
        return -1;
    }
    return 0;
}

MyApp& GetApp()
{
    return *static_cast<MyApp*>(micro::qapp::QApplication::GetCurrent());
}
