// Resource ids of the cash part.
#pragma once

// Receipt-number confirmation.
#define IDD_CREARE_CHITANTA             237
#define IDC_CREARE_CHITANTA_NUMAR       1275
#define IDC_CREARE_CHITANTA_SERIE       1045

// Unpaid-documents picker.
#define IDD_FACTURI_SCADENTE            180
#define IDC_FACTURI_SCADENTE_LIST       1166

// Receipt editor.
#define IDD_INCASARE                    236
#define IDJ_INCASARE                    257
#define IDI_INCASARE_ANULARE            258
#define IDC_INCASARE_NUMAR              1163
#define IDC_INCASARE_DATA               1164
#define IDC_INCASARE_CLIENT             1046
#define IDC_INCASARE_CUI                1047
#define IDC_INCASARE_BANCA              1048
#define IDC_INCASARE_FACTURI            1052
#define IDC_INCASARE_SUMA               1050
#define IDC_INCASARE_SUMA_LITERE        1051
#define IDC_INCASARE_MONEDA             1053
#define IDC_INCASARE_TOTAL_FACTURAT     1167
#define IDC_INCASARE_TOTAL_INCASAT      1016
#define IDC_INCASARE_SOLD               1017
#define IDC_INCASARE_POZA               1280
#define IDC_INCASARE_ADAUGA_CLIENT      1165
#define IDC_INCASARE_ADD                1083
#define IDC_INCASARE_REMOVE             1171
#define IDC_INCASARE_TIP                1099
#define IDC_INCASARE_LISTA              1168
#define IDC_INCASARE_ANULARE            1170
#define IDC_INCASARE_TIPARIRE           1084
#define IDC_INCASARE_VALIDARE           1174
#define IDC_INCASARE_REVERT             1176

// Receipts list.
#define IDD_INCASARI                    178
#define IDC_INCASARI_CAMP               1099
#define IDC_INCASARI_CAUTARE            1162
#define IDC_INCASARI_LISTA              1161
#define IDC_INCASARI_NOUA               1083
#define IDC_INCASARI_VALIDARE           1084
#define IDC_INCASARI_STATIC             1226
#define IDC_INCASARI_ASCUNS             1247
