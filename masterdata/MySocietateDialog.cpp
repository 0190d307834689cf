#include "masterdata/MySocietateDialog.h"
#include "database/MyRepository.h"
#include "framework/files/QFiles.h"
#include "framework/gui/QControl.h"
#include "masterdata/CompanyTableUpgrade.h"
#include "masterdata/DatabaseMessage.h"
#include "resources/resource.h"

using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

// The text edits in the column order of the queries below.
const int kTextIds[] = {
    IDC_SOCIETATE_DENUMIRE, IDC_SOCIETATE_NRREG, IDC_SOCIETATE_CUI,   IDC_SOCIETATE_ADRESA,
    IDC_SOCIETATE_ORAS,     IDC_SOCIETATE_TELEFON, IDC_SOCIETATE_FAX, IDC_SOCIETATE_BANCA,
    IDC_SOCIETATE_CONT,     IDC_SOCIETATE_BANCA2, IDC_SOCIETATE_CONT2,
};
const int kTextCount = sizeof(kTextIds) / sizeof(kTextIds[0]);
const int kVatOnReceiptColumn = kTextCount;
const int kVatRateColumn = kTextCount + 1;
const int kFirstPictureColumn = kTextCount + 2;

const wchar_t* const kVatRates[] = {L"24%", L"9%", L"5%", L"0%"};

} // namespace

MySocietateDialog::MySocietateDialog(HWND parent) : QDialog(IDD_SOCIETATE, parent)
{
    const wchar_t* const sql[kPictureCount] = {
        L"update Societate set logo = ? where id = 1",
        L"update Societate set stampila = ? where id = 1",
        L"update Societate set background = ? where id = 1",
    };
    const int boxes[kPictureCount] = {IDC_SOCIETATE_LOGO, IDC_SOCIETATE_STAMPILA, IDC_SOCIETATE_BACKGROUND};
    const int buttons[kPictureCount] = {IDC_SOCIETATE_LOGO_BROWSE, IDC_SOCIETATE_STAMPILA_BROWSE,
                                        IDC_SOCIETATE_BACKGROUND_BROWSE};
    for (int i = 0; i < kPictureCount; ++i) {
        m_pictures[i].updateSql = sql[i];
        m_pictures[i].boxId = boxes[i];
        m_pictures[i].browseId = buttons[i];
    }
}

bool MySocietateDialog::OnInitDialog()
{
    micro::gui::QCombo rates(GetItem(IDC_SOCIETATE_COTATVA));
    for (const wchar_t* rate : kVatRates)
        rates.AddString(rate);
    rates.SetCurSel(0);
    try {
        AddMissingCompanyColumns(GetRepository());
    } catch (const QSqlError& error) {
        ShowDatabaseMessage(m_hwnd, error);
    }
    Load();
    return QDialog::OnInitDialog();
}

// A failed read ends the dialog before it opens (see OnInitDialog): an OK
// would store its empty fields over the company's data.
void MySocietateDialog::Load()
{
    micro::qsql::QsqlQuery row = GetRepository().ExecQuery(
        L"select denumire, nrreg, cui, adresa, oras, telefon, fax, banca, cont, banca2, cont2, tvaincasare, "
        L"cotaTVA, logo, stampila, background from Societate where id = 1");
    if (row.Eof())
        return;
    for (int i = 0; i < kTextCount; ++i)
        SetItemText(kTextIds[i], row.GetStringField(i).c_str());
    micro::gui::QButton(GetItem(IDC_SOCIETATE_TVAINCASARE)).SetCheck(row.GetIntField(kVatOnReceiptColumn) != 0);
    long long rate = row.GetIntField(kVatRateColumn);
    micro::gui::QCombo(GetItem(IDC_SOCIETATE_COTATVA)).SetCurSel(rate >= 0 && rate <= 3 ? static_cast<int>(rate) : 0);
    LoadPictures(row, kFirstPictureColumn);
}

void MySocietateDialog::LoadPictures(micro::qsql::QsqlQuery& row, int firstColumn)
{
    for (int i = 0; i < kPictureCount; ++i) {
        Picture& picture = m_pictures[i];
        int size = 0;
        const unsigned char* blob = row.GetBlobField(firstColumn + i, size);
        picture.bytes.Clear();
        picture.bytes.Append(blob, size);
        picture.changed = false;
        ShowPicture(picture); // a stored picture that no longer decodes just shows nothing
    }
}

