#include "render/gl/entity_shaders.h"

const char* const g_entity_vertex_shader = R"(#version 120
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec4 vertex_colour;
void main()
{
    vec4 position = gl_ModelViewMatrix * gl_Vertex;
    eye_position = position.xyz;
    eye_normal = gl_NormalMatrix * gl_Normal;
    vertex_colour = gl_Color;
    gl_Position = gl_ProjectionMatrix * position;
}
)";

// Flat shading takes the facet normal from the screen-space derivatives of
// the position, so no per-face normal has to be uploaded. kO darkens faces
// that turn away from the sky, kR adds a sky reflection, kE a glow of the
// surface colour.
const char* const g_entity_fragment_shader = R"(#version 120
uniform int flat_shading;
uniform int unlit;
uniform int brighten;
uniform int silhouette;
uniform int x_ray;
uniform int negative;
uniform float ambient_term;
uniform float diffuse_term;
uniform float specular_term;
uniform float occlusion_term;
uniform float emission_term;
uniform float reflection_term;
uniform float light_intensity;
uniform float silhouette_tone;
uniform vec3 light_position;
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec4 vertex_colour;
void main()
{
    vec3 n = flat_shading == 1 ? cross(dFdx(eye_position), dFdy(eye_position)) : eye_normal;
    n = length(n) > 0.0 ? normalize(n) : vec3(0.0, 0.0, 1.0);
    vec3 view = normalize(-eye_position);
    if (dot(n, view) < 0.0) n = -n;
    vec3 base = vertex_colour.rgb;
    vec3 colour = base;
    if (unlit == 0) {
        vec3 light = normalize(light_position - eye_position);
        float diffuse = max(dot(n, light), 0.0);
        float specular = pow(max(dot(n, normalize(light + view)), 0.0), 5.0);
        vec3 lit = base * (ambient_term * 0.3 + diffuse_term * diffuse * light_intensity);
        lit += vec3(specular_term * 0.05 * specular * light_intensity);
        lit *= mix(1.0, 0.6 + 0.4 * (0.5 + 0.5 * n.y), occlusion_term);
        lit += emission_term * 0.25 * base;
        lit += reflection_term * 0.25 * vec3(0.5 + 0.5 * reflect(-view, n).y);
        colour = lit;
    }
    if (brighten == 1) colour = vec3(1.0) - (vec3(1.0) - colour) * (vec3(1.0) - colour);
    if (silhouette == 1 && abs(dot(n, view)) < 0.3) colour = vec3(silhouette_tone);
    if (negative == 1) colour = vec3(1.0) - colour;
    float alpha = x_ray == 1 ? vertex_colour.a * 0.35 : vertex_colour.a;
    gl_FragColor = vec4(clamp(colour, 0.0, 1.0), alpha);
}
)";
