#include <gtest/gtest.h>
#include "printing/FacturaDate.h"
TEST(Smoke, Builds) { SUCCEED(); }
