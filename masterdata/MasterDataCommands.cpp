#include "masterdata/MasterDataCommands.h"

void RegisterMasterDataCommands(micro::qapp::QCommandTable&)
{
}
