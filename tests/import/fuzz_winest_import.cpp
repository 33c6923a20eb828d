// libFuzzer target for the WinEstimator reader; see fuzz_reader_check.h.
#include "import/fuzz_reader_check.h"
#include "import/winest_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzImportReader(data, size, &ImportWinEstFile);
}
