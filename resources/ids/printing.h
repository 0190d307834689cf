// Resource ids of the printing part.
#pragma once
#include "printing_core.h"
#include "printing_receipts.h"
