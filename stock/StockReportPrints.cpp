#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"

// The printouts wait for the shared report page.
bool MyStocArticoleDialog::PrintStockList() { return true; }
bool MyFisaDeArticolDialog::PrintArticleSheet() { return true; }
bool MyFisaDeArticolDialog::PrintPartnerSheet() { return true; }
bool MyFisaDeMagazieDialog::PrintSheet() { return true; }
