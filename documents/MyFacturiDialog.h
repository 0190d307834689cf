#pragma once
#include "framework/qdialog/QDialog.h"
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/utils/QString.h"
#include <map>
#include <vector>
#include "database/qsql/QsqlQuery.h"
#include "printing/VatAndDiscount.h"

struct InvoiceReceiptRow;

// The one editor of every commercial document: invoice (tip 0), proforma (1),
// delivery note (2), goods-received note (3) and return invoice (4).
//
// The caller constructs it on its stack, sets `tip`, `id` and, for a copy of a
// stored document, `documentNou`, runs DoModal and reloads what it shows when
// the run answers 1 (the document was saved). After such a run the state below
// describes the stored document: `idRezervat` is its id.
//
// The code is spread over several files: this class's set-up in
// MyFacturiDialog.cpp, lines and totals in MyFacturiLines.cpp, partner and
// product fill-in in MyFacturiFill.cpp, the commands in MyFacturiCommands.cpp,
// saving and the reversing invoice in MyFacturiSave.cpp.
class MyFacturiDialog : public micro::qdialog::QDialog {
public:
    explicit MyFacturiDialog(HWND parent);
    ~MyFacturiDialog() override;

    // --- document state --------------------------------------------------
    unsigned long long id = 0;           // stored document id; 0 while new
    unsigned long long status = 0;       // 0 ?, 1 Temporar, 2 Validat, 3 Anulat, 4 Stornat
    unsigned long long client = 0;       // partner (Clienti row; the supplier of a NIR)
    unsigned long long numar = 0;        // document number
    unsigned long long dataCreare = 0;   // issue date, Unix seconds
    unsigned long long dataScadenta = 0; // due date, Unix seconds
    unsigned long long agent = 0;        // issuing agent
    unsigned long long delegat = 0;      // delegate (Agenti row)
    double sold = 0.0;                   // balance still to be paid
    micro::utils::QString serie;         // series; a NIR's supplier invoice number
    micro::utils::QString textNir;       // handed to the print dialog for a NIR
    double factorTVASocietate = 0.0;     // company VAT multiplier read at opening
    double pretProdus = 0.0;             // catalogue price of the product last chosen
    double factorTVAInitial = 0.0;       // company VAT multiplier read at construction
    bool produsAles = false;             // a product was filled into the line fields
    bool modificareLinie = false;        // button 1 replaces the selected row
    double valoareFT = 0.0;              // total without VAT
    double valoareTVA = 0.0;             // VAT total
    double valoareTTI = 0.0;             // total with VAT
    // A stored document's totals as issued, and its rows' sums when it was
    // read: earlier versions summed unrounded lines, a ban or so apart.
    DocumentTotals totaluriEmise, totaluriRanduriIncarcate;
    bool pastreazaTotaluriEmise = false; // the issued totals stand while the rows sum as read
    bool areDiscount = false;            // the last row is the discount line
    bool coteTVADiferite = false;        // loaded lines carry different VAT codes
    micro::utils::QString textCotaTVA;   // VAT text of the last line loaded or added
    int primaCotaTVA = 0;                // VAT code of the first line loaded
    unsigned long long idRezervat = 0;   // id the lines (and a new header) are stored under
    unsigned long long produsSelectat = 0; // product of the line last clicked or picked
    unsigned long long documentNou = 0;  // non-zero: store as a new document (a copy)
    int tip = 0;                         // document type 0..4
    int nrLinii = 0;                     // rows in the line list
    int nrLiniiIncarcate = 0;            // lines read from the database
    micro::gui::QListCtrl listaArticole; // the line list, control 1101
    int linieEditata = -1;               // row last clicked, or added by the picker
    int coloanaEditata = 0;              // column last clicked
    bool editareInLinie = false;         // the picker added a row still without quantity
    bool stornat = false;                // set by storno: the next save stores balance 0
    unsigned long long idStorno = 0;     // id of the reversing document made by storno
    bool salvat = false;                 // some save of this run succeeded (lists reload after it)
    micro::utils::QString denumireProdus; // product name of the line being entered

    // --- dialog slots ----------------------------------------------------
    bool OnInitDialog() override;
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;

    // --- set-up (MyFacturiDialog.cpp) -------------------------------------
    void AddControlToolTip(HWND control, const wchar_t* text);
    void InsertListColumns();
    void LoadDocumentLines();
    void RepriceLoadedDiscount();
    void ApplyDocumentType();

    // --- lines and totals (MyFacturiLines.cpp) ----------------------------
    // False when a check refused the line (the entry fields stay as typed).
    bool AddOrModifyLine();
    bool BeginModifyLine();
    // Removes the discount row (the last row, product id "0") when present.
    void RemoveDiscountLine();
    void RecomputeTotals();
    void PlaceLineButtons(int row);
    void ApplyDiscount();

