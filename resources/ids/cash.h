// Resource ids of the cash part.
#pragma once

// Receipt-number confirmation.
#define IDD_CREARE_CHITANTA             237
#define IDC_CREARE_CHITANTA_NUMAR       1275
#define IDC_CREARE_CHITANTA_SERIE       1045
