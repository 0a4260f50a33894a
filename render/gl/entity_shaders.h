#pragma once

// GLSL 1.20 sources of the entity program. The vertex stage passes the
// eye-space position, normal and colour; the fragment stage shades with the
// lighting terms and the effects named by its uniforms.

extern const char* const g_entity_vertex_shader;
extern const char* const g_entity_fragment_shader;
