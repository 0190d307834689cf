// Saving a document and writing its reversing invoice.
#include "documents/MyFacturiDialog.h"
#include "documents/MyFacturiInternal.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "resources/resource.h"
#include <algorithm>
#include <vector>

using micro::qsql::QsqlQuery;
using micro::qsql::QsqlTransaction;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;
using micro::utils::QString;
using namespace facturi_editor;

namespace {

struct StoredLine {
    unsigned long long product;
    double quantity;
    double price;
};

// A repository write refused in throwing mode throws; one that answers
// failure anyway still ends the unit.
void Require(bool written)
{
    if (!written)
        throw QSqlError(QSqlError::kWrapperError, L"Database write failed");
}

} // namespace

// One transaction: every check first, then company, user, partner, delegate,
// header (under the reserved id), lines and counters together. Any failure
// rolls everything back and is shown once.
bool MyFacturiDialog::SaveDocument()
{
    if (GetItemText(IDC_FE_COMPANY_NAME).IsEmpty()) {
        MessageBox(L"Nu ati introdus furnizorul !", L"Message", MB_OK);
        return false;
    }
    QString partnerName = GetItemText(IDC_FE_CLIENT_NAME);
    if (partnerName.IsEmpty()) {
        MessageBox(L"Nu ati introdus clientul !", L"Message", MB_OK);
        return false;
    }
    bool insert = id == 0 || documentNou != 0;
    // What the series field shows is what is stored; a stored document's field is read-only.
    QString series = insert ? GetItemText(IDC_FE_SERIES) : serie;
    if (tip == DocumentGoodsReceived) {
        series = GetItemText(IDC_FE_SUPPLIER_INVOICE);
        if (series.IsEmpty()) {
            MessageBox(L"Nu ati introdus numarul facturii", L"Atentie", MB_OK);
            HWND field = GetItem(IDC_FE_SUPPLIER_INVOICE);
            ::SendMessageW(field, EM_SETSEL, 0, -1);
            ::SendMessageW(field, EM_SCROLLCARET, 0, 0);
            SetFocus(field);
            return false;
        }
    }
    unsigned long long issueDate = DayOf(GetPicker(IDC_FE_ISSUE_DATE));
    unsigned long long dueDate = DayOf(GetPicker(IDC_FE_DUE_DATE));
    if (!stornat && !StockAllowsSave(status != StatusCancelled && status != StatusReversed))
        return false;

    std::vector<StoredLine> lines;
    double net = 0.0, vat = 0.0, total = 0.0;
    for (int row = 0; row < nrLinii; ++row) {
        StoredLine line;
        line.product = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(row, ColId)));
        line.quantity = RowQuantity(row);
        line.price = RowPrice(row);
        lines.push_back(line);
        net += ItemNumber(row, ColNet);
        vat += ItemNumber(row, ColVat);
        total += ItemNumber(row, ColGross);
    }

    MyRepository& db = GetRepository();
    unsigned long long partner = 0, delegate = 0, stored = 0;
    double balance = 0.0;
    std::vector<std::pair<unsigned long long, unsigned long long>> givenIds;
    bool nested = db.InTransaction();
    try {
        QsqlTransaction transaction(db);
        MyRepository::ThrowErrors throwing(db);
        // The products of the lines go in with the document.
        WritePendingProducts(givenIds);
        for (size_t row = 0; row < lines.size(); ++row)
            lines[row].product = GivenProductId(static_cast<int>(row), lines[row].product, givenIds);
        QsqlQuery company = db.ExecQuery(
            L"Select   Denumire ,cui,nrreg,Adresa,Oras,Telefon,Banca,Cont,tvaincasare,cotaTVA from Societate where id = 1");
        int vatOnReceipt = IsDlgButtonChecked(m_hwnd, IDC_FE_VAT_ON_RECEIPT) == BST_CHECKED ? 1 : 0;
        // The editor offers no control for the company's VAT code: the stored one stays.
        long long companyVat = cotaTVASocietate < 0 ? 0 : cotaTVASocietate;
        if (!company.Eof()) {
            if (tvaIncasareAfisat < 0 || vatOnReceipt == tvaIncasareAfisat)
                vatOnReceipt = company.GetIntField(8) == 1 ? 1 : 0;
            companyVat = company.GetIntField(9);
        }
        Require(db.UpdateCompanyFromDocument(
            KeptText(IDC_FE_COMPANY_NAME, company, 0), KeptText(IDC_FE_COMPANY_CIF, company, 1),
            KeptText(IDC_FE_COMPANY_NRREG, company, 2), KeptText(IDC_FE_COMPANY_ADDRESS, company, 3),
            KeptText(IDC_FE_COMPANY_CITY, company, 4), KeptText(IDC_FE_COMPANY_PHONE, company, 5),
            KeptText(IDC_FE_COMPANY_BANK, company, 6), KeptText(IDC_FE_COMPANY_IBAN, company, 7),
            static_cast<unsigned long long>(vatOnReceipt), static_cast<unsigned long long>(companyVat)));
        company.Finalize();
        Require(db.UpdateUserIdentity(GetItemText(IDC_FE_USER_NAME), GetItemText(IDC_FE_USER_ID),
                                      GetItemText(IDC_FE_USER_CNP)));
        QsqlQuery known = db.ExecQuery(SqlFormat(L"Select Cod, NrReg, Adresa, Oras, Telefon, Banca, Cont from Clienti "
                                                 L"where Nume = '%s' order by id limit 1",
                                                 partnerName.c_str())
                                           .c_str());
        partner = db.SaveClient(0, partnerName, KeptText(IDC_FE_CLIENT_CIF, known, 0),
                                KeptText(IDC_FE_CLIENT_NRREG, known, 1), KeptText(IDC_FE_CLIENT_ADDRESS, known, 2),
                                KeptText(IDC_FE_CLIENT_CITY, known, 3), KeptText(IDC_FE_CLIENT_PHONE, known, 4),
                                KeptText(IDC_FE_CLIENT_BANK, known, 5), KeptText(IDC_FE_CLIENT_IBAN, known, 6));
        known.Finalize();
        if (partner == 0) {
            MessageBox(L"Nu ati introdus clientu", L"Atentie", MB_OK);
            return false;
        }
        QString delegateName = GetItemText(IDC_FE_DELEGATE_NAME);
        if (!delegateName.Trim().IsEmpty()) {
            QsqlQuery agentRow = db.ExecQuery(SqlFormat(L"select serie, eliberat, auto from Agenti where numeAgent = "
                                                        L"'%s' order by id limit 1",
                                                        GetItemText(IDC_FE_DELEGATE_NAME).c_str())
                                                  .c_str());
            QString series = KeptText(IDC_FE_DELEGATE_ID, agentRow, 0);
            QString issued = KeptText(IDC_FE_DELEGATE_ISSUED, agentRow, 1);
            QString vehicle = KeptText(IDC_FE_DELEGATE_CAR, agentRow, 2);
            agentRow.Finalize();
            delegate = db.SaveAgent(GetItemText(IDC_FE_DELEGATE_NAME), series, issued, vehicle);
            Require(delegate != 0);
        }

        // What was already paid stays paid; a cancelled or reversed document owes nothing.
        if (stornat || status == StatusCancelled || status == StatusReversed) {
            balance = 0.0;
        } else if (insert) {
            balance = total;
        } else {
            QsqlQuery old = db.ExecQuery(
                SqlFormat(L"select valoareTTI, sold from '%s' where id = %llu", DocumentHeaderTable(tip), id).c_str());
            double paid = old.Eof() ? 0.0 : old.GetFloatField(0, 0.0) - old.GetFloatField(1, 0.0);
            // Between 0 and the total, whichever sign the total has (a
            // return invoice's total and balance are negative).
            balance = std::min(std::max(total - paid, std::min(0.0, total)), std::max(0.0, total));
        }

        Require(db.SaveDocumentHeader(tip, insert ? idRezervat : id, insert, static_cast<long long>(status),
                                      static_cast<long long>(numar), partner, static_cast<long long>(issueDate),
                                      static_cast<long long>(dueDate), agent, delegate, net, vat, total, balance,
                                      series, &stored));
        Require(db.DeleteDocumentItems(tip, stored));
        for (const StoredLine& line : lines)
            Require(db.InsertDocumentItem(tip, line.product, line.quantity, line.price, stored));
        transaction.Commit();
    } catch (const QSqlError& e) {
        MessageBox(e.GetText(), L"Message", MB_OK);
        return false;
    }
    if (nested)
        idsInOuterSave = givenIds;
    else
        PendingProductsWritten(givenIds);

    client = partner;
    delegat = delegate;
    dataCreare = issueDate;
    dataScadenta = dueDate;
    serie = series;
    valoareFT = net;
    valoareTVA = vat;
    valoareTTI = total;
    sold = balance;
    idRezervat = stored;
    documentNou = 0;
    salvat = true;
    // What the editor shows is now what is stored.
    static const int groups[] = {IDC_FE_CLIENT_CIF,     IDC_FE_CLIENT_NRREG,   IDC_FE_CLIENT_ADDRESS,  IDC_FE_CLIENT_CITY,
                                 IDC_FE_CLIENT_PHONE,   IDC_FE_CLIENT_BANK,    IDC_FE_CLIENT_IBAN,     IDC_FE_DELEGATE_ID,
                                 IDC_FE_DELEGATE_ISSUED, IDC_FE_DELEGATE_CAR,  IDC_FE_COMPANY_NAME,    IDC_FE_COMPANY_CIF,
                                 IDC_FE_COMPANY_NRREG,  IDC_FE_COMPANY_ADDRESS, IDC_FE_COMPANY_CITY,   IDC_FE_COMPANY_PHONE,
                                 IDC_FE_COMPANY_BANK,   IDC_FE_COMPANY_IBAN};
    RememberShown(groups, sizeof(groups) / sizeof(groups[0]));
    return true;
}

