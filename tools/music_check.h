// The music member as the desktop saver's player takes it: SDL_mixer decodes Ogg Vorbis
// through libvorbisfile, and so does this check, to the end of the stream.
#pragma once

namespace tarnel::pack {

// Reports "music.ogg" when it is missing, empty, not an Ogg Vorbis stream, damaged on the
// way, or holds no sound.
void checkMusicMember();

}  // namespace tarnel::pack
