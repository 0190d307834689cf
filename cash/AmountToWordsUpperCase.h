#pragma once
#include "framework/utils/QString.h"

// The amount in Romanian capitals, as the receipt and payment editors show and
// store it: lei, then " SI ", the two cent digits and " % ". The amount is
// taken in whole bani. An amount of 0 or less leaves sumaStr as it was.
void AmountToWordsUpperCase(micro::utils::QString& sumaStr, double amount);
