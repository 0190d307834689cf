#include "printing/receipts/MyPrintChitanteDialog.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/gui/QImage.h"
#include "printing/AmountToWords.h"
#include "printing/PrintHelpers.h"
#include "printing/receipts/ChitantaPdf.h"
#include "printing/receipts/PrintChitanta.h"
#include "resources/resource.h"

using micro::gui::QComPtr;
using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

const UINT kThumbnailWidth = 114;
const UINT kThumbnailHeight = 156;

// Model buttons and their pictures: model 1, 2, 3.
struct Thumbnail {
    int button;
    UINT picture;
};
const Thumbnail kThumbnails[] = {{IDC_TIPARIRE_LAYOUT1, IDJ_CHITANTA_MODEL1},
                                 {IDC_TIPARIRE_LAYOUT2, IDJ_CHITANTA_MODEL2},
                                 {IDC_TIPARIRE_LAYOUT3, IDJ_CHITANTA_MODEL3}};

QString TextOf(const QsqlQuery& q, int column)
{
    return q.FieldIsNull(column) ? QString() : q.GetStringField(column);
}

void AppendBlob(const QsqlQuery& q, int column, micro::utils::QBuffer& out)
{
    if (q.FieldIsNull(column))
        return;
    int size = 0;
    const unsigned char* bytes = q.GetBlobField(column, size);
    if (bytes && size > 0)
        out.Append(bytes, size);
}

} // namespace

MyPrintChitanteDialog::MyPrintChitanteDialog(HWND parent)
    : QDialog(IDD_TIPARIRE, parent), preview(nullptr), model(ChitantaTwoCopies), clientId(0)
{
    clientAdresa = L" ";
    sumaInLitere = AmountToWords(0);
}

MyPrintChitanteDialog::~MyPrintChitanteDialog()
{
    delete preview;
}

void MyPrintChitanteDialog::SetAmount(double amount)
{
    suma.Format(L"%.2f", amount);
    sumaInLitere = AmountToWords(amount);
}

// Reading the company, the client and the series each stand alone: a
// database error in one is shown and the others still fill the receipt.
bool MyPrintChitanteDialog::OnInitDialog()
{
    PlacePreview();
    ConfigureDefaultPrinter();
    SetThumbnails();
    ReadCompany();
    ReadClient();
    ReadSeries();
    HandDataToPreview();
    Invalidate(true);
    return QDialog::OnInitDialog();
}

// Over the template's preview area, at its place and client size.
void MyPrintChitanteDialog::PlacePreview()
{
    preview = new MyChitantePrewiev;
    preview->firstPaint = 1;
    HWND area = GetItem(IDC_TIPARIRE_ZONA_PREVIZUALIZARE);
    WINDOWPLACEMENT placement = {sizeof(placement)};
    GetWindowPlacement(area, &placement);
    RECT client = {0, 0, 0, 0};
    GetClientRect(area, &client);
    preview->Create(this, IDC_TIPARIRE_PREVIZUALIZARE, 0);
    SetWindowPos(*preview, HWND_TOP, placement.rcNormalPosition.left, placement.rcNormalPosition.top, client.right,
                 client.bottom, SWP_NOREDRAW);
    // The area only marks the place; left visible it would paint over the
    // preview.
    ShowWindow(area, SW_HIDE);
    SetFocus(*preview);
}

