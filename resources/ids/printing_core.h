// Resource ids of the document print dialog and its pictures.
#pragma once

#define IDD_TIPARIRE                    220
#define IDC_TIPARIRE_PRINT              1083
#define IDC_TIPARIRE_SAVE_PDF           1084
#define IDC_TIPARIRE_GOL                1085
#define IDC_TIPARIRE_SCHIMBARE_LOGO     1103
#define IDC_TIPARIRE_FUNDAL2            1104
#define IDC_TIPARIRE_FUNDAL1            1105
#define IDC_TIPARIRE_FUNDAL_SOCIETATE   1106
#define IDC_TIPARIRE_LAYOUT1            1252
#define IDC_TIPARIRE_ZONA_PREVIZUALIZARE 1253
#define IDC_TIPARIRE_LAYOUT2            1254
#define IDC_TIPARIRE_LAYOUT3            1255
#define IDC_TIPARIRE_ADAUGA_FUNDAL      1276
// The preview control made in place of the preview area.
#define IDC_TIPARIRE_PREVIZUALIZARE     3

// "JPG" pictures: the two page backgrounds (their pixel (1, 1) is the colour
// the printed pages leave transparent) and the layout buttons.
#define IDJ_FUNDAL1                     242
#define IDJ_FUNDAL2                     244
#define IDJ_LAYOUT1                     246
#define IDJ_LAYOUT2                     247
#define IDJ_LAYOUT3                     248
