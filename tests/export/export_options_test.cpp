#include <gtest/gtest.h>

#include "export/export_options.h"

namespace {

struct EstimateCase {
    const char* name;
    ExportOptions options;
    ExportCounts counts;
    std::int64_t bytes;
    const char* text;
    bool enabled;
};

constexpr ExportCounts SMALL{100, 120, 150, 50};

TEST(ExportOptions, EstimatesSizeTextAndWhetherAnythingIsWritten)
{
    const char* const none = "Estimated Size-on-Disk: 0.000 MB";
    const EstimateCase cases[] = {
        {"obj both topologies, normals and colours", {{1, 0, 0, 0}, {1, 1}, {1, 1, 0}}, SMALL,
         36320, "Estimated Size-on-Disk: 0.035 MB", true},
        {"no format chosen", {}, SMALL, 0, none, false},
        {"obj without topology", {{1, 0, 0, 0}, {0, 0}, {1, 1, 0}}, SMALL, 0, none, false},
        {"ply binary, polygons only", {{0, 0, 1, 0}, {1, 0}, {0, 1, 1}}, SMALL,
         24 * 100 + 4 * 100 + 4 * 120, "Estimated Size-on-Disk: 0.003 MB", true},
        {"stl text without topology", {{0, 0, 0, 1}, {0, 0}, {0, 0, 0}}, SMALL,
         3 * 98 * 50 + 2048, "Estimated Size-on-Disk: 0.016 MB", true},
        {"stl binary with vertices but no triangle", {{0, 0, 0, 1}, {0, 0}, {0, 0, 1}},
         {3, 0, 0, 0}, 128, none, true},
        {"stl with every entity hidden", {{0, 0, 0, 1}, {0, 0}, {0, 0, 1}}, {}, 0, none, false},
        {"ten million vertices in three formats", {{1, 1, 1, 0}, {1, 1}, {1, 1, 0}},
         {10'000'000, 40'000'000, 60'000'000, 20'000'000}, 13'280'000'000,
         "Estimated Size-on-Disk: 12664.795 MB", true},
    };
    for (const EstimateCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int64_t bytes = estimate_export_size(c.options, c.counts);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(export_size_text(bytes), c.text);
        EXPECT_EQ(export_options_enabled(c.options, bytes), c.enabled);
    }
}

} // namespace
