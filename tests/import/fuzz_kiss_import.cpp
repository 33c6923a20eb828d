// libFuzzer target for the KISS reader; see fuzz_reader_check.h.
#include "import/fuzz_reader_check.h"
#include "import/kiss_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzImportReader(data, size, &ImportKissFile);
}
