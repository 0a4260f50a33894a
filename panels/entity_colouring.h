#pragma once

// Recolouring of assembled meshes by the colour settings of the current
// environment. New and re-assembled meshes carry their own per-vertex
// colours, so they are recoloured only when the settings ask for more.

#include "render/colour_functions.h"

struct Application;
struct Entity;
struct Mesh;

// True when the colour mode is not the mesh's own colours, or transparency
// or inversion is on.
bool needs_colouring(const Application& app);
// The colour settings of the current environment, the depth measured from
// the live camera's eye.
ColourSettings colour_settings_of(const Application& app);
void apply_colour_function(const Application& app, Mesh& mesh);
// The mesh of a single entity, or of every member of a group.
void colour_entity(const Application& app, Entity& entity);
// Every assembled entity of the current environment.
void recolour_all(Application& app);
// Flip the setting, recolour everything and ask for a redraw.
void toggle_colour_inversion(Application& app);
void toggle_transparency_mode(Application& app);
// The palette of the colour functions by the multi-channel colour-space
// byte, shown in the colour bar's ten legend swatches.
void build_function_palette(Application& app);
