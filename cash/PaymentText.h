#pragma once
#include "framework/utils/QString.h"

// The status words of payments and of the notes they pay, 0 to 4; a status
// outside them shows "?".
const wchar_t* PaymentStatusWord(long long status);
// The series of a new payment: the numbering settings' payment series, "PLT"
// when none is set.
micro::utils::QString PaymentSeries();
