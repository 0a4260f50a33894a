#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumo {

// A signed distance to a shape in icon space (x right, y up, the cell spans
// -2 to 2 on both axes), with six shape parameters.
using SdfFunction = double (*)(double x, double y, const double* params);

// How an icon's two functions combine (extra[0]).
enum SdfCombine : int { kCombineUnion = 0, kCombineSubtract = 1, kCombineIntersect = 2 };

// One icon of the atlas: one or two distance functions and their parameters.
// extra[0] selects the combination of two functions, extra[1] turns the
// shape into an outline of that half-width when above 0.
struct IconDescriptor {
    std::string name;
    SdfFunction sdf = nullptr;
    double params[6] = {0, 0, 0, 0, 0, 0};
    std::uint32_t mode = 0; // 0 one function, 2 two functions
    std::vector<SdfFunction> sdf_list;
    std::vector<double> param_list;
    double extra[4] = {0, 0, 0, 0};
    std::uint32_t active = 0; // 1 once constructed with a function
};

IconDescriptor construct_icon_descriptor(std::string name, SdfFunction sdf, double p0, double p1,
                                         double p2, double p3, double p4, double p5);
IconDescriptor construct_icon_descriptor_pair(std::string name, SdfFunction first, double a0,
                                              double a1, double a2, double a3, double a4, double a5,
                                              SdfFunction second, double b0, double b1, double b2,
                                              double b3, double b4, double b5);

// The signed distance of a descriptor's shape at a point of icon space.
double icon_distance(const IconDescriptor& icon, double x, double y);

// Atlas slots of the interface's icons.
enum IconSlot : int {
    kIconDelete = 1,
    kIconAsterisk = 2,
    kIconConfirm = 4,
    kIconTheme = 5,
    kIconSelect = 6,
    kIconParallel = 7,
    kIconFocus = 13,
    kIconMaterial = 19,
    kIconShader = 20,
    kIconRefresh = 24,
    kIconInfo = 26,
    kIconWindow = 29,
    kIconWorldScale = 30,
    kIconLight = 31,
    kIconFieldOfView = 32,
    kIconLocked = 33,
    kIconCamera = 34,
    kIconSliders = 35,
    kIconBackground = 36,
    kIconFullScreen = 37,
    kIconColour = 43,
    kIconShading = 44,
    kIconOrbit = 45,
    kIconState = 47,
    kIconWidgets = 48,
    kIconView = 49,
    kIconMeshLight = 51,
    kIconProjectionLight = 52,
    kIconLogo = 54,
};

constexpr int kIconAtlasSize = 512;
constexpr int kIconCellSize = 64;
constexpr int kIconSlotCount = 64;
constexpr int kLogoCellSize = 128;
constexpr int kLogoImageSize = 256;

// The descriptor table, one per atlas slot (inactive where a slot is free),
// built on first use so that static initialisers elsewhere may read it.
struct IconTable {
    const IconDescriptor& operator[](int slot) const;
    int size() const { return kIconSlotCount; }
};
inline constexpr IconTable g_icon_descriptors{};

// Where a slot lies in the atlas, in pixels; size 0 for a slot outside it or
// covered by the logo's larger cell.
struct IconCell {
    int x = 0;
    int y = 0;
    int size = 0;
};
IconCell icon_cell(int slot);

} // namespace lumo
