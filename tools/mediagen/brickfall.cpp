#include "brickfall.h"

#include <cmath>
#include <vector>

#include "canvas.h"
#include "image_io.h"
#include "random.h"
#include "stroke_font.h"
#include "wav_io.h"

namespace mediagen {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kRate = 22050;

// A brick in light greys, lit from the top left, so that the program's tint
// gives each row its colour.
bool writeBrick(const std::string& dir) {
  Canvas c(56, 20, 4);
  c.fill(roundRect(0, 0, 56, 20, 3), rgb(0x5A5A5A));
  c.fill(roundRect(0, 0, 54.5f, 18.5f, 3), rgb(0xFFFFFF));
  c.fill(roundRect(2, 2, 54, 18, 2), [](float x, float y) {
    return mix(rgb(0xF2F2F2), rgb(0xB4B4B4), clamp01((x / 56 + y / 20) / 2));
  });
  c.fill(rect(4, 4, 40, 6), rgb(0xFFFFFF, 0.6f));  // a gleam
  return writePng(dir + "/brick.png", c.width(), c.height(), c.rgba8());
}

// Near-white strokes with a dark edge: the program tints its text.
bool writeFont(const std::string& dir) {
  return writeStrokeFont(dir + "/brickfont.png", {rgb(0x101018), rgb(0xFFFFFF), rgb(0xC8C8D0)});
}

// A short wooden knock: the ball on the paddle or a wall, 60 ms.
bool writeBounce(const std::string& dir) {
  std::vector<float> samples(kRate * 60 / 1000);
  float phase = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    const float t = float(i) / kRate;
    phase += 2 * kPi * (520 - 1500 * t) / kRate;
    samples[i] = std::min(1.f, t / 0.001f) * std::sin(phase) * std::exp(-t / 0.015f);
  }
  return writeWav(dir + "/bounce.wav", kRate, samples);
}

// A brick breaking: a bright chime over a burst of noise, 150 ms.
bool writeCrack(const std::string& dir) {
  Random random(71);
  std::vector<float> samples(kRate * 150 / 1000);
  for (size_t i = 0; i < samples.size(); ++i) {
    const float t = float(i) / kRate;
    const float chime = std::sin(2 * kPi * 1320 * t) + 0.5f * std::sin(2 * kPi * 1980 * t);
    const float noise = static_cast<float>(random.range(-1, 1)) * std::exp(-t / 0.01f);
    samples[i] = std::min(1.f, t / 0.001f) * (chime * std::exp(-t / 0.05f) + noise);
  }
  return writeWav(dir + "/crack.wav", kRate, samples);
}

// The ball lost: a tone sliding down an octave, 400 ms.
bool writeLose(const std::string& dir) {
  std::vector<float> samples(kRate * 400 / 1000);
  float phase = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    const float t = float(i) / kRate;
    phase += 2 * kPi * 440 * std::pow(0.5f, t / 0.4f) / kRate;
    const float square = std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5;
    samples[i] = std::min(1.f, t / 0.005f) * square * std::min(1.f, (0.4f - t) / 0.05f);
  }
  return writeWav(dir + "/lose.wav", kRate, samples, 16000);
}

}  // namespace

bool makeBrickfallMedia(const std::string& dir) {
  bool ok = writeBrick(dir);
  ok &= writeFont(dir);
  ok &= writeBounce(dir);
  ok &= writeCrack(dir);
  ok &= writeLose(dir);
  return ok;
}

}  // namespace mediagen
