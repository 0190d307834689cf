// Resource ids of the documents part.
#pragma once
#include "documents_editor.h"
#include "documents_lists.h"
