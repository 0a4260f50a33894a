#include "model/icon_descriptor.h"

#include <utility>

IconDescriptor construct_icon_descriptor(std::string name, SignedDistanceFunction sdf,
                                         const IconParameters& params)
{
    IconDescriptor icon;
    icon.name = std::move(name);
    icon.sdf = sdf;
    icon.params = params;
    return icon;
}

IconDescriptor construct_icon_descriptor_pair(std::string name, SignedDistanceFunction first,
                                              const IconParameters& first_params,
                                              SignedDistanceFunction second,
                                              const IconParameters& second_params)
{
    IconDescriptor icon = construct_icon_descriptor(std::move(name), first, first_params);
    icon.mode = ICON_PAIR;
    icon.sdf_list = {first, second};
    icon.param_list.assign(first_params.begin(), first_params.end());
    icon.param_list.insert(icon.param_list.end(), second_params.begin(), second_params.end());
    return icon;
}
