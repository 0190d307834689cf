#include "masterdata/MyConfigFacturiDialog.h"
#include "database/MyRepository.h"
#include "masterdata/DatabaseMessage.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"

using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

// The edits in the column order of the queries below.
struct Field {
    int id;
    bool number;
};
const Field kFields[] = {
    {IDC_CONFIG_SERIE_FACTURI, false}, {IDC_CONFIG_NUMAR_FACTURA, true}, {IDC_CONFIG_NUMAR_PROFORMA, true},
    {IDC_CONFIG_NUMAR_NIR, true},      {IDC_CONFIG_SERIE_CHIT, false},   {IDC_CONFIG_NUMAR_CHIT, true},
    {IDC_CONFIG_SERIE_PLATI, false},   {IDC_CONFIG_NUMAR_PLATI, true},
};
const int kFieldCount = sizeof(kFields) / sizeof(kFields[0]);

} // namespace

MyConfigFacturiDialog::MyConfigFacturiDialog() : QDialog(IDD_CONFIG_FACTURI, nullptr) {}

bool MyConfigFacturiDialog::OnInitDialog()
{
    Load();
    return QDialog::OnInitDialog();
}

// A failed read ends the dialog before it opens (see OnInitDialog): fields
// left empty would be taken for counters to store.
void MyConfigFacturiDialog::Load()
{
    micro::qsql::QsqlQuery row = GetRepository().ExecQuery(
        L"select serie_facturi, numarFactura, numarProforma, numarNir, serie_chit, numarChit, seriePlati, "
        L"numarPlati from ConfigFacturi where id = 1");
    for (int i = 0; i < kFieldCount && !row.Eof(); ++i) {
        QString text = kFields[i].number ? QString::Formatted(L"%lld", row.GetIntField(i)) : row.GetStringField(i);
        SetItemText(kFields[i].id, text.c_str());
    }
}

void MyConfigFacturiDialog::OnOK()
{
    unsigned long long numbers[kFieldCount] = {};
    for (int i = 0; i < kFieldCount; ++i) {
        // Each counter is the last number given: the next one must still be a number.
        if (kFields[i].number &&
            (!ParseCounter(GetItemText(kFields[i].id).c_str(), numbers[i]) || numbers[i] >= kLargestCounter)) {
            MessageBox(L"Numarul introdus nu este valid !\nIntroduceti un numar intreg intre 0 si 2 147 483 646 .",
                       L"Atentie", MB_OK | MB_ICONEXCLAMATION);
            HWND edit = GetItem(kFields[i].id);
            SetFocus(edit);
            ::SendMessageW(edit, EM_SETSEL, 0, -1);
            return;
        }
    }
    if (Store(numbers))
        EndDialog(IDOK);
}

// One transaction: the row is updated, or created when an older file lacks it.
bool MyConfigFacturiDialog::Store(const unsigned long long* number)
{
    QString text[kFieldCount];
    for (int i = 0; i < kFieldCount; ++i)
        text[i] = GetItemText(kFields[i].id);
    try {
        MyRepository& db = GetRepository();
        micro::qsql::QsqlTransaction transaction(db);
        if (db.ExecScalar(L"select count(*) from ConfigFacturi where id = 1") == 0)
            db.ExecDML(L"insert into ConfigFacturi (id, perioadaPreluare) values (1, 30)");
        db.ExecDML(micro::qsql::SqlFormat(
                       L"update ConfigFacturi set serie_facturi = '%s', numarFactura = %llu, numarProforma = %llu, "
                       L"numarNir = %llu, serie_chit = '%s', numarChit = %llu, seriePlati = '%s', numarPlati = %llu "
                       L"where id = 1",
                       text[0].c_str(), number[1], number[2], number[3], text[4].c_str(), number[5], text[6].c_str(),
                       number[7])
                       .c_str());
        transaction.Commit();
        return true;
    } catch (const QSqlError& error) {
        ShowDatabaseMessage(m_hwnd, error);
        return false;
    }
}
