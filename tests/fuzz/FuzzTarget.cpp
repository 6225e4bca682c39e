// One libFuzzer target; SORBAN_FUZZ_HARNESS names the harness it drives.
#include "fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sorban::fuzz::SORBAN_FUZZ_HARNESS(data, size);
    return 0;
}
