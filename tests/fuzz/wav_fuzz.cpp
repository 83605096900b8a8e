#include <cstddef>
#include <cstdint>

#include "platform/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    parseWav(data, size);
    return 0;
}
