// Writing the generated images: 8-bit RGBA PNG and baseline RGB JPEG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

// Writes an 8-bit RGBA PNG; returns false (after a message on stderr) on failure.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

// Writes a baseline, three-component JPEG of the given quality.
bool writeJpeg(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
               int quality);

}  // namespace mediagen
