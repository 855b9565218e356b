// WAV files built byte by byte for the sound tests: any chunk in any order,
// any field falsified.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testwav {

inline std::string le16(int v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
inline std::string le32(uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

// A chunk: identifier, size (the body's unless falsified), body, and the pad
// byte after an odd body when pad is set.
inline std::string chunk(const std::string& id, const std::string& body, bool pad = true,
                         int64_t size = -1) {
  std::string out = id + le32(static_cast<uint32_t>(size < 0 ? body.size() : size)) + body;
  if (pad && (body.size() & 1)) out.push_back('\0');
  return out;
}

struct Format {
  int channels = 1;
  uint32_t rate = 44100;
  int bits = 16;
  int blockAlign = -1;  // -1: channels * bits / 8
  int tag = 1;
};

inline std::string fmtBody(const Format& f) {
  const int align = f.blockAlign < 0 ? f.channels * f.bits / 8 : f.blockAlign;
  return le16(f.tag) + le16(f.channels) + le32(f.rate) + le32(f.rate * static_cast<uint32_t>(align)) +
         le16(align) + le16(f.bits);
}

inline std::string fmtChunk(const Format& f = {}) { return chunk("fmt ", fmtBody(f)); }

inline std::string riff(const std::string& chunks, const std::string& form = "WAVE") {
  return "RIFF" + le32(static_cast<uint32_t>(4 + chunks.size())) + form + chunks;
}

// frames of a constant level per channel: 16-bit signed or 8-bit unsigned.
inline std::string constantFrames(int frames, const std::vector<int>& levels, int bits = 16) {
  std::string out;
  for (int i = 0; i < frames; ++i)
    for (int level : levels) out += bits == 16 ? le16(level) : std::string(1, static_cast<char>(level));
  return out;
}

// A whole, valid file.
inline std::string wav(const Format& f, const std::string& data) {
  return riff(fmtChunk(f) + chunk("data", data));
}

}  // namespace testwav
