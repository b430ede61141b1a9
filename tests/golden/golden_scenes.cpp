// The golden scenes. Script scenes look at the origin from 20000 units out along +z unless
// the row says otherwise; the scene's light stands far out along +z, behind the camera.
#include "tests/golden/golden_scenes.h"

#include <utility>

namespace tarnel::golden {

namespace {

GoldenScene scriptScene(std::string name, int frames, std::string script, Vector3 eye = {0.0f, 0.0f, 20000.0f},
                        Vector3 target = {}) {
    GoldenScene scene;
    scene.name = std::move(name);
    scene.frames = frames;
    scene.script = std::move(script);
    scene.eye = eye;
    scene.target = target;
    return scene;
}

// The scene at another window shape; the suffix names it ("-16x9").
GoldenScene reshaped(GoldenScene scene, const char* suffix, int width, int height) {
    scene.name += suffix;
    scene.width = width;
    scene.height = height;
    return scene;
}

// The default scene: its first frame, flightSeconds of flight, then frames more drawn. The
// flare and the lens ghosts fade in over those frames.
GoldenScene defaultScene(std::string name, std::uint32_t seed, double flightSeconds) {
    GoldenScene scene;
    scene.name = std::move(name);
    scene.seed = seed;
    scene.flightSeconds = flightSeconds;
    scene.frames = 8;
    return scene;
}

GoldenScene overlayScene(std::string name, int clockHours, int width, int height) {
    GoldenScene scene;
    scene.name = std::move(name);
    scene.script = "ENDWORLD\n";
    scene.width = width;
    scene.height = height;
    scene.counter = 1907;
    scene.clockHours = clockHours;
    return scene;
}

// Left: the spin moves the texture round the sphere (33 degrees after 12 frames). Right: the
// same spin with tiling 2 shows the grid twice as fine, turned on by the detiling offset.
const char* const kSpinAndTiling =
    "sphere\nbegin spun\norbit\nposition V(-5000 0 0)\nradius 4000\nrotation V(0 1 0) 0 90\n"
    "texture textures\\grid.jpg\nend\n"
    "sphere\nbegin tiled\norbit\nposition V(5000 0 0)\nradius 4000\ntiling 2\ndetiling 60\n"
    "rotation V(0 1 0) 0 90\ntexture textures\\grid.jpg\nend\n"
    "ENDWORLD\n";

// Four flash layers over lit spheres, staggered by the reader: after 7 frames the first two
// fade in (alpha 0.4 and 0.9), the last two fade out (0.6 and 0.1).
std::string flashLayers() {
    std::string script;
    for (const char* x : {"-7500", "-2500", "2500", "7500"}) {
        script += std::string("sphere\nbegin base\norbit\nposition V(") + x +
                  " 0 0)\nradius 2000\nrotation V(0 1 0) 0 0\ntexture textures\\haze.jpg\nend\n";
        script += std::string("sphere\nbegin layer\norbit\nposition V(") + x +
                  " 0 0)\nradius 2080\nlight\nflash\nrotation V(0 1 0) 0 0\ntexture textures\\grid.jpg\nend\n";
    }
    return script + "ENDWORLD\n";
}

// A planet with an atmo shell and a scatter shell, seen from above and aside: both shells
// turn their graded axis to the camera.
const char* const kShells =
    "sphere\nbegin planet\norbit\nposition V(0 0 0)\nradius 5000\ntexture textures\\grid.jpg\nend\n"
    "sphere\nbegin air\natmo\norbit\nposition V(0 0 0)\nradius 5500\ntexture textures\\haze.jpg\nend\n"
    "sphere\nbegin rim\nscatter\norbit\nposition V(0 0 0)\nradius 6000\ntexture textures\\haze.jpg\nend\n"
    "ENDWORLD\n";

// The sky shell of an env sphere with FOV 0.5 (the main view's shape) behind a lit planet.
const char* const kEnvSky =
    "sphere\nbegin sky\nenv\nFOV 0.5\nradius 100\ntiling 6\ntexture textures\\grid.jpg\nend\n"
    "sphere\nbegin planet\norbit\nposition V(0 0 0)\nradius 4000\ntexture textures\\haze.jpg\nend\n"
    "ENDWORLD\n";

// A box whose look and right axes are not perpendicular (a sheared box), turned by its orient
// line and scaled 3000 times; beside it a blended, self-lit copy with the same axes.
const char* const kMesh =
    "geometry meshes\\box.dat\n"
    "mesh\nbegin sheared\nposition V(-5000 0 0)\nlook V(1 0.3 0)\nright V(0.5 1 0.2)\norient V(0 0 1) 30\n"
    "scale 3000\nmaterial\n\tplain\n\tdull\n\tmap1 textures\\grid.jpg\n\tmap2 textures\\grid.jpg\nend\n"
    "mesh\nbegin ghost\nposition V(5000 0 0)\nlook V(1 0.3 0)\nright V(0.5 1 0.2)\norient V(1 1 0) 40\n"
    "scale 2400\nillum\nblend\ncolor V(0.6 1 1)\nmaterial\n\tplain\n\tdull\n\tmap1 textures\\grid.jpg\n"
    "\tmap2 textures\\grid.jpg\nend\n"
    "ENDWORLD\n";

// A level circle of radius 5000 with wide bands, and a stretched, sloping ring above it.
const char* const kFlames =
    "flame\nbegin\norient V(0 0 0)\nsize 3000\noffset 700\ncolorfrom V(1 0.8 0.3)\ncolorto V(0.6 0 0)\nend\n"
    "flame\nbegin\norient V(0 2000 0)\nsize 1000\nell 1.6\nangle 0.3\noffset 400\n"
    "colorfrom V(0.3 0.8 1)\ncolorto V(0 0 0.5)\nend\n"
    "ENDWORLD\n";

// The stream of a line system seen from aside: sprites grow as they fly towards -z and fade
// with their age.
const char* const kLineStream =
    "ps\nbegin\nline\ndens 16\npoint1 V(0 0 -1)\ntexture textures\\glow.jpg\nend\nENDWORLD\n";

// A circ burst a second after it began, on the sphere of radius 1500 about the origin.
const char* const kCircBurst =
    "ps\nbegin\ncirc\ndens 10\nsize 1500\npoint1 V(0 0 0)\ntexture textures\\ring.jpg\nend\nENDWORLD\n";

// The chain of a flash system before its first strike, across the strike axis x. Its sprites
// face one way only: seen from +x they show, from -x nothing does.
const char* const kFlashChain =
    "ps\nbegin\nflash\ndens 12\npoint1 V(0 0 0)\nrot V(1 0 0)\ntexture textures\\streak.jpg\nend\nENDWORLD\n";

// Billboards facing the viewer or keeping their axes, wide, tiled, blended over a sphere,
// drawn through it without the depth test, and blinking (the left one of the lower pair is
// in its hidden phase).
const char* const kBillboardModes =
    "sphere\nbegin back\norbit\nposition V(0 -3000 -10000)\nradius 6000\ntexture textures\\haze.jpg\nend\n"
    "billboard\nbegin\nposition V(-7000 3500 0)\nsize 2500\nrotation 20 1\ntexture textures\\glow.jpg\nend\n"
    "billboard\nbegin\nposition V(0 3500 0)\nsize 1500\norient off\nright V(1 0.5 0)\nup V(0 1 0.5)\n"
    "rotation 0 0\ntexture textures\\grid.jpg\nend\n"
    "billboard\nbegin\nposition V(7000 3500 0)\nsize 1200\nxy 2\ntiling 2\nrotation 0 0\n"
    "texture textures\\grid.jpg\nend\n"
    "billboard\nbegin\nposition V(-3500 -2000 0)\nsize 1800\nblend\nalpha 0.5\nrotation 0 0\n"
    "texture textures\\grid.jpg\nend\n"
    "billboard\nbegin\nposition V(0 -3000 -18000)\nsize 1500\ndepth\nrotation 45 0\n"
    "texture textures\\grid.jpg\nend\n"
    "billboard\nbegin\nposition V(4000 -4000 0)\nsize 2000\nflash 0 1 2)\nrotation 0 0\n"
    "texture textures\\glow.jpg\nend\n"
    "billboard\nbegin\nposition V(7500 -4000 0)\nsize 2000\nflash 0.5 0.2 2)\nrotation 0 0\n"
    "texture textures\\glow.jpg\nend\n"
    "ENDWORLD\n";

// Billboards placed by others: a flickering light above a moon (parent mode), a halo round
// its silhouette (oreol), one standing radially below it (sys), and a sky sprite at a fixed
// direction from the eye (env, FOV 0.5).
const char* const kBillboardAnchors =
    "sphere\nbegin moon\norbit\nposition V(-4000 3000 0)\nradius 2500\ntexture textures\\grid.jpg\nend\n"
    "billboard\nbegin\nparent moon V(0 3800 0)\ncolor V(1 0.3 0.2)\nsize 3000\nalpha 0.6\nrotation 0 0\n"
    "texture textures\\glow.jpg\nend\n"
    "billboard\nbegin\noreol V(-4000 3000 0) 2500\nsize 3200\nalpha 0.8\nrotation 0 0\ntexture textures\\ring.jpg\nend\n"
    "billboard\nbegin\nparent moon V(0 -3800 0)\nsys\nsize 1600\nxy 0.5\nrotation 0 0\n"
    "texture textures\\grid.jpg\nend\n"
    "billboard\nbegin\nenv V(-60 -40 -500)\nFOV 0.5\nsize 60\nrotation 0 0\ntexture textures\\glow.jpg\nend\n"
    "ENDWORLD\n";

// A flare up and to the left of the centre, with its two streaks and 23 ghosts along the line
// through the centre of the screen.
const char* const kLensFlare =
    "flare\nbegin\nposition V(-6000 3500 0)\nsize 60\nrotation 0 0\ntexture textures\\glow.jpg\n"
    "lenseffect\n\tsize 40\n\ttexture textures\\ring.jpg\n\ttexture textures\\glow.jpg\n"
    "\ttexture textures\\streak.jpg\nend\n"
    "ENDWORLD\n";

// Two flares drawn after a sphere: the one at its centre is hidden and never fades in, the
// one beside it shows.
const char* const kHiddenFlare =
    "sphere\nbegin cover\norbit\nposition V(0 0 0)\nradius 3000\ntexture textures\\grid.jpg\nend\n"
    "flare\nbegin\nposition V(0 0 0)\nsize 80\nrotation 0 0\ntexture textures\\glow.jpg\nend\n"
    "flare\nbegin\nposition V(7000 0 0)\nsize 80\nrotation 0 0\ntexture textures\\glow.jpg\nend\n"
    "ENDWORLD\n";

std::vector<GoldenScene> buildTable() {
    // Wide windows keep the picture's height and widen it, here 108 pixels high.
    const GoldenScene spheres = scriptScene("sphere-spin-tiling", 12, kSpinAndTiling);
    const GoldenScene sky = scriptScene("sphere-env", 2, kEnvSky, {6000.0f, 3000.0f, 19000.0f});
    const GoldenScene anchors = scriptScene("billboard-anchors", 10, kBillboardAnchors, {6000.0f, 4000.0f, 14000.0f});
    const GoldenScene lens = scriptScene("flare-lens", 8, kLensFlare);
    std::vector<GoldenScene> table = {
        spheres,
        reshaped(spheres, "-16x9", 192, 108),
        scriptScene("sphere-flash", 7, flashLayers()),
        scriptScene("sphere-shells", 3, kShells, {14000.0f, 6000.0f, 13000.0f}),
        sky,
        reshaped(sky, "-16x9", 192, 108),
        scriptScene("mesh", 2, kMesh, {8000.0f, 6000.0f, 17000.0f}),
        scriptScene("flame", 1, kFlames, {0.0f, 9000.0f, 16000.0f}),
        scriptScene("ps-line", 30, kLineStream, {-25000.0f, 5000.0f, -10000.0f}, {3000.0f, 0.0f, -10000.0f}),
        scriptScene("ps-circ", 45, kCircBurst, {6000.0f, 2000.0f, 0.0f}),
        scriptScene("ps-flash-front", 6, kFlashChain, {5000.0f, 0.0f, 0.0f}),
        scriptScene("ps-flash-back", 6, kFlashChain, {-5000.0f, 0.0f, 0.0f}),
        scriptScene("billboard-modes", 10, kBillboardModes),
        anchors,
        reshaped(anchors, "-16x9", 192, 108),
        lens,
        reshaped(lens, "-16x9", 192, 108),
        scriptScene("flare-hidden", 8, kHiddenFlare),
        overlayScene("overlay-12h", 12, 320, 240),
        overlayScene("overlay-24h", 24, 320, 240),
        overlayScene("overlay-24h-16x9", 24, 384, 216),
        overlayScene("overlay-12h-16x10", 12, 384, 240),
        overlayScene("overlay-24h-21x9", 24, 504, 216),
        overlayScene("overlay-12h-5x4", 12, 300, 240),
    };
    // The sun and its lens ghosts beside the night side; the day side before a nebula, with a
    // moon and the sparks of the station; the station over the day side, with both moons.
    for (const GoldenScene& moment :
         {defaultScene("default-sun", 11, 30.0), defaultScene("default-day", 12, 12.0), defaultScene("default-station", 3, 30.0)}) {
        table.push_back(moment);
        table.push_back(reshaped(moment, "-16x9", 192, 108));
        table.push_back(reshaped(moment, "-21x9", 252, 108));
    }
    return table;
}

}  // namespace

const std::vector<GoldenScene>& goldenScenes() {
    static const std::vector<GoldenScene> table = buildTable();
    return table;
}

}  // namespace tarnel::golden
