#include "printing/PrintHelpers.h"
#include <objbase.h>
#include <commdlg.h>
#include <winspool.h>

namespace {

const wchar_t kJobName[] = L"Dovodozi Printout";
const DWORD kMaxPageRanges = 10;

PrintJobSink* s_sink = nullptr;

// GlobalAlloc'd memory, freed when the guard leaves scope.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T size) : m_memory(size ? GlobalAlloc(GPTR, size) : nullptr) {}
    ~GlobalBlock()
    {
        if (m_memory)
            GlobalFree(m_memory);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    template <class T>
    T* As() const { return static_cast<T*>(m_memory); }
    bool IsValid() const { return m_memory != nullptr; }

private:
    HGLOBAL m_memory;
};

class PrinterHandle {
public:
    explicit PrinterHandle(const wchar_t* name) : m_handle(nullptr)
    {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (!OpenPrinterW(const_cast<wchar_t*>(name), &m_handle, &defaults))
            m_handle = nullptr;
    }
    ~PrinterHandle()
    {
        if (m_handle)
            ClosePrinter(m_handle);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The device mode the level-2 information lacks, filled with the driver's
// current settings; null when the driver will not give one.
bool AttachDriverDevMode(HANDLE printer, PRINTER_INFO_2W* info, const wchar_t* name, GlobalBlock*& holder)
{
    LONG size = DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name), nullptr, nullptr, 0);
    if (size <= 0)
        return false;
    holder = new GlobalBlock(static_cast<SIZE_T>(size));
    if (!holder->IsValid())
        return false;
    DEVMODEW* mode = holder->As<DEVMODEW>();
    if (DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name), mode, nullptr, DM_OUT_BUFFER) != IDOK)
        return false;
    info->pDevMode = mode;
    return true;
}

} // namespace

HDC ShowPrintDialog(PrintPageRange* pages, HWND owner)
{
    if (!pages || pages->pageCount == 0)
        return nullptr;
    GlobalBlock ranges(sizeof(PRINTPAGERANGE) * kMaxPageRanges);
    if (!ranges.IsValid())
        return nullptr;
    PRINTPAGERANGE* range = ranges.As<PRINTPAGERANGE>();
    range[0].nFromPage = 1;
    range[0].nToPage = pages->pageCount;

    PRINTDLGEXW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_COLLATE | PD_PAGENUMS | PD_SELECTION;
    dialog.nPageRanges = 1;
    dialog.nMaxPageRanges = pages->pageCount < kMaxPageRanges ? pages->pageCount : kMaxPageRanges;
    dialog.lpPageRanges = range;
    dialog.nMinPage = 1;
    dialog.nMaxPage = pages->pageCount;
    dialog.nCopies = 1;
    dialog.nStartPage = START_PAGE_GENERAL;
    HRESULT hr = PrintDlgExW(&dialog);
    // The dialog's device handles are not read; they go back to the system.
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    if (hr != S_OK || dialog.dwResultAction != PD_RESULT_PRINT) {
        if (dialog.hDC)
            DeleteDC(dialog.hDC);
        return nullptr;
    }
    pages->fromPage = range[0].nFromPage;
    pages->toPage = range[0].nToPage;
    return dialog.hDC;
}

