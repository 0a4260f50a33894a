#include "panels/entity_colouring.h"

#include "state/application.h"
#include "model/entity.h"
#include "model/mesh.h"

bool needs_colouring(const Application& app)
{
    const ViewSettings& settings = app.view_settings;
    return settings.colour_mode != COLOUR_SCHEME_VERTEX || settings.transparent_mode != 0 ||
           settings.colour_inverted != 0;
}

ColourSettings colour_settings_of(const Application& app)
{
    const ViewSettings& view = app.view_settings;
    ColourSettings settings;
    settings.scheme = view.colour_mode;
    settings.function = static_cast<ColourModeId>(view.colour_function);
    settings.negate = view.colour_negate != 0;
    settings.multi_channel = view.multi_channel_colour != 0;
    settings.inverted = view.colour_inverted != 0;
    settings.transparent = view.transparent_mode != 0;
    settings.eye = {app.camera.eye[0], app.camera.eye[1], app.camera.eye[2]};
    return settings;
}

void apply_colour_function(const Application& app, Mesh& mesh)
{
    apply_colour_function(colour_settings_of(app), mesh);
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

void recolour_all(Application& app)
{
    if (app.current_entity_list != nullptr)
        for (Entity& entity : app.current_entity_list->entities)
            if (entity.assembled != 0) colour_entity(app, entity);
    app.redraw_requested = 1;
}

void toggle_colour_inversion(Application& app)
{
    app.view_settings.colour_inverted = app.view_settings.colour_inverted != 0 ? 0 : 1;
    recolour_all(app);
}

void toggle_transparency_mode(Application& app)
{
    app.view_settings.transparent_mode = app.view_settings.transparent_mode != 0 ? 0 : 1;
    recolour_all(app);
}

void build_function_palette(Application& app)
{
    app.function_palette = build_function_palette(app.view_settings.multi_channel_colour != 0);
    for (std::size_t i = 0; i < app.function_palette.size(); ++i)
        app.colour_bar.swatches[i].background_colour = app.function_palette[i];
}
