#include "music.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace mediagen {
namespace {

constexpr int kRate = 44100;
constexpr double kBeat = 1.0;  // seconds: 60 beats a minute
constexpr int kBars = 16;
constexpr double kLength = kBars * 4 * kBeat;  // 64 s
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2 * kPi;

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12); }

// A stereo buffer that is one period of the loop: everything written past its
// end wraps round to the start, so the tails of the last notes ring on into
// the first bar exactly as they would when the piece repeats.
struct Loop {
  std::vector<double> left, right;
  Loop() : left(static_cast<size_t>(kLength * kRate)), right(left.size()) {}
  size_t size() const { return left.size(); }
  void add(long index, double l, double r) {
    size_t i = static_cast<size_t>(((index % static_cast<long>(size())) + size()) % size());
    left[i] += l;
    right[i] += r;
  }
};

// A soft pad note: a few partials, each doubled and detuned a little between
// the two channels, with a slow swell and a long release.
void padNote(Loop& out, double start, double length, double note, double gain) {
  const double attack = 1.4, release = 2.6;
  const double f = midiHz(note);
  const double partials[3][2] = {{1, 1.0}, {2, 0.22}, {3, 0.07}};
  long first = std::lround(start * kRate);
  long count = std::lround((length + release) * kRate);
  for (long k = 0; k < count; ++k) {
    double t = static_cast<double>(k) / kRate;
    double env = t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack) : 1.0;
    if (t > length) env *= std::exp(-(t - length) * 3.0 / release) * (1 - (t - length) / release);
    double wobble = 1 + 0.08 * std::sin(kTwoPi * 0.23 * t + note);
    double l = 0, r = 0;
    for (const auto& p : partials) {
      l += p[1] * std::sin(kTwoPi * f * p[0] * 0.9983 * t + note);
      r += p[1] * std::sin(kTwoPi * f * p[0] * 1.0017 * t + 2 * note);
    }
    out.add(first + k, gain * env * wobble * l, gain * env * wobble * r);
  }
}

// A bell-like electric-piano tone: a sine with quickly fading overtones.
void bellNote(Loop& out, double start, double length, double note, double gain, double pan) {
  const double f = midiHz(note);
  const double release = 1.2;
  long first = std::lround(start * kRate);
  long count = std::lround((length + release) * kRate);
  double gl = gain * std::sqrt(1 - pan), gr = gain * std::sqrt(pan);
  for (long k = 0; k < count; ++k) {
    double t = static_cast<double>(k) / kRate;
    double env = std::min(1.0, t / 0.012) * std::exp(-t / 1.6);
    if (t > length) env *= std::max(0.0, 1 - (t - length) / release);
    double s = std::sin(kTwoPi * f * t) + 0.30 * std::exp(-t / 0.5) * std::sin(kTwoPi * 2 * f * t) +
               0.06 * std::exp(-t / 0.15) * std::sin(kTwoPi * 4.2 * f * t);
    out.add(first + k, gl * env * s, gr * env * s);
  }
}

void bassNote(Loop& out, double start, double length, double note, double gain) {
  const double f = midiHz(note);
  const double attack = 0.35, release = 1.6;
  long first = std::lround(start * kRate);
  long count = std::lround((length + release) * kRate);
  for (long k = 0; k < count; ++k) {
    double t = static_cast<double>(k) / kRate;
    double env = std::min(1.0, t / attack);
    if (t > length) env *= std::max(0.0, 1 - (t - length) / release);
    double s = std::sin(kTwoPi * f * t) + 0.15 * std::sin(kTwoPi * 2 * f * t);
    out.add(first + k, gain * env * s, gain * env * s);
  }
}

struct Chord {
  double bar;  // start, in bars
  double bars;
  int bass;
  int notes[4];
};

// C major: Cmaj9, Am9, Fmaj7, G6, Em7, Am7, Dm9, Gsus4, G; the G leads back
// to the first chord when the piece repeats.
const Chord kChords[] = {
    {0, 2, 36, {52, 55, 59, 62}},  {2, 2, 45, {52, 55, 59, 60}},  {4, 2, 41, {53, 57, 60, 64}},
    {6, 2, 43, {50, 55, 59, 64}},  {8, 2, 40, {52, 55, 59, 62}},  {10, 2, 45, {52, 55, 60, 64}},
    {12, 2, 38, {53, 57, 60, 64}}, {14, 1, 43, {50, 55, 60, 62}}, {15, 1, 43, {50, 55, 59, 62}},
};

struct Note {
  double beat, beats;
  int note;
};

const Note kMelody[] = {
    {1, 1.5, 76},  {2.5, 0.5, 74}, {3, 2, 72},    {5, 1.5, 79},  {6.5, 1.5, 76},
    {9, 1, 72},    {10, 1, 71},    {11, 2, 69},   {13, 2, 76},   {15, 1, 74},
    {17, 1.5, 72}, {18.5, 0.5, 69}, {19, 2, 72},  {21, 1, 77},   {22, 2, 76},
    {25, 2, 74},   {27, 1, 71},    {28, 2, 67},   {30, 1, 69},   {31, 1, 71},
    {33, 1.5, 71}, {34.5, 0.5, 74}, {35, 2, 76},  {37, 1, 79},   {38, 2, 74},
    {41, 1, 72},   {42, 1, 76},    {43, 2, 81},   {45, 1, 79},   {46, 2, 76},
    {49, 1.5, 77}, {50.5, 0.5, 76}, {51, 2, 74},  {53, 1, 72},   {54, 2, 69},
    {57, 2, 72},   {59, 1, 74},    {61, 2.5, 71},
};

