#include "printing/PrintHelpers.h"

HDC ShowPrintDialog(PrintPageRange*, HWND) { return nullptr; }
int ConfigureDefaultPrinter(const void*, const void*) { return 0; }
static PrintJobSink* s_sink = nullptr;
PrintJobSink* SetPrintJobSink(PrintJobSink* sink) { PrintJobSink* p = s_sink; s_sink = sink; return p; }
PrintJob::PrintJob(HWND) : m_dc(nullptr), m_sink(nullptr), m_width(0), m_height(0), m_docOpen(false), m_pageOpen(false), m_finished(false) {}
PrintJob::~PrintJob() {}
bool PrintJob::Finish() { return false; }
