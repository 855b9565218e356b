#include "wav_io.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace mediagen {
namespace {

void put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 255);
  out += static_cast<char>(v >> 8 & 255);
}
void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

bool writeWav(const std::string& path, int rate, const std::vector<float>& samples, int peak) {
  float loudest = 0;
  for (float s : samples) loudest = std::max(loudest, std::fabs(s));
  if (loudest == 0) loudest = 1;
  std::string data;
  for (float s : samples) {
    put16(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(s / loudest * peak))));
  }
  std::string file = "RIFF";
  put32(file, 36 + static_cast<uint32_t>(data.size()));
  file += "WAVEfmt ";
  put32(file, 16);
  put16(file, 1);         // PCM
  put16(file, 1);         // mono
  put32(file, rate);
  put32(file, rate * 2);  // bytes per second
  put16(file, 2);         // block alignment
  put16(file, 16);        // bits per sample
  file += "data";
  put32(file, static_cast<uint32_t>(data.size()));
  file += data;
  FILE* out = std::fopen(path.c_str(), "wb");
  const bool ok = out != nullptr && std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (out != nullptr) std::fclose(out);
  if (!ok) std::fprintf(stderr, "mediagen: cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace mediagen