    // --- partner and product fill-in (MyFacturiFill.cpp) ------------------
    void AutocompleteClient(const wchar_t* filter);
    void AutocompleteProduct(const wchar_t* filter);
    void OnClientChosen();
    void OnIssueDateChanged();
    long long PartnerTerm();
    // fillFields false: the product's figures only, without its texts and the
    // focus move (the caller clears those fields at once). True when a
    // product was applied.
    bool OnProductChosen(int mode, bool fillFields = true);
    // "Modifica": the row's own quantity, price, unit and VAT code go into the line fields.
    void TakeLineIntoFields(int row);
    void FillPartnerFields();
    void FillDelegateFields();

    // --- online look-up (MyFacturiFill.cpp over MyCompanyLookup) -----------
    void LookupCompanyOnline(micro::utils::QString fiscalCode);

    // --- saving (MyFacturiSave.cpp) ---------------------------------------
    // Checks everything, then writes the whole document in one transaction.
    bool SaveDocument();
    // Writes the reversing document in one transaction (a NIR for a NIR, an
    // invoice for every other type); false when nothing was written.
    bool CreateStornoInvoice();
    // The stock rule's word on the write about to be made: the lines as
    // listed, or (linesCount false: cancelled, reversed) none of them. A
    // refusal is shown naming the line, or the product of a line taken off;
    // temporary invoices are checked at validation instead.
    bool StockAllowsSave(bool linesCount);

    // The number text: "-0000012-" for 12.
    static micro::utils::QString FormatNumberText(unsigned long long number);

    // The combo-selection guard: set by saving and by adding a line, it makes
    // OnCommand ignore one end-of-selection notice of the name combos.
    static bool comboSelectionGuard;

private:
    // Command steps (MyFacturiCommands.cpp).
    void OnNumberFieldFocus();
    void SaveAndClose();
    void SaveAndPrint();
    void SaveAndMakeReceipt();
    // The document, the receipt row and the receipt counter, all or nothing;
    // with keptReceipt, the document and that temporary receipt brought to
    // what is left to collect.
    bool SaveWithReceipt(InvoiceReceiptRow& row, unsigned long long keptReceipt);
    void DeleteSelectedLine();
    void ModifySelectedLine();
    void AddLineFromPicker();
    void Storno();
    void CancelDocument();
    void ValidateDocument();
    void TurnIntoInvoice();
    void ChooseAgent(bool forDelegate);
    // The save sequence every command runs: a new document becomes status 1
    // and, once stored, gets its reserved id.
    bool SaveSequence();

    // The "Actiuni" button and its menu (MyFacturiActions.cpp).
    void CreateActionsButton();
    bool ActionAllowed(int command) const;
    void ShowActionsMenu();

    // Set-up steps.
    void CreateRuntimeButtons();
    // A stored document's number and series cannot change: its series field is read-only.
    void LockStoredSeries();
    void ReserveNewDocument();
    void ReadStoredHeader();
    void FillCompany();
    void ShowNumberAndSeries();
    bool LinesCanBeStored(bool cancelling);
    // The invoice tables keep no kind: a return invoice is read back from its
    // total below 0. False (said why) when the total to be stored would be
    // read back as the other kind.
    bool TotalKeepsKind();
    // A new number (and reserved id) by type, as for a new document.
    void TakeNewNumber();

    // Helpers shared by the files of the editor.
    // A look-up that fails while the editor loads ends the loading: the
    // editor does not open half-filled. Once open, the failure is shown and
    // the editor goes on with what it has.
    void ShowLookupError(const micro::qsql::QSqlError& e);
    bool incarcat = false;               // OnInitDialog completed
    double ItemNumber(int row, int column) const;
    micro::utils::QString ComboEditText(int comboId) const;
    int SelectedVatCode() const;
    void SetPicker(int pickerId, unsigned long long seconds);
    unsigned long long GetPicker(int pickerId) const;
    void ShowTotals();
    void RenumberRows();
    // A row's unit price without VAT at full precision (column 3 shows it rounded).
    void SetRowPrice(int row, double price);
    double RowPrice(int row) const;
    // A row's quantity at full precision (column 4 may show it rounded).
    void SetRowQuantity(int row, double quantity);
    double RowQuantity(int row) const;
    // The VAT code a row shows and is summed at; `kept` false marks a line
    // stored before lines kept their code, which follows its product's rate
    // and is stored so again.
    void SetRowVat(int row, int code, bool kept);
    int RowVatCode(int row) const;
    // What a save writes for the row's code: -1 for a line that follows its product.
    long long RowStoredVat(int row) const;
    // A return invoice is shown with what came back as positive quantities
    // and stored negated: the stored sign of the shown figures.
    double StoredSign() const;
    struct StoredLine {
        unsigned long long product;
        double quantity;
        double price;
        long long vatCode;
    };
    // The rows as they are stored, with the totals of the shown rows (net,
    // VAT, total) in the stored sign.
    std::vector<StoredLine> StoredLines(double& net, double& vat, double& total) const;
    // A live invoice with negative totals, opened from the invoice list, is a return invoice.
    void RecognizeReturnInvoice();
    // A document issued now from stored lines (a copy, an invoice made from
    // a proforma) keeps the VAT code each line is shown at, so the catalogue
    // changing later does not change it.
    void IssueLinesAtShownVat();
    bool AppendDiscountRow(const micro::utils::QString& percentText);
    // The totals as the sums of the rows' rounded amounts (the one sum the
    // editor shows and the save stores), into valoareFT, valoareTVA, valoareTTI.
    void SumRows();
    DocumentTotals RowTotals() const;
    DocumentTotals RowSums() const;
    void SetRowAmounts(int row, const LineAmounts& amounts);
    bool VatRatesDiffer(bool report);
    bool StoreLineProduct(const micro::utils::QString& name, const micro::utils::QString& unit, int vatCode,
                          double unitNet, bool includeVat, unsigned long long& productId,
                          unsigned long long current = 0);

