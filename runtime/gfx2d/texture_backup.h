// Carrying the sprite slots' images over a change of display that throws the
// OpenGL context away: before the context goes, every loaded slot's image is
// saved into a temporary file; once the new context exists, the images are
// uploaded again from it and the file is removed. Only the images travel: the
// frame sizes and all other slot fields stay in the slot table.
#pragma once

#include <string>

namespace mvn {

class OpenGLRainbows;

// The program's command on the running renderer: 0 saves, any other value
// restores. 1 when the backup file could be created (save) or opened
// (restore), else 0; a save whose file could not be written whole keeps no
// file and answers 0 as well.
int backupTextures(int restore);

// The same on a given renderer; its context must be current.
int saveTextures(OpenGLRainbows& renderer);
int restoreTextures(OpenGLRainbows& renderer);

// "mvntxs<id>.bin" in the temporary directory, id the process id in
// lower-case hexadecimal, so that concurrent runs never share a backup. Fixed
// at its first use for the rest of the run.
const std::string& textureBackupName();

// Removes a file, a symbolic link (never its target) or an empty directory
// under the backup name, so that no stale backup outlives a renderer.
void removeTextureBackup();

}  // namespace mvn
