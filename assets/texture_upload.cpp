// Every texture of the system goes through here, JPEG and TGA alike.
#include "assets/texture_upload.h"

#include "assets/load_timing.h"

#include <GL/glu.h>

namespace tarnel {

int componentsOf(GLenum format) {
    switch (format) {
        case GL_RGBA: return 4;
        case GL_LUMINANCE: return 1;
        default: return 3;
    }
}

GLuint uploadTexture(int width, int height, GLenum format, const std::uint8_t* pixels) {
    if (width <= 0 || height <= 0 || !pixels) return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    ScopedLoadStep timed(LoadStep::Mipmaps);
    GLint failed = gluBuild2DMipmaps(GL_TEXTURE_2D, componentsOf(format), width, height, format,
                                     GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (failed) {
        glDeleteTextures(1, &texture);
        return 0;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

}  // namespace tarnel
