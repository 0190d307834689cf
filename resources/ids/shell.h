// Resource ids of the shell part.
#pragma once

#define IDI_BRIVANE                 140
#define IDR_MAINFRAME               109

// Main-window commands. Each part registers the handlers of its own commands;
// the menu, the accelerators and the toolbar of the main window send them.
#define ID_APP_EXIT                 105
#define ID_CMD_FACTURA_NOUA         32798
#define ID_CMD_PROFORMA_NOUA        32819
#define ID_CMD_AVIZ_NOU             32820
#define ID_CMD_NIR_NOU              32812
#define ID_CMD_FACTURA_RETUR_NOUA   32832
#define ID_CMD_LISTARE_FACTURI      32842
#define ID_CMD_LISTARE_PROFORME     32845
#define ID_CMD_LISTARE_AVIZE        32828
#define ID_CMD_LISTARE_NIR          32813
#define ID_CMD_CAUTARE_FACTURI      32843
#define ID_CMD_CAUTARE_PROFORME     32849
#define ID_CMD_CAUTARE_AVIZE        32850
#define ID_CMD_CAUTARE_NIR          32848
// lParam: the document id (0 from the menu).
#define ID_CMD_TIPARIRE_FACTURI     32844
#define ID_CMD_CHITANTE             32817
#define ID_CMD_PLATI                32818
#define ID_CMD_INTRARE_GENERALA     32810
#define ID_CMD_IESIRE_GENERALA      32811
#define ID_CMD_FISA_ARTICOL         32862
#define ID_CMD_FISA_ARTICOL_DB      32814
#define ID_CMD_FISA_CLIENT          32863
#define ID_CMD_FISA_CLIENT_DB       32822
#define ID_CMD_FISA_FURNIZOR        32837
#define ID_CMD_FISA_MAGAZIE         32864
#define ID_CMD_FISA_MAGAZIE_DB      32823
#define ID_CMD_STOC_ARTICOLE        32826
#define ID_CMD_CALCULATOR           32900

// Child windows of the main window.
#define IDC_MAINFRAME_TABS          100
#define IDC_MAINFRAME_TOOLBAR       101

// First-run welcome dialog.
#define IDD_WELCOME                 310
#define IDC_WELCOME_TEXT            1000

// The toolbar's pictures: one strip of 24 x 24 images on a magenta key colour,
// in the order of the buttons.
#define IDB_SHELL_TOOLBAR           311