// Schroeder-Moorer reverberator (eight damped combs, four all-passes a channel).
class Reverb {
 public:
  explicit Reverb(int spread) {
    static const int combs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int passes[4] = {556, 441, 341, 225};
    for (int c : combs) comb_.push_back({std::vector<double>(c + spread), 0, 0});
    for (int a : passes) pass_.push_back({std::vector<double>(a + spread), 0, 0});
  }
  double process(double in) {
    double out = 0;
    for (Line& c : comb_) {
      double y = c.buf[c.pos];
      c.store = y * (1 - kDamp) + c.store * kDamp;
      c.buf[c.pos] = in + c.store * kFeedback;
      c.pos = (c.pos + 1) % c.buf.size();
      out += y;
    }
    for (Line& a : pass_) {
      double b = a.buf[a.pos];
      a.buf[a.pos] = out + b * 0.5;
      out = b - out;
      a.pos = (a.pos + 1) % a.buf.size();
    }
    return out;
  }

 private:
  static constexpr double kFeedback = 0.86, kDamp = 0.35;
  struct Line {
    std::vector<double> buf;
    size_t pos;
    double store;
  };
  std::vector<Line> comb_, pass_;
};

bool writeWav(const std::string& path, const std::vector<int16_t>& interleaved) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  auto u32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, f); };
  auto u16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, f); };
  uint32_t bytes = static_cast<uint32_t>(interleaved.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  u32(36 + bytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16);
  u16(1);
  u16(2);
  u32(kRate);
  u32(kRate * 4);
  u16(4);
  u16(16);
  std::fwrite("data", 1, 4, f);
  u32(bytes);
  std::fwrite(interleaved.data(), 2, interleaved.size(), f);
  return std::fclose(f) == 0;
}

}  // namespace

bool makeMusic(const std::string& dir, const std::string& wavPath) {
  Loop dry;
  for (const Chord& c : kChords) {
    double start = c.bar * 4 * kBeat, length = c.bars * 4 * kBeat;
    bassNote(dry, start, length - 0.3, c.bass, 0.16);
    for (int n : c.notes) padNote(dry, start, length - 0.2, n, 0.035);
    // A quiet broken chord an octave up, one note on every off-beat.
    for (int beat = 0; beat < c.bars * 4; ++beat) {
      int n = c.notes[(beat * 3 + 1) % 4] + 12;
      bellNote(dry, start + (beat + 0.5) * kBeat, 0.4, n, 0.025, beat % 2 ? 0.25 : 0.75);
    }
  }
  for (const Note& m : kMelody) bellNote(dry, m.beat * kBeat, m.beats * kBeat, m.note, 0.10, 0.6);

  // The reverb runs over the loop twice; the second lap is kept, so its tail
  // from the end of the piece is already in the first bar.
  Reverb revL(0), revR(23);
  const size_t n = dry.size();
  std::vector<double> left(n), right(n);
  for (int lap = 0; lap < 2; ++lap) {
    for (size_t i = 0; i < n; ++i) {
      double mono = (dry.left[i] + dry.right[i]) * 0.5 * 0.03;
      double wl = revL.process(mono), wr = revR.process(mono);
      if (lap == 1) {
        left[i] = 0.75 * dry.left[i] + 0.9 * wl;
        right[i] = 0.75 * dry.right[i] + 0.9 * wr;
      }
    }
  }

  double peak = 0;
  for (size_t i = 0; i < n; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  const double gain = 0.70 / peak;  // about -3 dB of headroom
  // The loop is continuous across its seam already; a few milliseconds of
  // fade at both ends keeps a player that leaves a gap between repeats from
  // clicking.
  const size_t fade = kRate / 200;
  std::vector<int16_t> pcm(n * 2);
  for (size_t i = 0; i < n; ++i) {
    double edge = 1;
    size_t fromEnd = n - 1 - i;
    if (i < fade) edge = 0.5 - 0.5 * std::cos(kPi * i / fade);
    if (fromEnd < fade) edge = 0.5 - 0.5 * std::cos(kPi * fromEnd / fade);
    pcm[2 * i] = static_cast<int16_t>(std::lround(32767 * gain * edge * left[i]));
    pcm[2 * i + 1] = static_cast<int16_t>(std::lround(32767 * gain * edge * right[i]));
  }

  const std::string wav = wavPath.empty() ? dir + "/.music.wav" : wavPath;
  if (!writeWav(wav, pcm)) {
    std::fprintf(stderr, "mediagen: cannot write %s\n", wav.c_str());
    return false;
  }
  const std::string mp3 = dir + "/deliberate thought.mp3";
  const std::string command = "lame --quiet --noreplaygain -q 2 -b 112 -m j \"" + wav + "\" \"" + mp3 + "\"";
  int status = std::system(command.c_str());
  if (wavPath.empty()) std::remove(wav.c_str());
  if (status != 0) {
    std::fprintf(stderr, "mediagen: the encoder failed (%s)\n", command.c_str());
    return false;
  }
  return true;
}

}  // namespace mediagen
