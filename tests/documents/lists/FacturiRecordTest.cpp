#include <gtest/gtest.h>
#include <cstdlib>
#include "documents/FacturiRecord.h"

TEST(DocumentDateTextsTest, ListDatesReadAsEachDateAloneInAnyZone)
{
    const char* zones[] = {"UTC", "EET-2EEST", "IST-5:30"};
    for (const char* zone : zones) {
        _putenv_s("TZ", zone);
        RefreshDocumentTimeZone();
        DocumentDateTexts dates;
        int differences = 0;
        for (long long t = 1640995200 - 3 * 86400; t < 1640995200 + 400LL * 86400; t += 1999) {
            if (!(dates.Text(t) == FormatDocumentDate(t)))
                ++differences;
        }
        EXPECT_EQ(0, differences) << zone;
        EXPECT_STREQ(L"", dates.Text(-1));
    }
    _putenv_s("TZ", "UTC");
    RefreshDocumentTimeZone();
}
