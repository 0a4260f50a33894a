#include "kernel/interop_colours.h"

#include "model/mesh.h"

#include <algorithm>
#include <cstddef>

namespace {

template <typename Index>
std::vector<double> gather_from(const std::vector<double>& palette,
                                const std::vector<Index>& indices, std::size_t entry_count)
{
    const std::size_t colour_count = palette.size() / 4;
    std::vector<double> gathered(entry_count * 4);
    for (std::size_t i = 0; i < entry_count; ++i) {
        const std::size_t colour = indices[i];
        if (colour >= colour_count) return {};
        for (std::size_t channel = 0; channel < 4; ++channel)
            gathered[4 * i + channel] = palette[4 * colour + channel];
    }
    return gathered;
}

} // namespace

std::vector<double> gather_vertex_blocks(const std::vector<double>& palette,
                                         const std::vector<std::uint32_t>& indices_32,
                                         const std::vector<std::uint16_t>& indices_16,
                                         const std::vector<std::uint8_t>& indices_8)
{
    // The entry count follows the narrowest non-empty list; only one list is
    // ever filled, so capping it by the chosen list changes nothing but
    // keeps a mismatch from reading past that list.
    const std::size_t entry_count = !indices_8.empty()    ? indices_8.size()
                                    : !indices_16.empty() ? indices_16.size()
                                                          : indices_32.size();
    if (!indices_32.empty())
        return gather_from(palette, indices_32, std::min(entry_count, indices_32.size()));
    if (!indices_16.empty())
        return gather_from(palette, indices_16, std::min(entry_count, indices_16.size()));
    return gather_from(palette, indices_8, entry_count);
}

std::vector<std::uint8_t> colour_values_to_bytes(const std::vector<double>& values)
{
    std::vector<std::uint8_t> bytes(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        bytes[i] = colour_to_byte(values[i]);
    return bytes;
}
