#include "render/light0.h"

namespace {

std::array<float, 4> grey(float level)
{
    return {level, level, level, 1.0f};
}

} // namespace

Light0Terms compute_light0_terms(bool ambient, bool diffuse, bool specular)
{
    Light0Terms terms;
    terms.ambient = grey(ambient ? 0.05f : 0.0f);
    terms.diffuse = grey(diffuse ? 1.0f : 0.0f);
    terms.specular = grey(specular ? 0.05f : 0.0f);
    return terms;
}
