#include "masterdata/EditorEntries.h"

namespace {
const int kKinds = static_cast<int>(EditorKind::StockMovement) + 1;
EditorEntry g_entries[kKinds] = {};
}

void RegisterEditor(EditorKind kind, EditorEntry entry)
{
    g_entries[static_cast<int>(kind)] = entry;
}

INT_PTR OpenEditor(EditorKind kind, HWND owner, int type, uint64_t id)
{
    EditorEntry entry = g_entries[static_cast<int>(kind)];
    return entry ? entry(owner, type, id) : 0;
}
