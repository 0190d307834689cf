#pragma once
#include "database/MyRepository.h"
#include "framework/qapp/QApplication.h"
#include "framework/utils/QString.h"
#include "shell/MyFrame.h"
#include "shell/MyTheme.h"
#include "shell/SystemSessions.h"

// The one application object: OLE and Winsock for the life of the program,
// the main window, the theme and the company database.
class MyApp : public micro::qapp::QApplication {
public:
    MyApp();
    ~MyApp() override;

    // Theme, company database (first run: welcome dialog and creation), main window.
    bool InitInstance() override;
    // Closes the database; 0, or -1 after a failure to close, which is shown.
    int ExitInstance() override;
    micro::gui::QMainFrame* GetMainFrame() override { return &frame; }

    // Opens the company database, or on the first run asks and creates the
    // folder and the database. False when the program must end.
    bool OpenCompanyData();
    // The main window, centred and shown maximised.
    bool CreateMainWindow();
    // Moves the data folder (a path ending in a backslash). The program always
    // keeps its data in C:\Brivane\; tests point it at a temporary folder.
    void SetDataFolder(const wchar_t* folder);

private:
    void CloseAfterFailure();
    // False (after telling the user and bringing the other window forward)
    // when another instance already has this company file.
    bool ClaimCompanyFile();
    // The existing file, checked; or the welcome dialog and a new file.
    bool OpenOrCreateCompanyFile();
    bool CreateCompanyFile();

    // First members: constructed before and destroyed after everything else.
    OleSession ole;
    WinsockSession winsock;
    // Held while this instance has the company file; named after its path.
    HANDLE companyFileMutex;
    // This session marked the file open and a clean close may remove the
    // mark (not after finding the file damaged).
    bool sessionMarked;

public:
    MyFrame frame;
    MyTheme theme;
    MyRepository repository;
    micro::utils::QString dataFolder;
    micro::utils::QString databasePath;
    // Set only once the database is really open.
    bool databaseOpen;
    // Nothing assigns it: documents and receipts record 0 as their user.
    unsigned long long currentUserId;
};

// The running application object.
MyApp& GetApp();
