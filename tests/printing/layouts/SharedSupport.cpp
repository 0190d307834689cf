// Fixture and host-tool helpers the other printing test folders already have.
#include "tests/printing/core/PrintFixtures.cpp"
#include "tests/printing/pdf/HostTools.cpp"
