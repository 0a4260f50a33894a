#pragma once

// One interface icon as the icon atlas generator renders it: one or two
// signed-distance functions with their numeric parameters. The record does
// not own the functions it points at.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Signed distance of the point (x, y) from the shape; `params` points at the
// shape's six parameters.
using SignedDistanceFunction = double (*)(double x, double y, const double* params);

using IconParameters = std::array<double, 6>;

enum IconMode : std::uint32_t {
    ICON_SINGLE = 0,
    ICON_PAIR = 2,
};

struct IconDescriptor {
    std::string name;                     // for example "sphere"
    SignedDistanceFunction sdf = nullptr; // the (first) function
    IconParameters params{};              // the first function's parameters
    std::uint32_t mode = ICON_SINGLE;
    std::vector<SignedDistanceFunction> sdf_list; // pair: first, second
    std::vector<double> param_list;               // pair: first's six, then second's six
    std::array<double, 4> extra{};                // set after construction for some icons
    std::uint32_t active = 1;
};

// Copy, assignment and destruction are the memberwise defaults: the lists
// deeply, the function pointers shallowly.
IconDescriptor construct_icon_descriptor(std::string name, SignedDistanceFunction sdf,
                                         const IconParameters& params);
IconDescriptor construct_icon_descriptor_pair(std::string name, SignedDistanceFunction first,
                                              const IconParameters& first_params,
                                              SignedDistanceFunction second,
                                              const IconParameters& second_params);