void MyFacturiDialog::RememberShown(const int* controls, int count)
{
    for (int i = 0; i < count; ++i)
        shownTexts[controls[i]] = GetItemText(controls[i]);
}

// The field as typed when the user changed it in this editor, the stored
// value otherwise (the field may never have been filled, or another dialog
// may have changed the row since).
QString MyFacturiDialog::KeptText(int control, const QsqlQuery& stored, int column) const
{
    QString text = GetItemText(control);
    auto shown = shownTexts.find(control);
    bool changed = !(text == (shown == shownTexts.end() ? QString() : shown->second));
    if (changed || stored.Eof())
        return text;
    return stored.GetStringField(column);
}

bool MyFacturiDialog::StockAllowsSave(bool linesCount)
{
    bool received = tip == DocumentGoodsReceived;
    if (!received && tip != DocumentInvoice && tip != DocumentReturnInvoice)
        return true;
    if (!received && linesCount)
        return true;
    bool stored = id != 0 && !documentNou;
    StockTally tally(static_cast<long long>(DayOf(GetPicker(IDC_FE_ISSUE_DATE))),
                     received ? StockSourceReceived : StockSourceInvoice, stored ? id : 0);
    int refused = -1;
    if (!linesCount) {
        refused = tally.TakeNothingForOwnLines();
    } else {
        for (int row = 0; row < nrLinii && refused < 0; ++row) {
            unsigned long long product = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(row, ColId)));
            if (ProductHoldsStock(product) && !tally.Take(product, -RowQuantity(row)))
                refused = row;
        }
    }
    if (refused < 0)
        return true;
    QString name = refused < nrLinii ? listaArticole.GetItemText(refused, ColName) : QString();
    MessageBox(QString::Formatted(L"La linia %d, ", refused + 1) + name + L"\nCantitate Insufucienta in stoc !",
               L"Message", MB_OK);
    return false;
}

