// Resource ids of the payment editor and the payments list.
#pragma once

// Payment editor ("Plata").
#define IDD_PLATA                       176
#define IDB_PLATA                       187
#define IDC_PLATA_TOTAL_FACTURAT        1184
#define IDC_PLATA_TOTAL_PLATIT          1185
#define IDC_PLATA_SOLD                  1186
#define IDC_PLATA_MONEDA                1187
#define IDC_PLATA_SUMA_LITERE           1188
#define IDC_PLATA_SUMA                  1189
#define IDC_PLATA_FACTURI               1190
#define IDC_PLATA_BANCA                 1191
#define IDC_PLATA_TIP                   1192
#define IDC_PLATA_NIRURI                1193
#define IDC_PLATA_SCOATE_NIR            1194
#define IDC_PLATA_ADAUGA_NIR            1195
#define IDC_PLATA_FURNIZOR              1196
#define IDC_PLATA_NUME                  1197
#define IDC_PLATA_CUI                   1198
#define IDC_PLATA_NUMAR                 1199
#define IDC_PLATA_DATA                  1200
#define IDC_PLATA_ANULEAZA              1181
#define IDC_PLATA_VALIDEAZA             1182
#define IDC_PLATA_STORNARE              1183

// Payments list ("Plati").
#define IDD_PLATI                       189
#define IDC_PLATI_CAMP                  1201
#define IDC_PLATI_TEXT                  1202
#define IDC_PLATI_LISTA                 1203
#define IDC_PLATI_NOUA                  1204
#define IDC_PLATI_VALIDARE              1083
