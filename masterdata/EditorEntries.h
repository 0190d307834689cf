#pragma once
#include <windows.h>
#include <cstdint>

// Editors live in the layers that own their data (documents, cash, stock), yet
// a lower layer must open a higher one's editor: a receipt opens its invoice,
// a ledger row opens whatever made it. Each layer registers its editors here at
// start-up (with its commands); callers open them without including the layer
// above. Tests plug their own entries into the same table.
enum class EditorKind {
    Document,      // type: document type 0-4; id: the header's id
    Receipt,       // id: Incasari.id
    Payment,       // id: Plati.id
    StockMovement, // type: 0 general entry, 1 general exit; id: the movement's id
};

// Runs the editor modally over owner on the stored record; answers the
// dialog's result (1 when it saved, so the caller reloads).
typedef INT_PTR (*EditorEntry)(HWND owner, int type, uint64_t id);

void RegisterEditor(EditorKind kind, EditorEntry entry);
// Answers 0 without opening anything when no editor of that kind is registered.
INT_PTR OpenEditor(EditorKind kind, HWND owner, int type, uint64_t id);
