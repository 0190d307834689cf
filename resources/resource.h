// Resource ids of the program. Each part of the program keeps its ids in its
// own section; ids fixed by the stored data and the templates keep their values.
#pragma once

// ---- shell: icons, menu, accelerators, dialogs --------------------------------
#define IDI_BRIVANE                 140
#define IDR_MAINFRAME               109

// ---- master data ----------------------------------------------------------------

// ---- documents ------------------------------------------------------------------

// ---- printing -------------------------------------------------------------------

// ---- tests (dialog templates used only by the framework's tests) ----------------
#define IDD_TEST_DIALOG             9001
#define IDC_TEST_EDIT               9002
#define IDC_TEST_LIST               9003
