#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "tests/harness/TempDatabase.h"

namespace printing_tests {

// A PDF read as a reader sees the paper: every word with its box as
// pdftotext gives it, and every mark a line, a frame's side or a filled shape
// inks (a stroke with its pen's width), in points from the top left corner of
// its page. White fills (a text's opaque background) ink nothing.
struct SheetBox {
    int page;
    double left, top, right, bottom;
    std::string text;  // a word's; empty for ink
};
struct PrintedSheet {
    int pages = 0;
    std::vector<SheetBox> words, ink;

    bool HasWord(const std::string& text) const;
    // Every word whose box meets the ink of a line, a line of description
    // each; empty when every word keeps clear of every line.
    std::string WordsOnLines() const;
};

// Reads the host's file (any PDF: a printed job or one the program wrote);
// false, with the reason, when it cannot.
bool ReadSheet(const std::string& hostPath, PrintedSheet& sheet, std::string& error);

// Answers the system print dialog "Print", as a user does.
void ChoosePrint(HWND printDialog);
// The PDF the queue made of the job printed since `since` (host seconds) that
// shows `marker`, a word only that job prints. A job that never came, or a
// file that cannot be read, is the running test's failure.
void ReadPrintedJob(const std::string& marker, long long since, PrintedSheet& sheet);
// Runs `print` with the print dialog answered "Print" (after the receipt's
// confirmation when asked) and reads the job back; `print` is expected to
// report success.
void PrintThroughSpooler(const std::function<bool()>& print, const std::string& marker, PrintedSheet& sheet,
                         bool confirmReceipt = false);

// The company's name made unique, so that the job printing it is found among
// the queue's files: answers the name.
std::string MarkCompanyName(testing_support::TempDatabase& db);
// A window for the print dialog to belong to (the caller destroys it).
HWND CreatePrintOwner();

// A test that prints through the queue, skipped when no spooler with a
// default queue runs; `owner` is a window for the print dialog to belong to.
class SpoolerTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND owner = nullptr;
};

} // namespace printing_tests