bool MySocietateDialog::ShowPicture(Picture& picture)
{
    HWND box = GetItem(picture.boxId);
    RECT area;
    GetClientRect(box, &area);
    bool shown = picture.preview.Load(picture.bytes.GetData(), picture.bytes.GetCount(), area.right - 2, area.bottom - 2);
    InvalidateRect(box, nullptr, TRUE);
    return shown;
}

bool MySocietateDialog::OnButton(UINT id)
{
    for (Picture& picture : m_pictures) {
        if (static_cast<int>(id) == picture.browseId) {
            ChoosePicture(picture);
            return true;
        }
    }
    return QDialog::OnButton(id);
}

void MySocietateDialog::ChoosePicture(Picture& picture)
{
    QString path;
    if (!micro::files::BrowseOpenFile(path, m_hwnd))
        return;
    micro::utils::QBuffer bytes;
    PictureCheck check = ReadPictureFile(path.c_str(), bytes);
    if (check == PictureCheck::Ok) {
        PicturePreview probe; // the header can look right while the content is broken
        if (!probe.Load(bytes.GetData(), bytes.GetCount(), 64, 64))
            check = PictureCheck::NotAPicture;
    }
    switch (check) {
    case PictureCheck::Ok:
        picture.bytes = bytes;
        picture.changed = true;
        ShowPicture(picture);
        return;
    case PictureCheck::TooLarge:
        MessageBox(L"Imaginea aleasa este prea mare !\nAlegeti o imagine de cel mult 5 MB si 4096 x 4096 pixeli.",
                   L"Message", MB_OK | MB_ICONEXCLAMATION);
        return;
    case PictureCheck::Unreadable:
        MessageBox(L"Fisierul ales nu poate fi citit !", L"Message", MB_OK | MB_ICONEXCLAMATION);
        return;
    default:
        MessageBox(L"Fisierul ales nu este o imagine PNG sau JPEG !", L"Message", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
}

void MySocietateDialog::OnOK()
{
    if (Save())
        EndDialog(IDOK);
}

// One transaction: the text columns and every newly chosen picture, or nothing.
bool MySocietateDialog::Save()
{
    QString text[kTextCount];
    for (int i = 0; i < kTextCount; ++i)
        text[i] = GetItemText(kTextIds[i]);
    int vatOnReceipt = micro::gui::QButton(GetItem(IDC_SOCIETATE_TVAINCASARE)).IsChecked() ? 1 : 0;
    int rate = micro::gui::QCombo(GetItem(IDC_SOCIETATE_COTATVA)).GetCurSel();
    try {
        MyRepository& db = GetRepository();
        micro::qsql::QsqlTransaction transaction(db);
        if (db.ExecScalar(L"select count(*) from Societate where id = 1") == 0)
            db.ExecDML(L"insert into Societate (id) values (1)");
        db.ExecDML(micro::qsql::SqlFormat(
                       L"update Societate set denumire = '%s', nrreg = '%s', cui = '%s', adresa = '%s', oras = '%s', "
                       L"telefon = '%s', fax = '%s', banca = '%s', cont = '%s', banca2 = '%s', cont2 = '%s', "
                       L"tvaincasare = %d, cotaTVA = %d where id = 1",
                       text[0].c_str(), text[1].c_str(), text[2].c_str(), text[3].c_str(), text[4].c_str(),
                       text[5].c_str(), text[6].c_str(), text[7].c_str(), text[8].c_str(), text[9].c_str(),
                       text[10].c_str(), vatOnReceipt, rate < 0 ? 0 : rate)
                       .c_str());
        for (const Picture& picture : m_pictures) {
            if (!picture.changed)
                continue;
            micro::qsql::QsqlStatement update = db.CompileStatement(picture.updateSql);
            update.Bind(1, picture.bytes.GetData(), picture.bytes.GetCount());
            update.ExecDML();
        }
        transaction.Commit();
    } catch (const QSqlError& error) {
        ShowDatabaseMessage(m_hwnd, error);
        return false;
    }
    for (Picture& picture : m_pictures)
        picture.changed = false;
    return true;
}

bool MySocietateDialog::OnDrawItem(UINT id, DRAWITEMSTRUCT* item, LRESULT& result)
{
    for (const Picture& picture : m_pictures) {
        if (static_cast<int>(id) != picture.boxId)
            continue;
        FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
        picture.preview.Draw(item->hDC, item->rcItem);
        result = TRUE;
        return true;
    }
    return QDialog::OnDrawItem(id, item, result);
}
