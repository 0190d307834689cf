// Resource ids of the stock list and the ledgers.
#pragma once

// Stock list.
#define IDD_STOC_ARTICOLE           201
#define IDC_STOC_GRUPARE            1083
#define IDC_STOC_TIPARESTE          1084
#define IDC_STOC_MAGAZIA            1099
#define IDC_STOC_LISTA              1229
#define IDC_STOC_DATA               1230

// Article and partner ledgers.
#define IDD_FISA_ARTICOL            174
#define IDC_FISA_SELECTEAZA         1083
#define IDC_FISA_COLECTEAZA         1084
#define IDC_FISA_LISTA              1149
#define IDC_FISA_DE_LA              1150
#define IDC_FISA_LA                 1151
#define IDC_FISA_NUME               1152
#define IDC_FISA_TIPARIRE           1259

// Warehouse ledger.
#define IDD_FISA_MAGAZIE            190
#define IDC_MAGAZIE_SELECTEAZA      1085
#define IDC_MAGAZIE_COLECTEAZA      1086
#define IDC_MAGAZIE_LISTA           1205
#define IDC_MAGAZIE_DE_LA           1207
#define IDC_MAGAZIE_LA              1208
#define IDC_MAGAZIE_NUME            1209
#define IDC_MAGAZIE_TIPARIRE        1260
