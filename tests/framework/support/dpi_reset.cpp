// The cleanup of the ctest fixture "dpi": LogPixels back to 96 in the test prefix, whatever a
// driver that crashed left there.
#include "tests/framework/support/dpi_harness.h"

int main() {
    return orvo::test::SetPrefixLogPixels(96) ? 0 : 1;
}
