// The entry of every benchmark, which defines BenchMain: each line it prints
// reaches the pipe as it is printed, so a run that is stopped or crashes
// keeps what it had printed (buffered lines were lost with it, aims
// included), and the status it ends with is told to the run as well.
#include <cstdio>
#include "tests/harness/RunState.h"

int BenchMain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    int status = BenchMain(argc, argv);
    testing_support::MarkRunState(testing_support::EndedWith(status) + "\n");
    return status;
}
