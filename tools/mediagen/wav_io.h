// Writing the generated sound samples: 16-bit PCM WAV files.
#pragma once

#include <string>
#include <vector>

namespace mediagen {

// Writes samples (any scale) as 16-bit mono PCM at rate, normalised so that
// the loudest sample reaches peak; false (after a message on stderr) on failure.
bool writeWav(const std::string& path, int rate, const std::vector<float>& samples, int peak = 20000);

}  // namespace mediagen
