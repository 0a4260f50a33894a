#include "render/gl/light0_gl.h"

#include <GL/gl.h>

void apply_light0_terms(const Light0Terms& terms)
{
    glLightfv(GL_LIGHT0, GL_AMBIENT, terms.ambient.data());
    glLightfv(GL_LIGHT0, GL_DIFFUSE, terms.diffuse.data());
    glLightfv(GL_LIGHT0, GL_SPECULAR, terms.specular.data());
}
