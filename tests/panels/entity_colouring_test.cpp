#include "panels/entity_colouring.h"

#include "tests/panels/panel_fixture.h"

namespace {

// One red vertex whose bytes were drawn over.
void give_red_vertex(Mesh& mesh)
{
    mesh.vertex_colours = new F64Array{1.0, 0.0, 0.0, 1.0};
    mesh.vertex_colour_bytes = new U8Array{9, 9, 9, 200};
}

TEST_F(PanelTest, SchemesFillGreyOrRestoreTheOwnColoursTakingTheOwnAlpha)
{
    EXPECT_FALSE(needs_colouring(app)) << "the meshes' own colours need no recolouring";
    Mesh mesh;
    give_red_vertex(mesh);
    app.view_settings.colour_mode = COLOUR_SCHEME_DARK;
    apply_colour_function(app, mesh);
    EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{63, 63, 63, 255}));
    app.view_settings.colour_mode = COLOUR_SCHEME_VERTEX;
    app.view_settings.colour_inverted = 1;
    EXPECT_TRUE(needs_colouring(app));
    apply_colour_function(app, mesh);
    EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{0, 255, 255, 255}));

    // A group colours every member and skips missing ones.
    Entity member = construct_entity();
    member.mesh = &mesh;
    Entity group = construct_entity_as_group(true);
    group.members = {nullptr, &member};
    app.view_settings.colour_mode = COLOUR_SCHEME_LIGHT;
    app.view_settings.colour_inverted = 0;
    colour_entity(app, group);
    EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{255, 255, 255, 255}));
}

} // namespace
