#pragma once
#include <string>
#include <vector>
#include "tests/printing/support/MetafilePage.h"

namespace stock_test {

// Every text of a printed page that is not where it can be read whole: one
// that leaves the page's frame, that a rule drawn through its line crosses or
// touches, or that runs into another text of its line. A text spans from its
// start to the end of its last visible character (trailing blanks show
// nothing), measured in the font it was printed in, and its font's line
// height. One description each; none when every text stands clear.
std::vector<std::string> MisplacedTexts(const layout_tests::EmfPage& page);

} // namespace stock_test
