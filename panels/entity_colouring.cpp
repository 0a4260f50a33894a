#include "panels/entity_colouring.h"

#include "app/state/application.h"
#include "model/entity.h"
#include "model/mesh.h"

namespace {

void invert_rgb(Mesh& mesh)
{
    if (mesh.vertex_colour_bytes == nullptr) return;
    U8Array& bytes = *mesh.vertex_colour_bytes;
    for (std::size_t at = 0; at + 2 < bytes.size(); at += 4)
        for (std::size_t c = 0; c < 3; ++c)
            bytes[at + c] = static_cast<std::uint8_t>(255 - bytes[at + c]);
}

} // namespace

bool needs_colouring(const Application& app)
{
    const ViewSettings& settings = app.view_settings;
    return settings.colour_mode != COLOUR_SCHEME_VERTEX || settings.transparent_mode != 0 ||
           settings.colour_inverted != 0;
}

void apply_colour_function(const Application& app, Mesh& mesh)
{
    switch (app.view_settings.colour_mode) {
    case COLOUR_SCHEME_DARK:
        fill_vertex_grey(mesh, 0.25);
        break;
    case COLOUR_SCHEME_LIGHT:
        fill_vertex_grey(mesh, 1.0);
        break;
    default: // the colour functions are drawn over the mesh's own colours
        copy_vertex_colours(mesh);
        break;
    }
    if (app.view_settings.colour_inverted != 0) invert_rgb(mesh);
}

void colour_entity(const Application& app, Entity& entity)
{
    if (entity.kind != ENTITY_GROUP) {
        if (entity.mesh != nullptr) apply_colour_function(app, *entity.mesh);
        return;
    }
    for (Entity* member : entity.members)
        if (member != nullptr && member->mesh != nullptr) apply_colour_function(app, *member->mesh);
}
