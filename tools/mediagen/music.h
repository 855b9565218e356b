// The game's music: a calm, seamlessly looping piece synthesised here and
// encoded to MP3 with the lame encoder.
#pragma once

#include <string>

namespace mediagen {

// Writes "deliberate thought.mp3" into dir; keeps the rendered 16-bit WAV at
// wavPath when that is not empty. Returns false when rendering or encoding fails.
bool makeMusic(const std::string& dir, const std::string& wavPath);

}  // namespace mediagen
