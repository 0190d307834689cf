// Resource ids of the document list tab and the document picker.
#pragma once

// Picker dialog and its controls.
#define IDD_CAUTARE_FACTURI          191
#define IDC_CAUTFACT_CAMP            1099
#define IDC_CAUTFACT_TEXT            1213
#define IDC_CAUTFACT_DOCUMENTE       1212
#define IDC_CAUTFACT_ARTICOLE        1111
#define IDC_CAUTFACT_NOU             1083
#define IDC_CAUTFACT_VALIDARE        1084
#define IDC_CAUTFACT_DETALII         1224
#define IDC_CAUTFACT_DUPLICARE       1103
#define IDC_CAUTFACT_TIPARIRE        1252

// Icons of the picker's buttons (the print icon is the editor's, 253).
#define IDI_CAUTFACT_DUPLICARE       260
#define IDI_CAUTFACT_NOU             261
#define IDI_CAUTFACT_DETALII         262
#define IDI_CAUTFACT_IESIRE          263

// The list view of the document list tab.
#define IDC_FACTURI_PANEL_LIST       32799
