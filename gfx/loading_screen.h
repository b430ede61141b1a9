// The loading screen: the "sign.jpg" picture above the "load.jpg" one, drawn at every loading
// tick over a cleared frame. The two images are textures of their own, not table entries.
#pragma once

#include "assets/member_opener.h"
#include "assets/texture_table.h"

namespace tarnel::gfx {

class LoadingImages {
public:
    TextureEntry load;  // "textures\load.jpg"; texture 0 when missing
    TextureEntry sign;  // "textures\sign.jpg"
};

// The process-wide pair, loaded once per saver run.
LoadingImages& loadingImages();

// Needs a current OpenGL context; a missing or unreadable image leaves its quad untextured.
void loadLoadingImages(const MemberOpener& openMember = openPackageMember);

// Draws both pictures in overlay space with the blending in force. Leaves texturing on with
// "load.jpg" bound, depth testing and lighting on and the modelview matrix selected.
void drawLoadingScreen();

}  // namespace tarnel::gfx