void MyPrintChitanteDialog::SetThumbnails()
{
    for (const Thumbnail& t : kThumbnails) {
        QComPtr<IWICBitmapSource> picture;
        HBITMAP bitmap = nullptr;
        if (FAILED(micro::gui::LoadImageResource(t.picture, L"JPG", &picture, kThumbnailWidth, kThumbnailHeight)) ||
            FAILED(micro::gui::CreateDibFromWicBitmap(picture, &bitmap)))
            continue;
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
            SendDlgItemMessageW(m_hwnd, t.button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
        if (old)
            DeleteObject(old);
    }
}

void MyPrintChitanteDialog::ReadCompany()
{
    try {
        QsqlQuery q = GetRepository().ExecQuery(QString::Formatted(
            L"select id   , denumire     , nrreg        , cui          , adresa       , oras         , logo         , "
            L"stampila       From Societate where id = %llu",
            1ULL));
        if (q.Eof())
            return;
        firmaDenumire = TextOf(q, 1);
        firmaNrReg = TextOf(q, 2);
        firmaCui = TextOf(q, 3);
        firmaAdresa = TextOf(q, 4);
        firmaOras = TextOf(q, 5);
        AppendBlob(q, 6, logo);
        AppendBlob(q, 7, stampila);
    } catch (const micro::utils::QError& error) {
        MessageBox(error.GetText(), L"Error", MB_OK | MB_ICONERROR);
    } catch (const QSqlError& error) {
        MessageBox(error.GetText(), L"Message", MB_OK);
    }
}

void MyPrintChitanteDialog::ReadClient()
{
    if (clientId == 0)
        return;
    try {
        QsqlQuery q = GetRepository().ExecQuery(QString::Formatted(
            L"select id    , Nume         , Cod          , NrReg        , Adresa       , Oras          from  Clienti "
            L"     where id = %llu",
            clientId));
        if (q.Eof())
            return;
        clientNume = TextOf(q, 1);
        clientCod = TextOf(q, 2);
        clientNrReg = TextOf(q, 3);
        clientAdresa = TextOf(q, 4);
        clientOras = TextOf(q, 5);
    } catch (const QSqlError& error) {
        MessageBox(error.GetText(), L"Message", MB_OK);
    }
}

void MyPrintChitanteDialog::ReadSeries()
{
    if (!serieChit.IsEmpty())
        return;
    try {
        GetDocumentSeries(serieChit, 2);
    } catch (const QSqlError& error) {
        MessageBox(error.GetText(), L"Message", MB_OK);
    }
}

void MyPrintChitanteDialog::HandDataToPreview()
{
    preview->logo.Clear();
    preview->logo.AppendBuffer(logo);
    preview->stampila.Clear();
    preview->stampila.AppendBuffer(stampila);
    static_cast<ChitantaTexts&>(*preview) = *this;
}

bool MyPrintChitanteDialog::OnButton(UINT id)
{
    switch (id) {
    case IDC_TIPARIRE_PRINT: Print(); return true;
    case IDC_TIPARIRE_SAVE_PDF: SavePdf(); return true;
    case IDC_TIPARIRE_LAYOUT1: ChooseModel(ChitantaTwoCopies); return true;
    case IDC_TIPARIRE_LAYOUT2: ChooseModel(ChitantaThreeCopies); return true;
    case IDC_TIPARIRE_LAYOUT3: ChooseModel(ChitantaOneCopy); return true;
    case IDOK:
    case IDCANCEL:
    case IDHELP: QDialog::OnButton(id); return true;
    default: return true;   // the template's other buttons do nothing here
    }
}

void MyPrintChitanteDialog::ChooseModel(int chosen)
{
    model = chosen;
    if (!preview)
        return;
    preview->model = chosen;
    SetFocus(*preview);
    preview->Invalidate(true);
}

void MyPrintChitanteDialog::Print()
{
    if (model == ChitantaTwoCopies)
        PrintChitantaModel1(*this);
    else if (model == ChitantaThreeCopies)
        PrintChitantaModel2(*this);
    else if (model == ChitantaOneCopy)
        PrintChitantaModel3(*this);
}

void MyPrintChitanteDialog::SavePdf()
{
    if (model == ChitantaTwoCopies)
        ExportChitantaPdfModel1(*this);
    else if (model == ChitantaThreeCopies)
        ExportChitantaPdfModel2(*this);
    else if (model == ChitantaOneCopy)
        ExportChitantaPdfModel3(*this);
}

// The buttons do not own their pictures: they go with the dialog.
bool MyPrintChitanteDialog::OnDestroy(LRESULT& result)
{
    for (const Thumbnail& t : kThumbnails) {
        HGDIOBJ old =
            reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(m_hwnd, t.button, BM_SETIMAGE, IMAGE_BITMAP, 0));
        if (old)
            DeleteObject(old);
    }
    result = 0;
    return false;
}
