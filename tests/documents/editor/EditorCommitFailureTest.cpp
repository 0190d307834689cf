// A save whose commit another program blocks is reported, and the save after
// it really lasts: the connection is never left inside the failed transaction.
#include "database/qsql/QsqlDatabase.h"
#include "tests/documents/support/EditorFixture.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

using EditorCommitFailure = EditorTest;

TEST_F(EditorCommitFailure, SaveBlockedByAReaderIsReportedAndTheNextSaveSurvivesReopening)
{
    db().SetBusyTimeout(200);
    micro::qsql::QsqlDatabase reader;
    reader.Open(tempDb.Path().c_str());
    MyFacturiDialog editor(nullptr);
    INT_PTR result = Run(editor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Nou SRL");
        AddLine(w, L"Faina", L"10", L"3", 0, false);
        reader.ExecDML(L"BEGIN");
        reader.ExecScalar(L"select count(*) from Facturi"); // holds the file for reading
        ModalDriver::Click(w, IDC_FE_SAVE);
        EXPECT_TRUE(IsWindowVisible(w));
        reader.ExecDML(L"COMMIT");
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"SQLITE_BUSY")) << boxes.Describe();
    EXPECT_FALSE(db().InTransaction());
    db().Close();
    reader.Close();
    micro::qsql::QsqlDatabase reopened;
    reopened.Open(tempDb.Path().c_str());
    EXPECT_EQ(1, reopened.ExecScalar(L"select count(*) from Facturi"));
    EXPECT_EQ(1, reopened.ExecScalar(L"select count(*) from ArticoleFacturi"));
    EXPECT_EQ(1, reopened.ExecScalar(L"select count(*) from Clienti where Nume = 'Client Nou SRL'"));
}

} // namespace
