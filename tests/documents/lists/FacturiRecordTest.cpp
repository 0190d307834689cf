#include <gtest/gtest.h>
#include <cstdlib>
#include "documents/FacturiRecord.h"
#include "tests/documents/lists/ListsTestData.h"

using namespace lists_test;
using micro::utils::QString;

class FacturiRecordTest : public testing_support::DatabaseTest {};

TEST_F(FacturiRecordTest, RowTextsComeFromTheSavedEditorState)
{
    MyFacturiDialog editor(nullptr);
    editor.idRezervat = 7;
    editor.numar = 12;
    editor.client = tempDb.AddClient(L"D'Artagnan SRL");
    editor.dataCreare = kDay;
    editor.valoareFT = -5.5;
    editor.valoareTVA = 1.234;
    editor.valoareTTI = 0.0;
    editor.status = 2;
    editor.sold = 0.0;
    FacturiRecord record;
    record.creatDe = L"left over";
    FormatDocumentRowTexts(editor, record);
    EXPECT_STREQ(L"D'Artagnan SRL", record.clientNume);
    EXPECT_STREQ(L"14-11-2023", record.dataCreare);
    EXPECT_STREQ(L"-5.50", record.valoareFT);
    EXPECT_STREQ(L"1.23", record.valoareTVA);
    EXPECT_STREQ(L"Validat", record.statusText);
    EXPECT_STREQ(L"", record.creatDe);

    // Statuses without a word, and no date.
    editor.status = 5;
    editor.dataCreare = static_cast<unsigned long long>(-1);
    FormatDocumentRowTexts(editor, record);
    EXPECT_STREQ(L"?", record.statusText);
    EXPECT_STREQ(L"", record.dataCreare);
    editor.status = 0;
    FormatDocumentRowTexts(editor, record);
    EXPECT_STREQ(L"?", record.statusText);
}

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
