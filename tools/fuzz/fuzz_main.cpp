// The libFuzzer program of one target; QUILL_FUZZ_TARGET names its entry.
#include "tools/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::QUILL_FUZZ_TARGET(data, size);
}