// The reversing invoice: negated quantities at the listed prices, negated
// totals, status 4, balance 0, the next invoice number; all or nothing.
bool MyFacturiDialog::CreateStornoInvoice()
{
    MyRepository& db = GetRepository();
    double net = 0.0, vat = 0.0, total = 0.0;
    try {
        QsqlTransaction transaction(db);
        unsigned long long newId = static_cast<unsigned long long>(db.ExecScalar(L"Select MAX(id) from Facturi")) + 1;
        unsigned long long n = static_cast<unsigned long long>(GetInvoiceConfigValue(8)) + 1;
        for (int row = 0; row < nrLinii; ++row) {
            unsigned long long product = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(row, ColId)));
            net += ItemNumber(row, ColNet);
            vat += ItemNumber(row, ColVat);
            total += ItemNumber(row, ColGross);
            db.ExecDML(SqlFormat(L"insert into ArticoleFacturi values ( NULL , %llu , %f , %f , %llu )", product,
                                 -RowQuantity(row), RowPrice(row), newId)
                           .c_str());
        }
        db.ExecDML(SqlFormat(L"insert into Facturi values ( %llu ,   %llu  ,   %llu ,   %llu  ,   %llu ,   %llu ,   "
                             L"%llu  ,   %llu  ,   %f  ,   %f  ,   %f  ,   %.2f , '%s' ) ",
                             newId, 4ULL, n, client, dataCreare, dataScadenta, agent, delegat, -net, -vat, -total,
                             0.0, serie.c_str())
                       .c_str());
        db.ExecDML(SqlFormat(L"update ConfigFacturi set numarFactura = max(numarFactura, %llu) where id = %llu ", n,
                             1ULL)
                       .c_str());
        db.ExecDML(SqlFormat(L"update iduri set idFactura = max(idFactura, %llu) where id = %llu ", newId, 1ULL).c_str());
        transaction.Commit();
        idStorno = newId;
    } catch (const QSqlError& e) {
        MessageBox(e.GetText(), L"Message", MB_OK);
        return false;
    }
    valoareFT = net;
    valoareTVA = vat;
    valoareTTI = total;
    return true;
}