    int cotaTVASocietate = -1;            // company VAT code as read at opening; -1 unread
    int tvaIncasareAfisat = -1;           // the VAT-on-receipt box as opened or last saved; -1 unread
    // Partner, delegate and company field texts as the editor last filled them
    // from the database: a save keeps the stored value of a field the user
    // left as it was, so the editor never writes what it did not read.
    std::map<int, micro::utils::QString> shownTexts;
    void RememberShown(const int* controls, int count);
    micro::utils::QString KeptText(int control, const micro::qsql::QsqlQuery& stored, int column) const;
    // The catalogue changes of the lines typed since the last save, written
    // by the save's own transaction (MyFacturiLines.cpp): a product's last
    // line decides its unit, VAT and price; a product new to the catalogue
    // shows the id it will be given.
    struct PendingProduct {
        micro::utils::QString name;
        micro::utils::QString unit;
        int vatCode;
        double unitNet;
        bool includeVat;
        bool isNew;
        unsigned long long id;
    };
    const PendingProduct* FindPendingProduct(const micro::utils::QString& name) const;
    // Inside the save's transaction; the ids of new products as given, by
    // the id each showed. Throws the repository's error.
    void WritePendingProducts(std::vector<std::pair<unsigned long long, unsigned long long>>& givenIds);
    // The id a row's product was given (`shown` when it was not new).
    unsigned long long GivenProductId(int row, unsigned long long shown,
                                      const std::vector<std::pair<unsigned long long, unsigned long long>>& givenIds) const;
    // After the save committed: rows show the ids given, nothing is pending.
    void PendingProductsWritten(const std::vector<std::pair<unsigned long long, unsigned long long>>& givenIds);
    // A save run inside a caller's transaction (storno, the receipt command)
    // is not stored until that caller commits: its products stay pending
    // until then, and a rollback leaves them pending for the next save.
    std::vector<std::pair<unsigned long long, unsigned long long>> idsInOuterSave;
    int tvaIncasareInOuterSave = -1;      // the box as saved inside a command's unit, until it commits
    void OuterSaveEnded(bool committed);
    // Adds a product name new to the catalogue to the product combo, where
    // the catalogue's name order puts it.
    void AddProductToCombo(const micro::utils::QString& name);
    std::vector<PendingProduct> produseDeSalvat;
    // Rows summed in the totals shown, while they are the sums of those rows
    // in row order: a line added then adds only its own values.
    int randuriInTotal = -1;
    // While a line is being written the row buttons wait for its end.
    bool butoaneAmanate = false;
    // The focus given back to the product field after a line (see
    // FocusProductField); true while it stands, as far as the combo's
    // notices go, in the quantity field the product choice moved it to.
    bool focusLeftProduct = false;
    void FocusProductField();

    // The line fields as TakeLineIntoFields filled them from a row (-1: none).
    // Put back unchanged, the row keeps its exact figures and stored VAT and
    // asks nothing of the catalogue.
    struct LineInFields {
        int row = -1;
        micro::utils::QString name, unit, quantity, price;
        int vatCode = -1;
    };
    LineInFields linieLuata;
    bool LineFieldsAsTaken(int row) const;
    // The unit, quantity and price fields, the quantity selected and given
    // the focus; after a click elsewhere (`clicked`, see FocusTakenByClick)
    // the focus stays there and the field clicked into is left as it is.
    void ShowLineFields(const micro::utils::QString& price, const micro::utils::QString& unit,
                        const micro::utils::QString& quantity, HWND clicked = nullptr);
    HWND FocusTakenByClick() const;
    // The VAT combo at the code, the price marked without VAT, "Modifica" while modifying.
    void ShowLineVat(long long vatCode);

    micro::utils::QString procentDiscount; // percentage text of the discount row shown
    micro::utils::QString numarChitanta;  // receipt number and series as confirmed
    micro::utils::QString serieChitanta;
    HICON icons[4] = {};

    struct RowValues {
        double price = 0.0;
        double quantity = 0.0;
        bool hasPrice = false;
        bool hasQuantity = false;
        int vatCode = -1;      // -1: not set
        bool vatKept = false;
    };
    std::vector<RowValues> rowValues; // slots of the rows, never reused
    RowValues* RowSlot(int row, bool create);
    const RowValues* RowSlot(int row) const;
};
