// Times saving a 200-line invoice from the document editor: the editor's save
// (all writes in one transaction) against the same repository writes made one
// statement at a time, each committing on its own, in the same run on the
// same fresh company file.
//
//   EditorSaveBench [lines]
#include "bench/support/BenchSupport.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "documents/MyFacturiDialog.h"
#include "resources/resource.h"
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::Stopwatch;

const int kRuns = bench::ShortOr(2, 5);
int g_lines = 200;
std::vector<double> g_transaction, g_autocommit;
MyFacturiDialog* g_editor = nullptr;

// The same writes as the editor's save, each statement committing on its own.
double SaveStatementByStatement(MyRepository& db, unsigned long long documentId, bool insert)
{
    Stopwatch watch;
    db.UpdateCompanyFromDocument(L"Firma Bench SRL", L"1234", L"J40/1/2020", L"Str. 1", L"Bucuresti", L"021",
                                 L"BCR", L"RO49", 0, 0);
    db.UpdateUserIdentity(L"Ana", L"RX 1", L"1800101");
    unsigned long long client = db.SaveClient(0, L"Client Bench SRL", L"777", L"", L"", L"", L"", L"", L"");
    db.DeleteDocumentItems(0, documentId);
    for (int i = 0; i < g_lines; ++i)
        db.InsertDocumentItem(0, static_cast<unsigned long long>(i + 1), 2.0, 10.0, documentId, 0);
    db.SaveDocumentHeader(0, documentId, insert, 1, static_cast<long long>(documentId), client, 86400, 86400, 0, 0,
                          20.0 * g_lines, 4.8 * g_lines, 24.8 * g_lines, 24.8 * g_lines, L"FV");
    return watch.Milliseconds();
}

void TypeLine(HWND w, int i)
{
    wchar_t name[32];
    swprintf(name, 32, L"Produs %03d", i + 1);
    SetDlgItemTextW(w, IDC_FE_PRODUCT, name);
    SetDlgItemTextW(w, IDC_FE_PRICE, L"10");
    SetDlgItemTextW(w, IDC_FE_QUANTITY, L"2");
    SetDlgItemTextW(w, IDC_FE_UNIT, L"Buc");
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CALLBACK Drive(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND w = g_editor ? g_editor->GetHandle() : nullptr;
    if (!w || !IsWindowVisible(w))
        return;
    KillTimer(nullptr, timer);
    SetDlgItemTextW(w, IDC_FE_CLIENT_NAME, L"Client Bench SRL");
    for (int i = 0; i < g_lines; ++i)
        TypeLine(w, i);
    MyRepository& db = GetRepository();
    unsigned long long otherId = g_editor->idRezervat + 1000;
    for (int run = 0; run < kRuns; ++run) {
        Stopwatch watch;
        if (run == 0)
            g_editor->status = 1;
        bool saved = g_editor->SaveDocument();
        g_transaction.push_back(watch.Milliseconds());
        if (run == 0 && saved)
            g_editor->id = g_editor->idRezervat;
        g_autocommit.push_back(SaveStatementByStatement(db, otherId, run == 0));
    }
    // Saved outside the editor's own commands, so it still asks.
    bench::CancelDiscarding(w);
}

} // namespace

int BenchMain(int argc, wchar_t** argv)
{
    if (argc > 1 && argv[1][0] != L'-')
        g_lines = std::max(1, _wtoi(argv[1]));
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    bench::Boxes();

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"brivane-editor-bench";
    DeleteFileW(path.c_str());
    MyRepository db;
    CreateCompanyDatabase(db, path.c_str());
    SetRepository(&db);
    db.ExecDML(L"update Societate set denumire = 'Firma Bench SRL' where id = 1");

    MyFacturiDialog editor(nullptr);
    g_editor = &editor;
    SetTimer(nullptr, 0, 50, &Drive);
    editor.DoModal();
    g_editor = nullptr;

    long long stored = db.ExecScalar(L"select count(*) from ArticoleFacturi where IDFactura = 1");
    wprintf(L"invoice of %d lines (%lld stored), %d saves\n", g_lines, stored, kRuns);
    bench::PrintTiming(L"editor save, one transaction", bench::Summarize(g_transaction));
    bench::PrintTiming(L"statement by statement, autocommit", bench::Summarize(g_autocommit));
    bench::Timing together = bench::Summarize(g_transaction), apart = bench::Summarize(g_autocommit);
    bench::PrintRatio(L"autocommit / transaction", apart, together, L"(information)");
    // The save's one transaction is there to be cheaper than its statements apart.
    bench::PrintAimRatio(L"editor_save_transaction_to_autocommit", apart.median > 0 ? together.median / apart.median : 0,
                         1.0);
    SetRepository(nullptr);
    db.Close();
    DeleteFileW(path.c_str());
    return stored == g_lines ? 0 : 1;
}
