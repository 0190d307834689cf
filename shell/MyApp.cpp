#include "shell/MyApp.h"
#include "database/CompanyFile.h"
#include "database/Schema.h"
#include "database/qsql/QSqlError.h"
#include "framework/files/QFiles.h"
#include "framework/gui/QGraphics.h"
#include "framework/qdialog/QMessageBox.h"
#include "shell/MyWelcomeDialog.h"
#include <commctrl.h>
#include <string>

using micro::qdialog::ShowMessageBox;
using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

// A file held by another program is reported after this long, not after the
// minute a read may wait.
const int kStartBusyTimeoutMs = 3000;

const wchar_t kAlreadyOpen[] = L"Fisierul societatii este deja deschis in alta fereastra Brivane !";
const wchar_t kOpenReadOnly[] = L" Doriti sa il deschideti doar pentru citire ?";
const wchar_t kReadOnly[] = L"Fisierul societatii este protejat la scriere:\n%s\n\nDatele pot fi consultate, dar "
                            L"modificarile nu vor putea fi salvate.";
const wchar_t kOutdated[] = L"Fisierul societatii are o structura pe care programul nu o poate aduce la zi:\n%s\n\n"
                            L"Datele pot fi consultate, dar modificarile nu vor putea fi salvate.";
const wchar_t kMainWindowClass[] = L"clsw";

// Mutex names allow no backslash; one path, however it is spelt, gives one name.
std::wstring MutexNameFor(const wchar_t* path)
{
    wchar_t full[MAX_PATH * 2];
    DWORD n = GetFullPathNameW(path, MAX_PATH * 2, full, nullptr);
    std::wstring name = n > 0 && n < MAX_PATH * 2 ? full : path;
    CharUpperBuffW(&name[0], static_cast<DWORD>(name.size()));
    for (wchar_t& c : name)
        if (c == L'\\')
            c = L'/';
    return L"Local\\Brivane:" + name.substr(0, MAX_PATH - 16);
}

void BringForward(HWND window)
{
    if (!window)
        return;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

} // namespace

MyApp::MyApp() : companyFileMutex(nullptr), sessionMarked(false), databaseOpen(false), currentUserId(0)
{
    SetDataFolder(L"C:\\Brivane\\");
    SetRepository(&repository);
}

MyApp::~MyApp()
{
    if (companyFileMutex)
        CloseHandle(companyFileMutex);
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
    if (!ClaimCompanyFile())
        return false;
    bool goOn = true;
    int busyTimeout = repository.GetBusyTimeout();
    repository.SetBusyTimeout(kStartBusyTimeoutMs);
    try {
        goOn = OpenOrCreateCompanyFile();
    } catch (const QSqlError& error) {
        CloseAfterFailure();
        ShowMessageBox(nullptr, error.GetText().c_str(), L"Message", MB_OK | MB_ICONERROR);
    } catch (...) {
        CloseAfterFailure();
        ShowMessageBox(nullptr, L"Unknown error", L"Error", MB_OK | MB_ICONERROR);
    }
    repository.SetBusyTimeout(busyTimeout);
    // Without a database the window still opens; the commands that need one refuse.
    return goOn;
}

bool MyApp::ClaimCompanyFile()
{
    if (companyFileMutex)
        return true;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, MutexNameFor(databasePath.c_str()).c_str());
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        ShowMessageBox(nullptr, kAlreadyOpen, L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        BringForward(FindWindowW(kMainWindowClass, nullptr));
        return false;
    }
    companyFileMutex = mutex;
    return true;
}

bool MyApp::OpenOrCreateCompanyFile()
{
    // A folder at the file's place is no first run: it is named, and nothing
    // is made in it or beside it.
    if (micro::files::FolderExists(databasePath.c_str()))
        throw QSqlError::CannotOpen(databasePath);
    if (!micro::files::FileExists(databasePath.c_str()))
        return CreateCompanyFile();
    // Reading every page takes seconds on a big file: only after a session
    // that did not end cleanly, or when no session can be marked.
    bool wholeFile = SessionMarkFound(databasePath.c_str());
    if (!MarkSessionOpen(databasePath.c_str()))
        wholeFile = true;
    CompanyFileState state;
    bool upToDate = true;
    {
        micro::gui::QWaitCursor wait;
        state = CheckCompanyFile(repository, databasePath.c_str(), wholeFile);
        if (state == CompanyFileState::Usable) {
            repository.Close();
            upToDate = OpenCompanyDatabase(repository, databasePath.c_str());
        }
    }
    switch (state) {
    case CompanyFileState::Usable:
        sessionMarked = true;
        if (!upToDate)
            ShowMessageBox(nullptr, QString::Formatted(kOutdated, databasePath.c_str()).c_str(), L"Atentie",
                           MB_OK | MB_ICONEXCLAMATION);
        break;
    case CompanyFileState::ReadOnly:
        sessionMarked = true;
        ShowMessageBox(nullptr, QString::Formatted(kReadOnly, databasePath.c_str()).c_str(), L"Atentie",
                       MB_OK | MB_ICONEXCLAMATION);
        break;
    case CompanyFileState::Damaged:
        // The file stays as it is: read-only, or not opened at all; its
        // session mark stays too, so every start checks it again.
        if (ShowMessageBox(nullptr, (QSqlError::Damaged(databasePath).GetText() + kOpenReadOnly).c_str(), L"Atentie",
                           MB_YESNO | MB_ICONERROR) != IDYES)
            return true;
        repository.OpenReadOnly(databasePath.c_str());
        break;
    case CompanyFileState::NotCompanyFile:
        return CreateCompanyFile();
    }
    databaseOpen = true;
    return true;
}

bool MyApp::CreateCompanyFile()
{
    MyWelcomeDialog welcome(nullptr);
    if (welcome.DoModal() != IDOK)
        return false;
    if (!micro::files::CreateFolder(dataFolder.c_str())) {
        ShowMessageBox(nullptr, L"Eroare la crearea fisierului !", L"Error", MB_OK | MB_ICONERROR);
        return false;
    }
    // A file without the program's tables is kept beside the new one, never deleted.
    if (micro::files::FileExists(databasePath.c_str()) && SetCompanyFileAside(databasePath.c_str()).empty()) {
        ShowMessageBox(nullptr, L"Eroare la crearea fisierului !", L"Error", MB_OK | MB_ICONERROR);
        return false;
    }
    // A creation that fails half-way deletes its file, so the next
    // start asks again instead of opening a broken database.
    MarkSessionOpen(databasePath.c_str());
    CreateCompanyDatabase(repository, databasePath.c_str());
    sessionMarked = true;
    databaseOpen = true;
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
        if (sessionMarked)
            MarkSessionClosed(databasePath.c_str());
        sessionMarked = false;
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
