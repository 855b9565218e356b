// Carrying the sprite slots' images over a change of display that throws the
// OpenGL context away: before the context goes, every loaded slot's image is
// saved into a temporary file; once the new context exists, the images are
// uploaded again from it and the file is removed. Only the images travel: the
// frame sizes and all other slot fields stay in the slot table.
#pragma once

#include "morvane/sprites.h"

#include <string>

namespace mvn {

class OpenGLRainbows;



// The same on a given renderer; its context must be current.
int saveTextures(OpenGLRainbows& renderer);
int restoreTextures(OpenGLRainbows& renderer);

// "mvntxs<id>.bin" in the temporary directory, id the process id followed by
// eight random digits, in lower-case hexadecimal. A save creates the file
// exclusively and takes another random part while the name is taken, so
// concurrent runs never share a backup, not even runs in separate process-id
// spaces; the name a save used stays until the next save.
const std::string& textureBackupName();

// Removes the backup this run saved and has not restored (a file, or what
// replaced it under its name: a symbolic link, never its target, or an empty
// directory), so that no stale backup outlives a renderer. Nothing under the
// name that this run did not write is touched.
void removeTextureBackup();

}  // namespace mvn
