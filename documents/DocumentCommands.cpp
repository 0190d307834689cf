#include "documents/DocumentCommands.h"

void RegisterDocumentCommands(micro::qapp::QCommandTable&)
{
}
