// Saving a document and writing its reversing invoice.
#include "documents/MyFacturiDialog.h"
#include "documents/MyFacturiInternal.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "printing/InvoiceReceiptRow.h"
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

// A repository write refused in throwing mode throws; one that answers
// failure anyway still ends the unit.
void Require(bool written)
{
    if (!written)
        throw QSqlError(QSqlError::kWrapperError, L"Database write failed");
}

} // namespace

// Why a new document cannot take number in series: another stored document of
// its table holds them already (a NIR's series is its supplier's invoice, so
// its number alone counts). Empty when the number is free.
QString facturi_editor::NumberTakenText(int tip, const QString& series, unsigned long long number,
                                        unsigned long long reservedId)
{
    static const wchar_t* const kinds[] = {L"Factura", L"Proforma", L"Avizul", L"NIR-ul", L"Factura"};
    bool nir = tip == DocumentGoodsReceived;
    QString sql = nir ? SqlFormat(L"select serie from '%s' where numar = %llu and id <> %llu limit 1",
                                  DocumentHeaderTable(tip), number, reservedId)
                      : SqlFormat(L"select serie from '%s' where numar = %llu and coalesce(serie, '') = '%s' and "
                                  L"id <> %llu limit 1",
                                  DocumentHeaderTable(tip), number, series.c_str(), reservedId);
    if (GetRepository().ExecQuery(sql).Eof())
        return QString();
    QString name = nir || series.IsEmpty() ? QString() : series + L" ";
    return QString(kinds[IsValidDocumentType(tip) ? tip : 0]) + L" " + name + QString::Formatted(L"%llu", number) +
           L" exista deja: alegeti alt numar din Configurare Facturi !";
}

const settlement::DocumentTable* facturi_editor::SettledTable(int tip)
{
    if (tip == DocumentInvoice || tip == DocumentReturnInvoice)
        return &settlement::kInvoices;
    return tip == DocumentGoodsReceived ? &settlement::kGoodsReceived : nullptr;
}

QString facturi_editor::SettledText(int tip, unsigned long long number, long long takenBani,
                                    const std::vector<settlement::LiveAllocation>& owners)
{
    bool nir = tip == DocumentGoodsReceived;
    QString text = QString::Formatted(nir ? L"NIR-ul %llu este platit cu %.2f" : L"Factura %llu este incasata cu %.2f",
                                      number, settlement::FromBani(takenBani));
    for (size_t i = 0; i < owners.size(); ++i) {
        bool payment = owners[i].source == settlement::Source::Payment;
        text += QString(i ? L", " : L" prin ") + (payment ? L"plata " : L"chitanta ") + owners[i].series +
                QString::Formatted(L" %llu", owners[i].number);
    }
    return text;
}

