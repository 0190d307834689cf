#pragma once
#include "framework/utils/QString.h"
#include "printing/pdf/MakePDF.h"

// Choosing and writing the file of a PDF export: one rule for every export.

// The path with ".pdf" appended unless its extension (as PathFindExtensionW
// finds it) already is "pdf" in any case: "a" -> "a.pdf", "a.PDF" stays,
// "a.txt" -> "a.txt.pdf".
micro::utils::QString AppendPdfExtension(const wchar_t* path);

// The save dialog owned by the main window. On confirmation writes the chosen
// path with the extension rule applied and answers true; false when no file
// was chosen.
bool ChoosePdfFile(micro::utils::QString& path);

// Writes the writer's document to the (wide) path. A failed write shows
// "Error saving pdf file!" titled "Message" and answers false.
bool SavePdfFile(micropdf::MakePDF& pdf, const wchar_t* path);

// "Error saving pdf file!" titled "Message", OK, over the main window.
void ShowPdfSaveError();
