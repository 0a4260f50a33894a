// Any bytes as an interop file: decoding must reject or accept them without
// reading outside the input or allocating beyond what it holds, and the
// meshes made of what it accepts must release without a leak.
#include "kernel/interop_decode.h"
#include "kernel/interop_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto decoded = decode_interop_bytes(data, size);
    if (!decoded) return 0;
    MeshList meshes;
    for (InteropMeshData& mesh : *decoded)
        meshes.push_back(make_interop_mesh(std::move(mesh)));
    release_meshes(meshes);
    return 0;
}
