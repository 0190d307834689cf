#include "printing/MyPrintDialog.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/files/QFiles.h"
#include "framework/gui/QImage.h"
#include "masterdata/MySocietateDialog.h"
#include "printing/PrintBackground.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/pdf/PdfExports.h"
#include "resources/resource.h"

using micro::gui::QComPtr;
using micro::qsql::QSqlError;
using micro::utils::QBuffer;

namespace {

const int kBitmapButtons[] = {IDC_TIPARIRE_LAYOUT1, IDC_TIPARIRE_LAYOUT2, IDC_TIPARIRE_LAYOUT3,
                              IDC_TIPARIRE_FUNDAL1, IDC_TIPARIRE_FUNDAL2, IDC_TIPARIRE_FUNDAL_SOCIETATE};

// A picture that decodes: only such a file may become the company background.
bool IsPicture(const QBuffer& bytes)
{
    QComPtr<IWICBitmapSource> picture;
    return !bytes.IsEmpty() &&
           SUCCEEDED(micro::gui::DecodeImageWithWic(bytes.GetData(), static_cast<UINT>(bytes.GetCount()), &picture,
                                                    1, 1));
}

} // namespace

MyPrintDialog::MyPrintDialog(HWND parent)
    : QDialog(IDD_TIPARIRE, parent), documentId(2), documentType(0), layout(FacturaLayoutFull)
{
}

MyPrintDialog::~MyPrintDialog() {}

// A shared icon is loaded once for the process and never destroyed: a private
// copy per opening was never freed.
bool MyPrintDialog::SetDialogIcon(HWND dialog)
{
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BRIVANE), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    return ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)) != 0;
}

bool MyPrintDialog::OnInitDialog()
{
    SetDialogIcon(m_hwnd);

    HWND area = GetItem(IDC_TIPARIRE_ZONA_PREVIZUALIZARE);
    WINDOWPLACEMENT placement = {sizeof(placement)};
    GetWindowPlacement(area, &placement);
    RECT client;
    GetClientRect(area, &client);
    preview.Create(this, IDC_TIPARIRE_PREVIZUALIZARE, 0);
    preview.CreateDocument(static_cast<int>(documentType), documentId);
    SetWindowPos(preview, HWND_TOP, placement.rcNormalPosition.left, placement.rcNormalPosition.top, client.right,
                 client.bottom, 0);
    // The area only marks the place (and owns the system print dialog); left
    // visible it would paint over the preview.
    ShowWindow(area, SW_HIDE);
    SetFocus(preview);

    SetButtonResource(IDC_TIPARIRE_LAYOUT1, IDJ_LAYOUT1, IDC_TIPARIRE_LAYOUT1);
    SetButtonResource(IDC_TIPARIRE_LAYOUT2, IDJ_LAYOUT2, IDC_TIPARIRE_LAYOUT1);
    SetButtonResource(IDC_TIPARIRE_LAYOUT3, IDJ_LAYOUT3, IDC_TIPARIRE_LAYOUT1);
    SetButtonResource(IDC_TIPARIRE_FUNDAL1, IDJ_FUNDAL1, IDC_TIPARIRE_FUNDAL1);
    SetButtonResource(IDC_TIPARIRE_FUNDAL2, IDJ_FUNDAL2, IDC_TIPARIRE_FUNDAL1);
    QBuffer background;
    LoadCompanyBackground(background);
    if (!background.IsEmpty())
        SetButtonPicture(IDC_TIPARIRE_FUNDAL_SOCIETATE, background.GetData(), background.GetCount(),
                         IDC_TIPARIRE_FUNDAL1);

    // Layouts 2 and 3 are for invoices only.
    if (documentType >= 1 && documentType <= 4) {
        ShowItem(IDC_TIPARIRE_LAYOUT2, false);
        ShowItem(IDC_TIPARIRE_LAYOUT3, false);
    }
    Invalidate(true);
    return QDialog::OnInitDialog();
}

// The picture scaled to the client size of `sizeButtonId` less 5 pixels each
// way; the bitmap the button held before is deleted.
void MyPrintDialog::SetButtonPicture(int buttonId, const void* bytes, int count, int sizeButtonId)
{
    RECT rc;
    GetClientRect(GetItem(sizeButtonId), &rc);
    int width = rc.right - 5 > 1 ? rc.right - 5 : 1;
    int height = rc.bottom - 5 > 1 ? rc.bottom - 5 : 1;
    QComPtr<IWICBitmapSource> picture;
    HBITMAP bitmap = nullptr;
    if (FAILED(micro::gui::DecodeImageWithWic(bytes, static_cast<UINT>(count), &picture, width, height)) ||
        FAILED(micro::gui::CreateDibFromWicBitmap(picture, &bitmap)))
        return;
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageW(m_hwnd, buttonId, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old)
        DeleteObject(old);
}

void MyPrintDialog::SetButtonResource(int buttonId, UINT pictureId, int sizeButtonId)
{
    QBuffer bytes;
    if (LoadJpgResource(pictureId, bytes))
        SetButtonPicture(buttonId, bytes.GetData(), bytes.GetCount(), sizeButtonId);
}

// The buttons do not own their pictures: they go with the dialog.
bool MyPrintDialog::OnDestroy(LRESULT& result)
{
    for (int id : kBitmapButtons) {
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(m_hwnd, id, BM_SETIMAGE, IMAGE_BITMAP, 0));
        if (old)
            DeleteObject(old);
    }
    result = 0;
    return false;
}

