#include "lumo/assets/icons.h"

#include <algorithm>
#include <utility>

#include "lumo/assets/sdf.h"

namespace lumo {

IconDescriptor construct_icon_descriptor(std::string name, SdfFunction sdf, double p0, double p1,
                                         double p2, double p3, double p4, double p5)
{
    IconDescriptor icon;
    icon.name = std::move(name);
    icon.sdf = sdf;
    const double params[6] = {p0, p1, p2, p3, p4, p5};
    std::copy(params, params + 6, icon.params);
    icon.mode = 0;
    icon.active = 1;
    return icon;
}

IconDescriptor construct_icon_descriptor_pair(std::string name, SdfFunction first, double a0,
                                              double a1, double a2, double a3, double a4, double a5,
                                              SdfFunction second, double b0, double b1, double b2,
                                              double b3, double b4, double b5)
{
    IconDescriptor icon = construct_icon_descriptor(std::move(name), first, a0, a1, a2, a3, a4, a5);
    icon.mode = 2;
    icon.sdf_list = {first, second};
    icon.param_list = {a0, a1, a2, a3, a4, a5, b0, b1, b2, b3, b4, b5};
    return icon;
}

double icon_distance(const IconDescriptor& icon, double x, double y)
{
    if (icon.active == 0 || icon.sdf == nullptr) return 1e9;
    if (icon.mode != 2 || icon.sdf_list.size() < 2 || icon.param_list.size() < 12)
        return icon.sdf(x, y, icon.params);
    const double a = icon.sdf_list[0](x, y, icon.param_list.data());
    const double b = icon.sdf_list[1](x, y, icon.param_list.data() + 6);
    switch (static_cast<int>(icon.extra[0])) {
    case kCombineSubtract:
        return std::max(a, -b);
    case kCombineIntersect:
        return std::max(a, b);
    default:
        return std::min(a, b);
    }
}

namespace {

using namespace sdf;

IconDescriptor combined(IconDescriptor icon, SdfCombine how)
{
    icon.extra[0] = how;
    return icon;
}

// Line weight shared by the outlined icons, so that they read as one set.
constexpr double kW = 0.16;

std::vector<IconDescriptor> build_icon_table()
{
    std::vector<IconDescriptor> table(kIconSlotCount);
    auto one = [&](int slot, const char* name, SdfFunction f, double p0, double p1, double p2,
                   double p3, double p4, double p5) {
        table[slot] = construct_icon_descriptor(name, f, p0, p1, p2, p3, p4, p5);
    };
    auto two = [&](int slot, const char* name, SdfCombine how, SdfFunction f, double a0, double a1,
                   double a2, double a3, double a4, double a5, SdfFunction g, double b0, double b1,
                   double b2, double b3, double b4, double b5) {
        table[slot] = combined(construct_icon_descriptor_pair(name, f, a0, a1, a2, a3, a4, a5, g,
                                                              b0, b1, b2, b3, b4, b5),
                               how);
    };
    one(kIconDelete, "delete", cross, 0, 0, 1.3, kW * 1.3, 45, 0);
    one(kIconAsterisk, "asterisk", rays, 0, 0, 0, 1.35, 6, kW * 1.3);
    two(kIconConfirm, "confirm", kCombineSubtract, circle, 0, 0, 1.6, 0, 0, 0, check_mark, 0, 0.05,
        0.8, kW * 1.4, 0, 0);
    two(kIconTheme, "theme", kCombineUnion, ring, 0, 0, 1.4, kW, 0, 0, arc, 0, 0, 0.7, 0.7, 0, 90);
    two(kIconSelect, "select", kCombineUnion, triangle, -0.9, 1.6, -0.9, -0.7, 0.8, 0.2, segment,
        -0.2, -0.1, 0.6, -1.4, kW * 1.4, 0);
    one(kIconParallel, "parallel", bars, 0, 0, 3, 0.95, kW * 1.3, 1.3);
    two(kIconFocus, "focus", kCombineUnion, corners, 0, 0, 1.1, 0.6, kW, 1, circle, 0, 0, 0.35, 0,
        0, 0);
    two(kIconMaterial, "material", kCombineSubtract, circle, 0, 0, 1.5, 0, 0, 0, circle, -0.55,
        0.55, 0.38, 0, 0, 0);
    one(kIconShader, "shader", checker, 0, 0, 1.4, 4, 0, 0);
    two(kIconRefresh, "refresh", kCombineUnion, arc, 0, 0, 1.15, kW, 60, 35, triangle, 0.95, 1.05,
        1.75, 1.6, 1.7, 0.35);
    two(kIconInfo, "info", kCombineSubtract, circle, 0, 0, 1.6, 0, 0, 0, info_glyph, 0, 0, 1.5,
        kW * 1.3, 0, 0);
    two(kIconWindow, "window", kCombineUnion, frame, 0, 0, 1.5, 1.2, 0.2, kW, segment, -1.5, 0.65,
        1.5, 0.65, kW, 0);
    two(kIconWorldScale, "world scale", kCombineUnion, ring, 0, 0, 1.45, kW, 0, 0, ellipse_ring, 0,
        0, 0.6, 1.45, kW, 0);
    two(kIconLight, "light", kCombineUnion, circle, 0, 0, 0.7, 0, 0, 0, rays, 0, 0, 1.05, 1.6, 8,
        kW);
    two(kIconFieldOfView, "field of view", kCombineUnion, wedge, -1.4, 0, 2.9, 32, kW, 0, arc, -1.4,
        0, 2.2, kW, 180, 148);
    two(kIconLocked, "locked", kCombineUnion, box, 0, -0.55, 1.15, 0.9, 0.2, 0, arc, 0, 0.45, 0.75,
        kW * 1.3, 270, 90);
    two(kIconCamera, "camera", kCombineSubtract, box, 0, -0.15, 1.6, 1.05, 0.25, 0, ring, 0, -0.15,
        0.6, kW, 0, 0);
    two(kIconSliders, "sliders", kCombineUnion, hbars, 0, 0, 3, 1.0, kW * 0.8, 1.5, knobs, 1.0, 0.3,
        0.6, -0.7, 0.2, 0);
    two(kIconBackground, "background", kCombineUnion, frame, 0, 0, 1.55, 1.25, 0.15, kW, triangle,
        -1.2, -0.9, -0.2, 0.5, 0.8, -0.9);
    one(kIconFullScreen, "full screen", corners, 0, 0, 1.4, 0.7, kW * 1.2, 0);
    two(kIconColour, "colour", kCombineUnion, circle, 0, -0.45, 1.1, 0, 0, 0, triangle, -0.95, 0.1,
        0.95, 0.1, 0, 1.65);
    two(kIconShading, "shading", kCombineIntersect, circle, 0, 0, 1.5, 0, 0, 0, stripes, 0, 0, 0.55,
        0.14, 45, 0);
    two(kIconOrbit, "orbit", kCombineUnion, ellipse_ring, 0, 0, 1.6, 0.65, kW, 20, circle, 0, 0,
        0.55, 0, 0, 0);
    two(kIconState, "state", kCombineUnion, frame, 0, 0, 1.55, 0.8, 0.8, kW, circle, 0.75, 0, 0.48,
        0, 0, 0);
    one(kIconWidgets, "widgets", axes, 0, 0, 2.0, kW, 0, 0);
    two(kIconView, "view", kCombineUnion, vesica, 0, 0, 1.65, 0.95, kW, 0, circle, 0, 0, 0.48, 0, 0,
        0);
    one(kIconMeshLight, "mesh light", tri_mesh, 0, -0.2, 1.65, kW * 0.9, 0, 0);
    one(kIconProjectionLight, "projection light", cube_wire, 0, 0, 1.6, kW * 0.9, 0, 0);
    two(kIconLogo, "logo", kCombineSubtract, hexagon, 0, 0, 1.75, 0, 0, 0, tri_star, 0, 0, 1.75,
        0.11, 0, 0);
    return table;
}

const std::vector<IconDescriptor>& icon_table()
{
    static const std::vector<IconDescriptor> table = build_icon_table();
    return table;
}

} // namespace

const IconDescriptor& IconTable::operator[](int slot) const
{
    return icon_table()[static_cast<std::size_t>(std::clamp(slot, 0, kIconSlotCount - 1))];
}

IconCell icon_cell(int slot)
{
    constexpr int per_row = kIconAtlasSize / kIconCellSize;
    if (slot < 0 || slot >= kIconSlotCount) return {};
    const int cx = slot % per_row;
    const int cy = slot / per_row;
    if (slot == kIconLogo) return {cx * kIconCellSize, cy * kIconCellSize, kLogoCellSize};
    // The logo's double cell covers the three slots right of and below it.
    const int logo_x = kIconLogo % per_row;
    const int logo_y = kIconLogo / per_row;
    if (cx >= logo_x && cx <= logo_x + 1 && cy >= logo_y && cy <= logo_y + 1) return {};
    return {cx * kIconCellSize, cy * kIconCellSize, kIconCellSize};
}

} // namespace lumo
