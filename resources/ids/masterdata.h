// Resource ids of the masterdata part.
#pragma once

// Partner picker (clients or suppliers).
#define IDD_CAUTARE_CLIENTI             165
#define IDC_CAUTARE_CLIENTI_FILTER      1001
#define IDC_CAUTARE_CLIENTI_LIST        1002

// Product picker.
#define IDD_CAUTARE_PRODUSE             166
#define IDC_CAUTARE_PRODUSE_FILTER      1001
#define IDC_CAUTARE_PRODUSE_LIST        1002
#define IDC_CAUTARE_PRODUSE_CANTITATE   1003

// Document-numbering settings.
#define IDD_CONFIG_FACTURI              167
#define IDC_CONFIG_SERIE_FACTURI        1001
#define IDC_CONFIG_NUMAR_FACTURA        1002
#define IDC_CONFIG_NUMAR_PROFORMA       1003
#define IDC_CONFIG_NUMAR_NIR            1004
#define IDC_CONFIG_SERIE_CHIT           1005
#define IDC_CONFIG_NUMAR_CHIT           1006
#define IDC_CONFIG_SERIE_PLATI          1007
#define IDC_CONFIG_NUMAR_PLATI          1008

// Company data.
#define IDD_SOCIETATE                   168
#define IDC_SOCIETATE_DENUMIRE          1001
#define IDC_SOCIETATE_NRREG             1002
#define IDC_SOCIETATE_CUI               1003
#define IDC_SOCIETATE_ADRESA            1004
#define IDC_SOCIETATE_ORAS              1005
#define IDC_SOCIETATE_TELEFON           1006
#define IDC_SOCIETATE_FAX               1007
#define IDC_SOCIETATE_BANCA             1008
#define IDC_SOCIETATE_CONT              1009
#define IDC_SOCIETATE_BANCA2            1010
#define IDC_SOCIETATE_CONT2             1011
#define IDC_SOCIETATE_TVAINCASARE       1012
#define IDC_SOCIETATE_COTATVA           1013
#define IDC_SOCIETATE_LOGO              1014
#define IDC_SOCIETATE_STAMPILA          1015
#define IDC_SOCIETATE_BACKGROUND        1016
#define IDC_SOCIETATE_LOGO_BROWSE       1017
#define IDC_SOCIETATE_STAMPILA_BROWSE   1018
#define IDC_SOCIETATE_BACKGROUND_BROWSE 1019

// Agent and delegate picker.
#define IDD_CAUTARE_AGENTI              169
#define IDC_CAUTARE_AGENTI_FILTER       1001
#define IDC_CAUTARE_AGENTI_LIST         1002
