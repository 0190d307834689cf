// Resource ids of the receipt print dialog (it runs on the document print
// dialog's template, IDD_TIPARIRE).
#pragma once

// "JPG" thumbnails of the receipt page models, on the three model buttons.
#define IDJ_CHITANTA_MODEL1             249
#define IDJ_CHITANTA_MODEL2             250
#define IDJ_CHITANTA_MODEL3             251
