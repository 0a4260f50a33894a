#pragma once

// Recolouring of assembled meshes by the colour settings of the current
// environment. New and re-assembled meshes carry their own per-vertex
// colours, so they are recoloured only when the settings ask for more.

struct Application;
struct Entity;
struct Mesh;

// True when the colour mode is not the mesh's own colours, or transparency
// or inversion is on.
bool needs_colouring(const Application& app);
void apply_colour_function(const Application& app, Mesh& mesh);
// The mesh of a single entity, or of every member of a group.
void colour_entity(const Application& app, Entity& entity);
