// Turning decoded pixels into an OpenGL texture object with its whole mipmap chain. Needs a
// current OpenGL context.
#pragma once

#include <cstdint>

#include <GL/gl.h>

namespace tarnel {

// Generates a texture name and uploads width x height pixels of the given format (GL_RGB,
// GL_RGBA, GL_BGR or GL_LUMINANCE, unsigned bytes, rows packed without padding), scaling
// sides that are not powers of two. Linear-mipmap-linear minification, linear
// magnification, repeat wrapping. Returns the texture name, or 0 when the upload fails.
GLuint uploadTexture(int width, int height, GLenum format, const std::uint8_t* pixels);

// Components a pixel of format holds: 1, 3 or 4.
int componentsOf(GLenum format);

}  // namespace tarnel
