// Resource ids of the document editor (template 164) and its button icons.
#pragma once

#define IDD_FACTURI_EDITOR          164

#define IDI_FE_PRINT                253
#define IDI_FE_ONLINE               254
#define IDI_FE_RECEIPT              255
#define IDI_FE_SAVE                 256

// Partner group.
#define IDC_FE_PARTNER_GROUP        1290
#define IDC_FE_CLIENT_CIF           1046
#define IDC_FE_CLIENT_NAME          1271
#define IDC_FE_CLIENT_NRREG         1050
#define IDC_FE_CLIENT_ADDRESS       1057
#define IDC_FE_CLIENT_CITY          1272
#define IDC_FE_CLIENT_IBAN          1062
#define IDC_FE_CLIENT_BANK          1063
#define IDC_FE_CLIENT_PHONE         1064
// Own company group.
#define IDC_FE_COMPANY_GROUP        1291
#define IDC_FE_COMPANY_CIF          1072
#define IDC_FE_COMPANY_NAME         1073
#define IDC_FE_COMPANY_NRREG        1074
#define IDC_FE_COMPANY_ADDRESS      1075
#define IDC_FE_COMPANY_CITY         1045
#define IDC_FE_COMPANY_PHONE        1078
#define IDC_FE_COMPANY_BANK         1077
#define IDC_FE_COMPANY_IBAN         1076
#define IDC_FE_VAT_ON_RECEIPT       1012
// Document.
#define IDC_FE_NUMBER               1048
#define IDC_FE_SERIES               1047
#define IDC_FE_SUPPLIER_INVOICE     1049
#define IDC_FE_SERIES_LABEL         1236
#define IDC_FE_NUMBER_LABEL         1237
#define IDC_FE_ISSUE_DATE           1100
#define IDC_FE_DUE_DATE             1113
#define IDC_FE_WAREHOUSE            1098
// Line entry.
#define IDC_FE_PRODUCT              1099
#define IDC_FE_UNIT                 1079
#define IDC_FE_QUANTITY             1080
#define IDC_FE_PRICE                1081
#define IDC_FE_VAT                  1269
#define IDC_FE_INCLUDES_VAT         1009
#define IDC_FE_EXCLUDES_VAT         1268
#define IDC_FE_LINES                1101
#define IDC_FE_DELETE_LINE          1102
#define IDC_FE_MODIFY_LINE          1103
// Delegate.
#define IDC_FE_DELEGATE_NAME        1053
#define IDC_FE_DELEGATE_ID          1054
#define IDC_FE_DELEGATE_ISSUED      1055
#define IDC_FE_DELEGATE_CAR         1056
#define IDC_FE_DELEGATE_PICK        1116
// Discount and totals.
#define IDC_FE_DISCOUNT             1059
#define IDC_FE_APPLY_DISCOUNT       1223
#define IDC_FE_TOTAL_NET            1058
#define IDC_FE_TOTAL_VAT            1060
#define IDC_FE_TOTAL                1061
// Issuing user.
#define IDC_FE_USER_NAME            1278
#define IDC_FE_USER_ID              1279
#define IDC_FE_USER_CNP             1022
// Buttons created at run time and commands without a control.
#define IDC_FE_ONLINE               1083
#define IDC_FE_PICK_PRODUCT         1084
#define IDC_FE_SAVE                 1085
#define IDC_FE_STORNO               1104
#define IDC_FE_CANCEL_DOCUMENT      1106
#define IDC_FE_VALIDATE             1107
#define IDC_FE_TO_INVOICE           1108
#define IDC_FE_PICK_AGENT           1114
#define IDC_FE_PRINT                1252
#define IDC_FE_RECEIPT              40201
#define IDC_FE_ACTIONS              1121
