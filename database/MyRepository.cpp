#include "database/MyRepository.h"

namespace {
MyRepository* g_repository = nullptr;
}

MyRepository::MyRepository()
{
    SetBusyTimeout(60000);
}

MyRepository& GetRepository()
{
    if (!g_repository) {
        // Nothing was installed: a closed repository answers "Database is not open".
        static MyRepository closed;
        return closed;
    }
    return *g_repository;
}

void SetRepository(MyRepository* repository)
{
    g_repository = repository;
}
