// Resource ids of the stock part.
#pragma once

// The list of general entries or exits and its controls.
#define IDD_INTRARI_GENERALE         170
#define IDC_IG_CAMP                  1099
#define IDC_IG_TEXT                  1145
#define IDC_IG_LISTA                 1144
#define IDC_IG_DETALII_LISTA         1227
#define IDC_IG_CREARE                1083
#define IDC_IG_MODIFICARE            1084
#define IDC_IG_DETALII               1228

// The editor of one general entry or exit and its controls.
#define IDD_INTRARI_GENERALE_EDIT    172
#define IDC_IGE_NUMAR                1047
#define IDC_IGE_DATA                 1148
#define IDC_IGE_LISTA                1146
#define IDC_IGE_ADAUGA               1083
#define IDC_IGE_STERGE               1084
#define IDC_IGE_MODIFICA             1147
#define IDC_IGE_TOTAL_FT             1225
#define IDC_IGE_TOTAL_TVA            1045
#define IDC_IGE_TOTAL_TTI            1046
#define IDC_IGE_VALIDEAZA            1104
#define IDC_IGE_ANULEAZA             1103
#define IDC_IGE_TIPARIRE             1252
#define IDC_IGE_CELULA               1261
