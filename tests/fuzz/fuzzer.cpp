// The libFuzzer program of one target, named by TOLVANE_FUZZ_TARGET.

#include <cstdio>
#include <cstdlib>

#include "entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::Target* const target = fuzz::find(TOLVANE_FUZZ_TARGET);
  if (!target) {
    std::fprintf(stderr, "no fuzz target named %s\n", TOLVANE_FUZZ_TARGET);
    std::abort();
  }
  target->run(data, size);
  return 0;
}
