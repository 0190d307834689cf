// Resource ids of the program: one include for code and resource scripts.
// Each part keeps its ids in its own file under ids/ so parts grow without
// touching each other's lists; ids fixed by templates keep their values.
#pragma once

#include "ids/shell.h"
#include "ids/masterdata.h"
#include "ids/documents.h"
#include "ids/printing.h"
#include "ids/cash.h"
#include "ids/cash_payments.h"
#include "ids/stock.h"
#include "ids/stock_reports.h"

// Dialog template used only by the framework's tests.
#define IDD_TEST_DIALOG             9001
#define IDC_TEST_EDIT               9002
#define IDC_TEST_LIST               9003