bool MyPrintDialog::OnNotify(UINT, NMHDR*, LRESULT& result)
{
    result = 0;
    return true;
}

bool MyPrintDialog::OnSize(UINT, int cx, int cy, LRESULT& result)
{
    result = 0;
    if (preview.GetHandle()) {
        preview.MoveWindow(150, 10, cx - 150, cy - 20);
        Repaint();
    }
    return true;
}

bool MyPrintDialog::UpdateData(bool toControls)
{
    return toControls;
}

bool MyPrintDialog::OnButton(UINT id)
{
    switch (id) {
    case IDC_TIPARIRE_PRINT: Print(); break;
    case IDC_TIPARIRE_SAVE_PDF: SavePdf(); break;
    case IDC_TIPARIRE_LAYOUT1: ChooseLayout(FacturaLayoutFull); break;
    case IDC_TIPARIRE_LAYOUT2: ChooseLayout(FacturaLayoutWithReceipt); break;
    case IDC_TIPARIRE_LAYOUT3: ChooseLayout(FacturaLayoutTwice); break;
    case IDC_TIPARIRE_GOL:
        printBackgroundChoice = PrintBackgroundNone;
        preview.ClearBackground();
        Repaint();
        break;
    case IDC_TIPARIRE_FUNDAL1:
        preview.SetBackgroundResource(IDJ_FUNDAL1);
        printBackgroundChoice = PrintBackgroundFirst;
        Repaint();
        break;
    case IDC_TIPARIRE_FUNDAL2:
        preview.SetBackgroundResource(IDJ_FUNDAL2);
        printBackgroundChoice = PrintBackgroundSecond;
        Repaint();
        break;
    case IDC_TIPARIRE_FUNDAL_SOCIETATE:
        if (!ChooseCompanyBackground())
            return false;
        break;
    case IDC_TIPARIRE_ADAUGA_FUNDAL: AddBackground(); break;
    case IDC_TIPARIRE_SCHIMBARE_LOGO: {
        MySocietateDialog company(m_hwnd);
        if (company.DoModal() != 1)
            return false;
        break;
    }
    default: return QDialog::OnButton(id);
    }
    return true;
}

void MyPrintDialog::Print()
{
    FacturaPrintJob job(documentId, static_cast<int>(documentType), layout, GetItem(IDC_TIPARIRE_ZONA_PREVIZUALIZARE));
    if (documentType == 3)
        PrintNir(job);
    else if (layout == FacturaLayoutFull)
        PrintFacturaLayout1(job);
    else if (layout == FacturaLayoutWithReceipt)
        PrintFacturaChitantaLayout2(job);
    else
        PrintFacturaLayout3(job);
    ShowWhatIsStored();
}

void MyPrintDialog::SavePdf()
{
    FacturaPrintJob job(documentId, static_cast<int>(documentType), layout, nullptr);
    if (documentType == 3)
        ExportNirPdf(job);
    else if (layout == FacturaLayoutFull)
        ExportFacturaPdfLayout1(job);
    else if (layout == FacturaLayoutWithReceipt)
        ExportFacturaChitantaPdfLayout2(job);
    else
        ExportFacturaPdfLayout3(job);
    ShowWhatIsStored();
}

// Layout 2 stores the receipt it prints (made, or brought to what is left to
// collect): the page on screen reads it again and names it as paper does.
void MyPrintDialog::ShowWhatIsStored()
{
    if (layout != FacturaLayoutWithReceipt)
        return;
    preview.ReloadDocument(static_cast<int>(documentType), documentId);
    Repaint();
}

void MyPrintDialog::ChooseLayout(int number)
{
    preview.SetModel(number);
    layout = number;
}

bool MyPrintDialog::ChooseCompanyBackground()
{
    QBuffer background;
    LoadCompanyBackground(background);
    if (background.IsEmpty())
        return false;
    preview.SetBackgroundImage(background.GetData(), background.GetCount());
    printBackgroundChoice = PrintBackgroundCompany;
    Repaint();
    return true;
}

// Stores a picture file as the company background; anything that is not a
// readable picture is refused and nothing is stored.
void MyPrintDialog::AddBackground()
{
    micro::utils::QString path;
    if (!micro::files::BrowseOpenFile(path, m_hwnd))
        return;
    QBuffer bytes;
    if (!micro::files::ReadWholeFile(path, bytes) || !IsPicture(bytes)) {
        MessageBox(L"Eroare incarcare logo!", L"Message", MB_OK);
        return;
    }
    SetButtonPicture(IDC_TIPARIRE_FUNDAL_SOCIETATE, bytes.GetData(), bytes.GetCount(), IDC_TIPARIRE_FUNDAL1);
    preview.SetBackgroundImage(bytes.GetData(), bytes.GetCount());
    try {
        micro::qsql::QsqlStatement update = GetRepository().CompileStatement(
            micro::utils::QString::Formatted(L"update Societate set                    background  = ? where id = %llu",
                                             1ULL));
        update.Bind(1, bytes.GetData(), bytes.GetCount());
        update.ExecDML();
    } catch (const QSqlError& error) {
        MessageBox(error.GetText(), L"Message", MB_OK);
        return;
    }
    Repaint();
}

void MyPrintDialog::Repaint()
{
    Invalidate(true);
    if (preview.GetHandle())
        preview.Invalidate(true);
}
