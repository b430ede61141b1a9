// The GL state a draw leaves behind, read back in one place for every GL contract test.
#pragma once

#include <GL/gl.h>

#include <array>

namespace tarnel::testing {

struct GlSnapshot {
    bool blend = false, depthTest = false, lighting = false, cullFace = false, texture2d = false,
         alphaTest = false;
    GLboolean depthMask = GL_FALSE;
    GLint blendSrc = 0, blendDst = 0, alphaFunc = 0, cullMode = 0, matrixMode = 0, boundTexture = 0;
    GLfloat alphaRef = -1.0f;
    GLint modelviewDepth = 0, projectionDepth = 0, textureDepth = 0;
    std::array<GLfloat, 16> modelview{}, projection{}, texture{};
    GLint viewport[4] = {};

    static GlSnapshot take() {
        GlSnapshot s;
        s.blend = glIsEnabled(GL_BLEND);
        s.depthTest = glIsEnabled(GL_DEPTH_TEST);
        s.lighting = glIsEnabled(GL_LIGHTING);
        s.cullFace = glIsEnabled(GL_CULL_FACE);
        s.texture2d = glIsEnabled(GL_TEXTURE_2D);
        s.alphaTest = glIsEnabled(GL_ALPHA_TEST);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthMask);
        glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
        glGetIntegerv(GL_BLEND_DST, &s.blendDst);
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &s.alphaFunc);
        glGetFloatv(GL_ALPHA_TEST_REF, &s.alphaRef);
        glGetIntegerv(GL_CULL_FACE_MODE, &s.cullMode);
        glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.boundTexture);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
        glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &s.textureDepth);
        glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview.data());
        glGetFloatv(GL_PROJECTION_MATRIX, s.projection.data());
        glGetFloatv(GL_TEXTURE_MATRIX, s.texture.data());
        glGetIntegerv(GL_VIEWPORT, s.viewport);
        return s;
    }
};

}  // namespace tarnel::testing
