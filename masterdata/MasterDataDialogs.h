#pragma once
// The master-data dialogs other parts run. Each is constructed on the
// caller's stack, run modally (DoModal) and destroyed after the run.
#include "masterdata/MyCautareClientiDialog.h"
#include "masterdata/MyCautareProduseDialog.h"
#include "masterdata/MyCautareAgentiDialog.h"
#include "masterdata/MyConfigFacturiDialog.h"
#include "masterdata/MySocietateDialog.h"
#include "masterdata/ComboAutoComplete.h"
