// Any bytes as an interop file: decoding must reject or accept them without
// reading outside the input or allocating beyond what it holds.
#include "kernel/interop_decode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decode_interop_bytes(data, size);
    return 0;
}
