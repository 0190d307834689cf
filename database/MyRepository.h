#pragma once
#include "database/qsql/QsqlDatabase.h"
#include "database/qsql/SqlText.h"

// The one database object of the program, with its write operations.
class MyRepository : public micro::qsql::QsqlDatabase {
public:
    MyRepository();
};

// The seam through which every part reaches the one repository: the shell
// points it at its member, tests at a temporary file.
MyRepository& GetRepository();
void SetRepository(MyRepository* repository);
