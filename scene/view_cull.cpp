#include "scene/view_cull.h"

#include "assets/list_summary.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

namespace tarnel {

namespace {

bool cullingOn = false;

// Whether a ball round the model's origin lies wholly outside one of the six planes of the
// view volume. The planes come from the rows of projection x modelview, so they are in model
// coordinates and any scale or shear of the model is already in them.
bool outsideView(float extent) {
    GLfloat modelview[16], projection[16], clip[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[column * 4 + k];
            clip[column * 4 + row] = sum;
        }
    // A point is inside when -w <= x, y, z <= w: six planes w + r and w - r for rows r.
    for (int row = 0; row < 3; ++row)
        for (float sign : {1.0f, -1.0f}) {
            float plane[4];
            for (int column = 0; column < 4; ++column)
                plane[column] = clip[column * 4 + 3] + sign * clip[column * 4 + row];
            float reach = extent * std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            // Slack for the rounding of the products: a ball that only grazes a plane is drawn.
            if (plane[3] + reach < -1e-5f * (std::fabs(plane[3]) + reach)) return true;
        }
    return false;
}

}  // namespace

void setViewCulling(bool on) { cullingOn = on; }

void callListInView(std::uint32_t list) {
    const ListSummary* summary = cullingOn ? listSummary(list) : nullptr;
    if (summary == nullptr || !outsideView(summary->extent)) {
        glCallList(list);
        return;
    }
    if (!summary->hasCorners) return;
    if (summary->coloured) glColor4fv(summary->colour);
    glNormal3fv(summary->normal);
    glTexCoord2fv(summary->texCoord);
}

}  // namespace tarnel
