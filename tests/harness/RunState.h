#pragma once
#include <string>

namespace testing_support {

// The file through which a program tells tools/wine-test how it is going
// ($BRIVANE_TEST_STATE): what it does now on the first line, then what the
// run reads of it (counts, notes). Rewritten whole each time; nothing happens
// outside such a run.
void MarkRunState(const std::string& text);

// The first line a program leaves when its main function has returned
// `status`: on a loaded machine Wine's server may kill the exiting process
// before it is gone (status 137), and the run then takes this status.
std::string EndedWith(int status);

} // namespace testing_support