int ConfigureDefaultPrinter(const void*, const void*)
{
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    if (length == 0)
        return 0;
    GlobalBlock nameBlock(length * sizeof(wchar_t));
    wchar_t* name = nameBlock.As<wchar_t>();
    if (!name || !GetDefaultPrinterW(name, &length))
        return 0;
    PrinterHandle printer(name);
    if (!printer.Get())
        return 0;

    DWORD needed = 0;
    SetLastError(0);
    if (!GetPrinterW(printer.Get(), 2, nullptr, 0, &needed) && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return 0;
    if (needed == 0)
        return 0;
    GlobalBlock infoBlock(needed);
    PRINTER_INFO_2W* info = infoBlock.As<PRINTER_INFO_2W>();
    if (!info || !GetPrinterW(printer.Get(), 2, reinterpret_cast<BYTE*>(info), needed, &needed))
        return 0;
    GlobalBlock* driverMode = nullptr;
    struct Owner {
        GlobalBlock*& block;
        ~Owner() { delete block; }
    } ownsDriverMode{driverMode};
    if (!info->pDevMode && !AttachDriverDevMode(printer.Get(), info, name, driverMode))
        return 0;

    info->pDevMode->dmFields = DM_PAPERSIZE | DM_COPIES;
    info->pDevMode->dmPaperSize = DMPAPER_A4;
    info->pDevMode->dmCopies = 3;
    info->pSecurityDescriptor = nullptr;
    if (DocumentPropertiesW(nullptr, printer.Get(), name, info->pDevMode, info->pDevMode,
                            DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK)
        return 0;
    if (!SetPrinterW(printer.Get(), 2, reinterpret_cast<BYTE*>(info), 0))
        return 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0, reinterpret_cast<LPARAM>(name), SMTO_NORMAL, 1000,
                        nullptr);
    return 1;
}

PrintJobSink* SetPrintJobSink(PrintJobSink* sink)
{
    PrintJobSink* previous = s_sink;
    s_sink = sink;
    return previous;
}

PrintJobSink* GetPrintJobSink() { return s_sink; }

PrintJob::PrintJob(HWND owner)
    : m_dc(nullptr), m_sink(s_sink), m_width(0), m_height(0), m_docOpen(false), m_pageOpen(false), m_open(false),
      m_finished(false)
{
    Open(owner, nullptr);
    // A sink's device (a metafile) has no document or pages of its own.
    if (m_dc)
        m_pageOpen = m_sink || (m_docOpen && ::StartPage(m_dc) > 0);
    m_open = m_pageOpen;
}

PrintJob::PrintJob(HWND owner, PrintPageRange& pages)
    : m_dc(nullptr), m_sink(s_sink), m_width(0), m_height(0), m_docOpen(false), m_pageOpen(false), m_open(false),
      m_finished(false)
{
    Open(owner, &pages);
    m_open = m_dc && (m_sink || m_docOpen);
}

void PrintJob::Open(HWND owner, PrintPageRange* pages)
{
    if (m_sink) {
        if (pages)
            m_sink->ChoosePages(*pages);
        m_dc = m_sink->OpenDevice(owner, m_width, m_height);
        return;
    }
    // The dialog opens on the default printer's defaults just written.
    ConfigureDefaultPrinter();
    PrintPageRange one = {1, 0, 0};
    m_dc = ShowPrintDialog(pages ? pages : &one, owner);
    if (!m_dc)
        return;
    m_width = GetDeviceCaps(m_dc, HORZRES);
    m_height = GetDeviceCaps(m_dc, VERTRES);
    DOCINFOW doc = {sizeof(doc)};
    doc.lpszDocName = kJobName;
    m_docOpen = StartDocW(m_dc, &doc) > 0;
}

PrintJob::~PrintJob()
{
    if (m_docOpen && !m_finished)
        AbortDoc(m_dc);
    if (!m_dc)
        return;
    if (m_sink)
        m_sink->CloseDevice(m_dc, m_finished);
    else
        DeleteDC(m_dc);
}

bool PrintJob::StartPage(uint32_t page)
{
    // A page started again over an open one is another sheet or a failure,
    // by the driver: never what the caller meant.
    if (!m_open || m_pageOpen)
        return false;
    if (m_sink) {
        m_sink->PageStarts(m_dc, page);
        m_pageOpen = true;
    } else {
        m_pageOpen = ::StartPage(m_dc) > 0;
    }
    return m_pageOpen;
}

bool PrintJob::EndPage()
{
    bool ended = m_sink || ::EndPage(m_dc) > 0;
    m_pageOpen = false;
    return ended;
}

bool PrintJob::Finish()
{
    if (!m_open || m_finished)
        return false;
    bool ok = !m_pageOpen || EndPage();
    ok = ok && (!m_docOpen || EndDoc(m_dc) > 0);
    m_finished = ok;
    return ok;
}