// One transaction: every check first, then company, user, partner, delegate,
// header (under the reserved id), lines and counters together. Any failure
// rolls everything back and is shown once.
bool MyFacturiDialog::SaveDocument()
{
    // A name of blanks names no one; any other is stored as typed. Each
    // refusal names the box as the editor titles it for the type.
    bool nir = tip == DocumentGoodsReceived;
    if (GetItemText(IDC_FE_COMPANY_NAME).Trim().IsEmpty()) {
        MessageBox(nir ? L"Nu ati introdus datele unitatii in caseta \"Unitatea\" !" : L"Nu ati introdus furnizorul !",
                   L"Message", MB_OK);
        return false;
    }
    QString partnerName = GetItemText(IDC_FE_CLIENT_NAME);
    if (QString(partnerName).Trim().IsEmpty()) {
        MessageBox(nir ? L"Nu ati introdus furnizorul in caseta \"Furnizor\" !" : L"Nu ati introdus clientul !",
                   L"Message", MB_OK);
        return false;
    }
    bool insert = id == 0 || documentNou != 0;
    // What the series field shows is what is stored; a stored document's field is read-only.
    QString series = insert ? GetItemText(IDC_FE_SERIES) : serie;
    if (nir) {
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
    // A stored document keeps its number; a new one may not take one held already.
    QString numberTaken = insert ? NumberTakenText(tip, series, numar, idRezervat) : QString();
    if (!numberTaken.IsEmpty()) {
        MessageBox(numberTaken, L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!LinesCanBeStored(!insert && status == StatusCancelled) || !TotalKeepsKind())
        return false;
    unsigned long long issueDate = DayOf(GetPicker(IDC_FE_ISSUE_DATE));
    unsigned long long dueDate = DayOf(GetPicker(IDC_FE_DUE_DATE));
    // A due date before the issue date is never stored; a document stored so
    // before this rule, saved again with its dates as they were, keeps them.
    bool datesAsStored = !insert && issueDate == DayOf(dataCreare) && dueDate == DayOf(dataScadenta);
    if (dueDate < issueDate && !datesAsStored) {
        MessageBox(L"Data scadenta nu poate fi inaintea datei documentului !", L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetItem(IDC_FE_DUE_DATE));
        return false;
    }
    // A reversed document's lines still count, netted by its reversal's:
    // only a cancel takes them out.
    if (!stornat && !StockAllowsSave(status != StatusCancelled))
        return false;

    double net = 0.0, vat = 0.0, total = 0.0;
    std::vector<StoredLine> lines = StoredLines(net, vat, total);

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
        for (size_t row = 0; row < lines.size(); ++row) {
            lines[row].product = GivenProductId(static_cast<int>(row), lines[row].product, givenIds);
            // A line written without a VAT code keeps the one it shows when its product has just taken another.
            int shown = RowVatCode(static_cast<int>(row));
            if (lines[row].vatCode < 0 && lines[row].product != 0 && GetProductIntField(lines[row].product, 3) != shown)
                lines[row].vatCode = shown;
        }
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
        // Among namesakes the partner the document names is the one meant.
        QsqlQuery known = db.ExecQuery(SqlFormat(L"Select Cod, NrReg, Adresa, Oras, Telefon, Banca, Cont from Clienti "
                                                 L"where Nume = '%s' order by id <> %llu, id limit 1",
                                                 partnerName.c_str(), client)
                                           .c_str());
        partner = db.SaveClient(0, partnerName, KeptText(IDC_FE_CLIENT_CIF, known, 0),
                                KeptText(IDC_FE_CLIENT_NRREG, known, 1), KeptText(IDC_FE_CLIENT_ADDRESS, known, 2),
                                KeptText(IDC_FE_CLIENT_CITY, known, 3), KeptText(IDC_FE_CLIENT_PHONE, known, 4),
                                KeptText(IDC_FE_CLIENT_BANK, known, 5), KeptText(IDC_FE_CLIENT_IBAN, known, 6), client);
        known.Finalize();
        if (partner == 0) {
            MessageBox(L"Nu ati introdus clientu", L"Atentie", MB_OK);
            return false;
        }
        QString delegateName = GetItemText(IDC_FE_DELEGATE_NAME);
        if (!delegateName.Trim().IsEmpty()) {
            QsqlQuery agentRow = db.ExecQuery(SqlFormat(L"select serie, eliberat, auto from Agenti where numeAgent = "
                                                        L"'%s' order by id <> %llu, id limit 1",
                                                        GetItemText(IDC_FE_DELEGATE_NAME).c_str(), delegat)
                                                  .c_str());
            QString series = KeptText(IDC_FE_DELEGATE_ID, agentRow, 0);
            QString issued = KeptText(IDC_FE_DELEGATE_ISSUED, agentRow, 1);
            QString vehicle = KeptText(IDC_FE_DELEGATE_CAR, agentRow, 2);
            agentRow.Finalize();
            delegate = db.SaveAgent(GetItemText(IDC_FE_DELEGATE_NAME), series, issued, vehicle, delegat);
            Require(delegate != 0);
        }

        // What was already paid stays paid; a cancelled or reversed document
        // owes nothing. A settled document's negative total (a return invoice,
        // goods sent back to a supplier) is a credit its partner holds (the
        // settlement's rule); a proforma's or delivery note's owes nothing.
        const settlement::DocumentTable* settled = SettledTable(tip);
        const bool credit = settled != nullptr;
        if (stornat || status == StatusCancelled || status == StatusReversed || (insert && total < 0 && !credit)) {
            balance = 0.0;
        } else if (insert) {
            balance = total;
        } else if (total < 0 && !credit) {
            // Its balance stays as stored within [total, 0].
            double stored = db.ExecQuery(SqlFormat(L"select sold from '%s' where id = %llu", DocumentHeaderTable(tip), id)
                                             .c_str())
                                .GetFloatField(0, 0.0);
            balance = std::min(0.0, std::max(total, stored));
        } else if (settled) {
            settlement::TotalChange change = settlement::BalanceForTotal(*settled, id, total, partner);
            if (change.partnerRefused) {
                MessageBox(SettledText(tip, numar, change.taken, change.owners) +
                               (tip == DocumentGoodsReceived ? L": furnizorul nu poate fi schimbat !"
                                                             : L": clientul nu poate fi schimbat !"),
                           L"Atentie", MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
            if (change.refused) {
                MessageBox(SettledText(tip, numar, change.taken, change.owners) +
                               QString::Formatted(L": totalul nu poate scadea sub %.2f !",
                                                  settlement::FromBani(change.taken)),
                           L"Atentie", MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
            balance = settlement::FromBani(change.balance);
        } else {
            QsqlQuery old = db.ExecQuery(
                SqlFormat(L"select valoareTTI, sold from '%s' where id = %llu", DocumentHeaderTable(tip), id).c_str());
            double paid = old.Eof() ? 0.0 : old.GetFloatField(0, 0.0) - old.GetFloatField(1, 0.0);
            // Between 0 and the total.
            balance = std::min(std::max(total - paid, std::min(0.0, total)), std::max(0.0, total));
        }

        Require(db.SaveDocumentHeader(tip, insert ? idRezervat : id, insert, static_cast<long long>(status),
                                      static_cast<long long>(numar), partner, static_cast<long long>(issueDate),
                                      static_cast<long long>(dueDate), agent, delegate, net, vat, total, balance,
                                      series, &stored));
        if (!insert && partner != client && (tip == DocumentInvoice || tip == DocumentReturnInvoice))
            MoveInvoiceReceipt(stored, client, partner);
        Require(db.DeleteDocumentItems(tip, stored));
        for (const StoredLine& line : lines)
            Require(db.InsertDocumentItem(tip, line.product, line.quantity, line.price, stored, line.vatCode));
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
    // So is the VAT-at-collection box: the company dialog may change the
    // setting before the next save, which keeps it unless the box is changed.
    (nested ? tvaIncasareInOuterSave : tvaIncasareAfisat) =
        IsDlgButtonChecked(m_hwnd, IDC_FE_VAT_ON_RECEIPT) == BST_CHECKED ? 1 : 0;
    return true;
}

// A document needs an article, and every line a quantity; a stored document
// being cancelled may keep what it has.
bool MyFacturiDialog::LinesCanBeStored(bool cancelling)
{
    bool articles = false;
    for (int row = 0; row < nrLinii; ++row) {
        if (RowQuantity(row) == 0.0 && !cancelling) {
            MessageBox(QString::Formatted(L"La linia %d cantitatea este 0 !", row + 1), L"Atentie",
                       MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        articles = articles || !(listaArticole.GetItemText(row, ColId) == L"0");
    }
    if (!articles && !cancelling) {
        MessageBox(L"Documentul nu are nici un articol !", L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

// A return invoice stores what comes back below 0, an invoice never totals
// below 0. A reversed document and its reversing invoice (status 4) are
// stored as the storno made them: a reversing invoice is an invoice below 0.
bool MyFacturiDialog::TotalKeepsKind()
{
    if (status == StatusReversed || (tip != DocumentInvoice && tip != DocumentReturnInvoice))
        return true;
    long long stored = settlement::ToBani(StoredSign() * RowTotals().Gross());
    if (tip == DocumentReturnInvoice && stored >= 0) {
        MessageBox(L"Factura retur nu are nimic de primit inapoi: totalul ei trebuie sa fie mai mare decat 0 !",
                   L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (tip == DocumentInvoice && stored < 0) {
        MessageBox(L"Totalul facturii nu poate fi sub 0: pentru marfa primita inapoi emiteti o factura retur !",
                   L"Atentie", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
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

std::vector<MyFacturiDialog::StoredLine> MyFacturiDialog::StoredLines(double& net, double& vat, double& total) const
{
    std::vector<StoredLine> lines;
    double sign = StoredSign();
    for (int row = 0; row < nrLinii; ++row) {
        StoredLine line;
        line.product = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(row, ColId)));
        line.quantity = sign * RowQuantity(row);
        line.price = RowPrice(row);
        line.vatCode = RowStoredVat(row);
        lines.push_back(line);
    }
    DocumentTotals totals = RowTotals();
    net = sign * totals.Net();
    vat = sign * totals.Vat();
    total = sign * totals.Gross();
    return lines;
}

// The whole write goes to the check: the lines as they will be stored, the
// day, and (through the id) the stored lines and day they replace. Only a
// temporary invoice's save is left to its validation.
bool MyFacturiDialog::StockAllowsSave(bool linesCount)
{
    bool received = tip == DocumentGoodsReceived;
    if (!received && tip != DocumentInvoice && tip != DocumentReturnInvoice)
        return true;
    if (tip == DocumentInvoice && linesCount && status <= StatusTemporary)
        return true;
    int source = received ? StockSourceReceived : StockSourceInvoice;
    unsigned long long stored = id != 0 && !documentNou ? id : 0;
    long long day = static_cast<long long>(DayOf(GetPicker(IDC_FE_ISSUE_DATE)));
    std::vector<StockLine> lines;
    if (linesCount) {
        double net = 0.0, vat = 0.0, total = 0.0;
        for (const StoredLine& line : StoredLines(net, vat, total))
            lines.push_back({line.product, line.quantity});
    }
    // A cancelled or reversed document keeps its lines, which stop counting.
    StockRefusal refusal = linesCount ? CheckStockWrite(source, stored, day, lines)
                                      : CheckStockWithdrawal(source, stored, day);
    if (!refusal.Refused())
        return true;
    MessageBox(StockRefusalText(refusal), L"Message", MB_OK);
    return false;
}

// The reversing document is the exact negation of the document as its save
// stores it: every line with its VAT code and its quantity negated, the
// totals negated, status 4, balance 0. A NIR is reversed by a NIR with the
// next NIR number (so stock and the supplier's balance net to zero); every
// other document by an invoice with the next invoice number. All or nothing,
// through the same writes as a save.
bool MyFacturiDialog::CreateStornoInvoice()
{
    int reversing = tip == DocumentGoodsReceived ? DocumentGoodsReceived : DocumentInvoice;
    MyRepository& db = GetRepository();
    double net = 0.0, vat = 0.0, total = 0.0;
    std::vector<StoredLine> lines = StoredLines(net, vat, total);
    try {
        QsqlTransaction transaction(db);
        MyRepository::ThrowErrors throwing(db);
        unsigned long long newId = static_cast<unsigned long long>(db.ExecScalar(
                                       SqlFormat(L"Select MAX(id) from %s", DocumentHeaderTable(reversing)).c_str())) + 1;
        long long n = GetInvoiceConfigValue(reversing == DocumentGoodsReceived ? 9 : 8) + 1;
        unsigned long long stored = 0;
        Require(db.SaveDocumentHeader(reversing, newId, true, StatusReversed, n, client,
                                      static_cast<long long>(dataCreare), static_cast<long long>(dataScadenta), agent,
                                      delegat, -net, -vat, -total, 0.0, serie, &stored));
        for (const StoredLine& line : lines)
            Require(db.InsertDocumentItem(reversing, line.product, -line.quantity, line.price, stored, line.vatCode));
        transaction.Commit();
        idStorno = stored;
    } catch (const QSqlError& e) {
        MessageBox(e.GetText(), L"Message", MB_OK);
        return false;
    }
    return true;
}
