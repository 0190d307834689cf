#include "cash/ReceiptPrinting.h"

namespace {
ReceiptPrinter g_printer = nullptr;
}

void SetReceiptPrinter(ReceiptPrinter printer)
{
    g_printer = printer;
}

INT_PTR PrintReceipt(HWND owner, const ReceiptPrintRequest& request)
{
    return g_printer ? g_printer(owner, request) : 0;
}
