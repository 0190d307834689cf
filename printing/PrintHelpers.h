#pragma once
#include <windows.h>
#include <cstdint>

// The page block a caller hands to the print dialog: it presets pageCount;
// the dialog writes the first range chosen.
struct PrintPageRange {
    uint32_t pageCount;
    uint32_t fromPage;
    uint32_t toPage;
};

// The system print dialog over `owner`, pages 1 to pageCount. Only "Print"
// answers the printer DC (the caller ends and deletes it) and writes the
// first page range into `pages`; cancel, Apply or a failure answer null.
HDC ShowPrintDialog(PrintPageRange* pages, HWND owner);

// Rewrites the default printer's stored defaults: A4 paper and 3 copies, then
// tells every top-level window. 1 on success, 0 on any failure (no message).
// The arguments are not used.
int ConfigureDefaultPrinter(const void* unused1 = nullptr, const void* unused2 = nullptr);

// Where print jobs go. Production asks the printer through the print dialog;
// tests install a sink that hands out, say, an enhanced-metafile DC.
class PrintJobSink {
public:
    virtual ~PrintJobSink() {}
    // The device of a one-page job with its page size in device pixels; null
    // prints nothing.
    virtual HDC OpenDevice(HWND owner, int& width, int& height) = 0;
    // The job has ended (printed or not); the sink disposes of the DC.
    virtual void CloseDevice(HDC dc, bool printed) = 0;
    // A job of several pages: the sink stands for the print dialog's range
    // (every page unless it says otherwise) and hears where each page starts.
    virtual void ChoosePages(PrintPageRange& pages)
    {
        pages.fromPage = 1;
        pages.toPage = pages.pageCount;
    }
    virtual void PageStarts(HDC, uint32_t) {}
};
// Installs a sink (null: the printer again); answers the previous one.
PrintJobSink* SetPrintJobSink(PrintJobSink* sink);
PrintJobSink* GetPrintJobSink();

// One print job named "Dovodozi Printout". Construction sets the default
// printer up, runs the print dialog (or asks the sink) and opens the
// document; the destructor aborts a job that was not finished and releases
// the DC, so an early return or an exception leaves no job open.
class PrintJob {
public:
    // A one-page job: its page is opened at once.
    explicit PrintJob(HWND owner);
    // A job of pages.pageCount pages: the dialog (or the sink) writes the
    // range chosen into `pages`; the caller starts and ends each page.
    PrintJob(HWND owner, PrintPageRange& pages);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // A DC ready to draw on (false: cancelled or failed; draw nothing).
    bool IsOpen() const { return m_open; }
    HDC GetDC() const { return m_dc; }
    // HORZRES and VERTRES of the device.
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // Page `page` (from 1) of a job of pages; false when the spooler refused
    // or a page is still open (the one-page job's own, or one not ended).
    bool StartPage(uint32_t page);
    bool EndPage();
    // Ends the open page and the document; false when the spooler refused either.
    bool Finish();

private:
    void Open(HWND owner, PrintPageRange* pages);

    HDC m_dc;
    PrintJobSink* m_sink;
    int m_width;
    int m_height;
    bool m_docOpen;
    bool m_pageOpen;
    bool m_open;
    bool m_finished;
};
