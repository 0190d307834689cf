// Test support the other printing test folders already have, built here too.
#include "tests/printing/pdf/PdfExpect.cpp"
