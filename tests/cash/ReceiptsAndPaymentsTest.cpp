#include <gtest/gtest.h>
#include <algorithm>
#include <ctime>
#include "cash/CashCommands.h"
#include "database/qsql/SqlText.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"

using cash_tests::AddCashRow;
using cash_tests::AddDocument;
using cash_tests::ColumnText;
using cash_tests::Side;
using micro::qsql::SqlFormat;
using testing_support::ModalDriver;

namespace {

const long long kStoredDate = 1780000000;

// Receipts over invoices and payments over goods-received notes keep money
// by the same rules and show it alike; each test runs once per side.
class ReceiptsAndPayments : public cash_tests::CashEditorTest, public testing::WithParamInterface<const Side*> {
protected:
    ReceiptsAndPayments() : CashEditorTest(*GetParam()) {}
    long long Count(const wchar_t* where = L"1")
    {
        return tempDb.Scalar((std::wstring(L"select count(*) from ") + side.table + L" where " + where).c_str());
    }
};

const Side* g_side = nullptr;
unsigned long long g_opened = 0;
INT_PTR FakeDocumentEditor(HWND, int type, uint64_t id)
{
    g_opened = type == g_side->documentType ? id : 0;
    GetRepository().ExecDML(SqlFormat(L"update %s set sold = 55.5 where id = %llu", g_side->documents, id).c_str());
    return IDOK;
}

const long long kToday = static_cast<long long>(time(nullptr)) - 7200;
INT_PTR g_answer = 0;
// The row editor stores a row of today and answers as told.
INT_PTR FakeRowEditor(HWND, int, uint64_t id)
{
    g_opened = id;
    GetRepository().ExecDML(SqlFormat(L"insert into %s (numar, IDClient, suma, data, status, tip) values (20, 0, 5, "
                                      L"%lld, 1, 0)",
                                      g_side->table, kToday)
                                .c_str());
    return g_answer;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(BothSides, ReceiptsAndPayments, testing::Values(&cash_tests::kReceipts, &cash_tests::kPayments),
                         [](const auto& info) { return std::string(info.param->name); });

TEST_P(ReceiptsAndPayments, ValidationSpreadsTheAmountInOneGoGivingBackRestoresEachDocumentExactlyAndThenNothingMore)
{
    ASSERT_EQ(IDOK, ValidateNew(L"150"));
    EXPECT_TRUE(boxes.Saw(L"Restul de 50.00 va fi retras din factura   13\n Continuati ? ")) << boxes.Describe();
    EXPECT_EQ(side.validatedRow,
              Stored(L"status || '|' || serie || '|' || numar || '|' || facturi || '|' || suma || '|' || sumaStr"));
    EXPECT_EQ(L"0|30|2", Books());
    EXPECT_DOUBLE_EQ(100, Balance(betaDoc12));

    // Reopened: its rows in their saved order (not another 13, cancelled); the
    // amount cannot be typed over, and what it shows does not change what goes back.
    AddDocument(tempDb, {partner, 13, 80, 80, 3, side.documents});
    boxes.Clear();
    unsigned long long id = std::stoull(Stored(L"id"));
    EXPECT_EQ(IDOK, Run(id, side.validatedTitle, [&](HWND w) {
                  EXPECT_EQ(L"D'Artagnan SRL", ModalDriver::GetText(w, side.partnerName));
                  ASSERT_EQ(2, ModalDriver::ListRowCount(w, side.list));
                  EXPECT_EQ(L"  12", ModalDriver::ListCell(w, side.list, 0, 0));
                  EXPECT_EQ(L"150.00", ModalDriver::GetText(w, side.amount));
                  EXPECT_TRUE(GetWindowLongW(GetDlgItem(w, side.amount), GWL_STYLE) & ES_READONLY);
                  // A validated payment takes nothing again: its buttons are off, Enter stores nothing.
                  if (side.editor == EditorKind::Payment)
                      for (int button : {side.validate, IDOK, side.add, side.cancel}) {
                          EXPECT_FALSE(ModalDriver::IsEnabled(w, button)) << button;
                          ModalDriver::ClickOnScreen(w, button);
                      }
                  EXPECT_EQ(L"0|30|2|2|0", Books() + L"|" + Stored(L"status") + L"|" + std::to_wstring(boxes.Count()));
                  ModalDriver::SetText(w, side.amount, L"10");
                  ModalDriver::ClickOnScreen(w, side.giveBack);
              }));
    EXPECT_TRUE(boxes.Saw(side.giveBackQuestion)) << boxes.Describe();
    EXPECT_EQ(L"100|80|0", Books());
    EXPECT_EQ(L"3", Stored(L"status"));

    // Cancelled: no button writes it again.
    tempDb.Exec(SqlFormat(L"create trigger frozen before update on %s begin select raise(abort, 'x'); end", side.table)
                    .c_str());
    boxes.Clear();
    Run(id, side.cancelledTitle, [&](HWND w) {
        for (int button : {side.validate, side.cancel, side.add})
            ModalDriver::ClickOnScreen(w, button);
        ModalDriver::Click(w, IDOK);
    });
    EXPECT_FALSE(boxes.SawCaption(L"Message")) << boxes.Describe();
    EXPECT_EQ(L"100|80|0", Books());
}

TEST_P(ReceiptsAndPayments, AnAmountNotPositiveOrShortOfTheDocumentsIsRefusedAndAFailedSaveWritesNothing)
{
    // 0.004 has more decimals than bani; text reads as nothing.
    for (const wchar_t* amount : {L"0", L"0.004", L"abc"}) {
        boxes.Clear();
        ValidateNew(amount);
        EXPECT_TRUE(boxes.SawCaption(L"Atentie")) << boxes.Describe();
    }
    boxes.Clear();
    ValidateNew(L"90");
    EXPECT_TRUE(boxes.Saw(L"Suma introdusa nu poate sa acopere toate facturile introduse !"));
    // Letters after digits and exponents are no amount, kept or validated.
    for (const wchar_t* amount : {L"12abc", L"1e308"})
        ValidateNew(amount, {12, 13}, [](HWND w) { ModalDriver::Click(w, IDOK); });
    // A failed save: the counter is written last, so the row and the balances before it go back too.
    tempDb.Exec(L"create trigger refuse before update on ConfigFacturi begin select raise(abort, 'refused'); end");
    EXPECT_EQ(IDCANCEL, ValidateNew(L"150", {12, 13}, [](HWND w) {
                  ModalDriver::Click(w, IDOK); // stored as temporary: refused as well
                  EXPECT_TRUE(IsWindowVisible(w));
              }));
    EXPECT_EQ(2, std::count_if(boxes.Boxes().begin(), boxes.Boxes().end(), [](const auto& box) {
                  return box.caption == L"Message" && box.text == L"SQLITE_CONSTRAINT[1811]: refused";
              })) << boxes.Describe();
    EXPECT_EQ(0, Count());
    EXPECT_EQ(0, Counter());
    EXPECT_EQ(L"100|80|0", Books());
    tempDb.Exec(L"drop trigger refuse");
    // A decimal comma: the amount stored is the amount taken and the one in words.
    ASSERT_EQ(IDOK, ValidateNew(L"45,50", {12}));
    EXPECT_EQ(L"45.5|1", Stored(L"suma || '|' || (instr(sumaStr, ' 50 ') > 0)"));
    EXPECT_DOUBLE_EQ(54.5, Balance(doc12));
}

// The documents' balances to the ban settle them; one ban more is refused
// before anything is written. A write-protected company file refuses the
// validation in Romanian, naming the file, which keeps its bytes.
TEST_P(ReceiptsAndPayments, OneBanAboveTheBalancesIsRefusedAndAWriteProtectedFileIsSaidAndKept)
{
    // The payment editor asks first whether to validate.
    auto Last = [this]() { return boxes.Count() ? boxes.Last().caption + L"|" + boxes.Last().text : L""; };
    ValidateNew(L"180.01");
    EXPECT_EQ(L"Atentie|Valoarea este mai mare decat suma facturilor ! ", Last()) << boxes.Describe();
    EXPECT_EQ(L"0|0|100|80|0", std::to_wstring(Count()) + L"|" + std::to_wstring(Counter()) + L"|" + Books());

    boxes.Clear();
    tempDb.SetWriteProtected(true);
    const std::string before = tempDb.FileBytes();
    wchar_t full[MAX_PATH];
    GetFullPathNameW(tempDb.Path().c_str(), MAX_PATH, full, nullptr);
    ValidateNew(L"180");
    EXPECT_EQ(L"Message|Documentul nu a fost salvat deoarece fisierul societatii este protejat la scriere:\n" +
                  std::wstring(full) + L"\n\nFisierul nu a fost modificat.",
              Last());
    EXPECT_EQ(1, std::count_if(boxes.Boxes().begin(), boxes.Boxes().end(),
                               [](const auto& box) { return box.caption == L"Message"; }));
    EXPECT_TRUE(before == tempDb.FileBytes());
    tempDb.SetWriteProtected(false);
    EXPECT_EQ(L"0|0|100|80|0", std::to_wstring(Count()) + L"|" + std::to_wstring(Counter()) + L"|" + Books());

    boxes.Clear();
    ASSERT_EQ(IDOK, ValidateNew(L"180"));
    EXPECT_EQ(L"1|0|0|2", std::to_wstring(Count()) + L"|" + Books());
    EXPECT_FALSE(boxes.SawCaption(L"Atentie") || boxes.SawCaption(L"Message")) << boxes.Describe();
}

// "5.000" is five lei to a program and five thousand to the bookkeeper: it is
// refused with both readings, validated or kept, and nothing is stored or settled.
TEST_P(ReceiptsAndPayments, AnAmountWithAPointBeforeThreeDigitsIsRefusedWithBothReadingsAndNothingIsStored)
{
    const wchar_t refusal[] = L"Suma introdusa (5.000) se poate citi 5 sau 5000 !\nScrieti zecimalele dupa virgula.";
    ValidateNew(L"5.000", {12});
    ValidateNew(L"5.000", {12}, [](HWND w) { ModalDriver::Click(w, IDOK); });
    // Once for the first validation, twice for the save and the validation of the second.
    auto warnings = [&](const wchar_t* text) {
        return std::count_if(boxes.Boxes().begin(), boxes.Boxes().end(), [&](const auto& box) {
            return box.caption == L"Atentie" && (!text || box.text == text);
        });
    };
    EXPECT_EQ(3, warnings(refusal)) << boxes.Describe();
    EXPECT_EQ(3, warnings(nullptr)) << boxes.Describe();
    EXPECT_EQ(0, Count());
    EXPECT_EQ(L"100|80|0", Books());
    // With the decimals after a comma it is taken.
    ASSERT_EQ(IDOK, ValidateNew(L"5,000", {12}));
    EXPECT_EQ(L"5.0", Stored(L"suma"));
    EXPECT_EQ(L"95|80|1", Books());
}

TEST_P(ReceiptsAndPayments, ANewRowNeedsAPartnerTakesItsSeriesTheNextFreeNumberAndTheDateShownAndListsItsOwnDocuments)
{
    tempDb.Exec(SqlFormat(L"update ConfigFacturi set %s = 41, %s = '%s'", side.counter, side.series, L"XYZ").c_str());
    PickPartnerAndDocument(12);
    EXPECT_EQ(IDOK, Run(0, side.newTitle, [&](HWND w) {
                  EXPECT_EQ(L"-0000042-", ModalDriver::GetText(w, side.number));
                  ModalDriver::Click(w, IDOK);
                  EXPECT_TRUE(boxes.Saw(L"Introduceti clientul !")) << boxes.Describe();
                  EXPECT_EQ(0, Count());
                  ModalDriver::ClickOnScreen(w, side.pickPartner);
                  AddCashRow(tempDb, side.table, {partner, 42, L"", 1, 1, kStoredDate});
                  tempDb.Exec(SqlFormat(L"update ConfigFacturi set %s = 42", side.counter).c_str());
                  ModalDriver::Click(w, IDOK);
              }));
    EXPECT_TRUE(boxes.Saw(std::wstring(L"Numarul 42 a fost luat intre timp: ") + side.document +
                          L" a fost salvata cu numarul 43 !"))
        << boxes.Describe();
    EXPECT_EQ(1, Count(L"numar = 43 and serie = 'XYZ' and status = 1"));
    EXPECT_EQ(43, Counter());
    // Reopened over its 12: another 12 of the partner, paid up, is not on it.
    AddDocument(tempDb, {partner, 12, 100, 0, 2, side.documents});
    unsigned long long id = tempDb.Scalar(SqlFormat(L"select id from %s where numar = 43", side.table).c_str());
    EXPECT_EQ(IDOK, Run(id, side.temporaryTitle, [&](HWND w) {
                  EXPECT_EQ(1, ModalDriver::ListRowCount(w, side.list));
                  ModalDriver::SetText(w, side.amount, L"100");
                  ModalDriver::ClickOnScreen(w, side.validate);
              }));
    EXPECT_DOUBLE_EQ(0, Balance(doc12));
    // Cancelled as soon as made, a new row keeps the date it showed.
    PickPartnerAndDocument(13);
    EXPECT_EQ(IDOK, Run(0, side.newTitle, [&](HWND w) {
                  ModalDriver::ClickOnScreen(w, side.pickPartner);
                  ModalDriver::SetDate(w, side.date, SYSTEMTIME{2026, 3, 0, 5, 0, 30, 0, 0});
                  ModalDriver::ClickOnScreen(w, side.cancel);
              }));
    long long shown = 1772670600 - (side.editor == EditorKind::Payment ? 7200 : 0); // 05-03-2026 00:30
    EXPECT_EQ(1, Count((L"status = 3 and data = " + std::to_wstring(shown)).c_str()));
    EXPECT_DOUBLE_EQ(80, Balance(doc13));
}

TEST_P(ReceiptsAndPayments, AStoredTemporaryRowAsksBeforeEscDiscardsResavesExactlyAsStoredAndIsNotSavedIfDeleted)
{
    // Account ids need not follow the combo's lines.
    tempDb.Exec(L"update ConturiContabile set id = id + 10 where id > 2");
    tempDb.Exec(SqlFormat(L"update ConfigFacturi set %s = 6", side.counter).c_str());
    unsigned long long id =
        AddCashRow(tempDb, side.table, {partner, 5, L" 12", 100.004, 1, kStoredDate, 0, L"OLD", L"O SUTA"});
    // Esc or the close box asks before discarding what was typed, and only then.
    boxes.Answer(IDNO);
    boxes.Answer(IDYES);
    EXPECT_EQ(IDCANCEL, Run(id, side.temporaryTitle, [&](HWND w) {
                  ModalDriver::SetText(w, side.amount, L"70");
                  SendMessageW(w, WM_CLOSE, 0, 0); // the close box: Cancel is posted
                  ModalDriver::Pump();
                  EXPECT_TRUE(IsWindowVisible(w));
                  ModalDriver::Click(w, IDCANCEL);
                  EXPECT_FALSE(IsWindowVisible(w));
              }));
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Modificarile nu au fost salvate. Renuntati la ele ?", boxes.Last().text);
    boxes.Clear();
    Run(id, side.temporaryTitle, [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(IDOK, Run(id, side.temporaryTitle, [&](HWND w) {
                      EXPECT_EQ(L"-0000005-", ModalDriver::GetText(w, side.number));
                      EXPECT_EQ(0, SendDlgItemMessageW(w, side.type, CB_GETCURSEL, 0, 0));
                      // No line chosen is not a type: the stored one stays.
                      SendDlgItemMessageW(w, side.type, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                      ModalDriver::Click(w, IDOK);
                  }));
    EXPECT_EQ(L"100.004|O SUTA|1780000000|0|OLD", Stored(L"suma || '|' || sumaStr || '|' || data || '|' || tip || "
                                                         L"'|' || serie"));
    EXPECT_EQ(6, Counter());

    Run(id, side.temporaryTitle, [&](HWND w) {
        tempDb.Exec(SqlFormat(L"delete from %s", side.table).c_str());
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
    });
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(side.gone)) << boxes.Describe();
    EXPECT_EQ(0, Count());
}

TEST_P(ReceiptsAndPayments, ThePickerOffersThePartnersOpenDocumentsOnlyAndOneOpensByIdShowingItsNewBalance)
{
    // Paid up (to less than a ban), cancelled, reversed, of the other kind; Beta's 12 too.
    const wchar_t* otherKind = std::wstring(side.documents) == L"Facturi" ? L"Niruri" : L"Facturi";
    for (cash_tests::Document closed :
         {cash_tests::Document{partner, 14, 100, 0, 2, side.documents}, {partner, 15, 100, 0.004, 2, side.documents},
          {partner, 16, 100, 100, 3, side.documents}, {partner, 17, 100, 100, 4, side.documents},
          {partner, 18, 70, 70, 2, otherKind}})
        AddDocument(tempDb, closed);
    const int picker = IDC_FACTURI_SCADENTE_LIST;
    nested.push_back({L"Facturi Nestinse", [&](HWND w) {
                          ASSERT_EQ(2, ModalDriver::ListRowCount(w, picker));
                          EXPECT_EQ(L"D'Artagnan SRL", ModalDriver::ListCell(w, picker, 1, 1));
                          // OK does not choose; the note asks for a double-click.
                          ModalDriver::SelectListRow(w, picker, 1);
                          ModalDriver::Click(w, IDOK);
                          EXPECT_TRUE(IsWindowVisible(w));
                          ModalDriver::Click(w, IDCANCEL);
                      }});
    unsigned long long id = AddCashRow(tempDb, side.table, {partner, 3, L" 13, 12", 80, 1, kStoredDate});
    g_side = &side;
    RegisterEditor(EditorKind::Document, &FakeDocumentEditor);
    Run(id, side.temporaryTitle, [&](HWND w) {
        ModalDriver::ClickOnScreen(w, side.add);
        ASSERT_EQ(2, ModalDriver::ListRowCount(w, side.list));
        ModalDriver::DoubleClickListRow(w, side.list, 1);
        EXPECT_EQ(L"  55.50", ModalDriver::ListCell(w, side.list, 1, 6));
        EXPECT_EQ(L"155.50", ModalDriver::GetText(w, side.amount));
    });
    RegisterEditor(EditorKind::Document, nullptr);
    EXPECT_EQ(doc13, g_opened);
}

// A validated row keeps what it received when one of its documents is opened
// and saved from it: nothing there is left for Esc to ask about.
TEST_P(ReceiptsAndPayments, AValidatedRowKeepsItsAmountWhenOneOfItsDocumentsIsOpenedAndSaved)
{
    ASSERT_EQ(IDOK, ValidateNew(L"150"));
    boxes.Clear();
    g_side = &side;
    RegisterEditor(EditorKind::Document, &FakeDocumentEditor);
    Run(static_cast<unsigned long long>(tempDb.Scalar((std::wstring(L"select max(id) from ") + side.table).c_str())),
        side.validatedTitle, [&](HWND w) {
            ModalDriver::DoubleClickListRow(w, side.list, 1);
            EXPECT_EQ(L"  55.50|150.00",
                      ModalDriver::ListCell(w, side.list, 1, 6) + L"|" + ModalDriver::GetText(w, side.amount));
            ModalDriver::Click(w, IDCANCEL);
        });
    RegisterEditor(EditorKind::Document, nullptr);
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

TEST_P(ReceiptsAndPayments, TheListOpensWithADatabaseShowsTheRowsFiltersAsTypedAndReloadsWheneverTheEditorCloses)
{
    g_side = &side;
    g_opened = 99;
    g_answer = 0;
    micro::qapp::QCommandTable commands;
    RegisterCashCommands(commands); // registers the real editors: the fake comes after
    RegisterEditor(side.editor, &FakeRowEditor);
    // Without a database the menu command only says so.
    micro::qapp::QCommandContext context = {nullptr, nullptr, side.command, 0};
    MyRepository closed;
    SetRepository(&closed);
    EXPECT_TRUE(commands.Execute(side.command, context));
    SetRepository(&tempDb.Db());
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message|Nu este deschis niciun fisier al societatii !", boxes.Last().caption + L"|" + boxes.Last().text);
    tempDb.Exec(L"update ConturiContabile set id = id + 10 where id > 2");
    unsigned long long first = AddCashRow(tempDb, side.table, {partner, 7, L" 3", 1234567.89, 2, kToday - 86400, 3});
    AddCashRow(tempDb, side.table, {beta, 8, L" 4", 112.5, 3, kToday, 0});
    ModalDriver driver;
    driver.When(side.table, [&](HWND w) {
        EXPECT_EQ(L"7,8", ColumnText(w, side.rows, 2));
        EXPECT_EQ(L"Validat,Anulat", ColumnText(w, side.rows, 1));
        EXPECT_EQ(L"1234567.89,112.50", ColumnText(w, side.rows, 5));
        EXPECT_EQ(L"Cec,Numerar", ColumnText(w, side.rows, 8)); // the combo's lines, whatever the ids
        const struct {
            int field;
            const wchar_t* text;
            const wchar_t* numbers;
        } cases[] = {{0, L"d'art", L"7"}, {1, L"8", L"8"}, {2, L"VALID", L"7"}, {3, L"4567.8", L"7"}};
        for (const auto& c : cases) {
            ModalDriver::SelectCombo(w, side.searchField, c.field);
            ModalDriver::SetText(w, side.searchText, c.text);
            EXPECT_EQ(c.numbers, ColumnText(w, side.rows, 2)) << testing_support::Narrow(c.text);
        }
        // The editor answered 0 but wrote a row (as a give-back closed with
        // Esc does): the list is read again, the search stays.
        ModalDriver::DoubleClickListRow(w, side.rows, 0);
        EXPECT_EQ(first, g_opened);
        EXPECT_EQ(L"7", ColumnText(w, side.rows, 2));
        ModalDriver::SetText(w, side.searchText, L"");
        EXPECT_EQ(L"7,8,20", ColumnText(w, side.rows, 2));
        g_answer = IDOK;
        ModalDriver::ClickOnScreen(w, side.addRow);
        EXPECT_EQ(0u, g_opened);
        EXPECT_EQ(L"7,8,20,20", ColumnText(w, side.rows, 2));
        // Enter keeps the list open.
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
        ModalDriver::Click(w, IDCANCEL);
    });
    commands.Execute(side.command, context);
    driver.Verify();
    RegisterEditor(side.editor, nullptr);
}
