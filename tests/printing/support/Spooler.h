#pragma once
#include <string>

namespace printing_tests {

// The real print path: a CUPS queue whose jobs land as PDF files in the host
// user's $HOME/PDF. These reach the Linux host from under Wine through
// pdftest::RunOnHost (HostTools.h).

// True when cupsd runs with a default queue that Wine can print to.
bool SpoolerRunning();
// Waits for a PDF "<job name>*.pdf" in $HOME/PDF written after `since` (host
// seconds) whose text holds `marker`; answers `pdftotext -bbox` of that
// file, empty when none came.
std::string WaitForPrintedPdf(const std::string& jobPrefix, const std::string& marker, long long since,
                              unsigned timeoutMs = 30000);
// The host's clock in seconds.
long long HostNow();

} // namespace printing_tests
