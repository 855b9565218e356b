// Media windows on the mixer's one music stream: the window that started
// playing last owns the stream; the others keep their state on the side.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "runtime/platform/audio.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/sdl2/audio_mixer.h"

namespace mvn::platform {

struct MediaWindow {
  enum class State { Stopped, Playing, Paused };

  std::vector<unsigned char> bytes;  // the music reads from these while it lives
  Mix_Music* music = nullptr;
  uint32_t lengthMs = 0;
  State state = State::Stopped;
  double stoppedAtMs = 0;  // the position while stopped
  int volume = 1000;
  int seeksToStart = 0;
};

namespace {

MediaWindow* streamOwner = nullptr;
int windowsAlive = 0;

int mixerLevel(int volume) { return (volume * MIX_MAX_VOLUME + 500) / 1000; }

bool owningStream(const MediaWindow* w) { return streamOwner == w && Mix_PlayingMusic(); }

// A window that was playing and whose music has run out stands at its end.
void noticeEnd(MediaWindow* w) {
  if (w->state != MediaWindow::State::Stopped && !owningStream(w)) {
    w->state = MediaWindow::State::Stopped;
    w->stoppedAtMs = w->lengthMs;
    if (streamOwner == w) streamOwner = nullptr;
  }
}

double streamPositionMs(const MediaWindow* w) {
  double seconds = Mix_GetMusicPosition(w->music);
  return seconds < 0 ? 0 : seconds * 1000.0;
}

}  // namespace

int liveMediaWindows() { return windowsAlive; }

MediaWindow* createMediaWindow(std::vector<unsigned char> bytes) {
  openAudioOutput();
  auto* w = new MediaWindow;
  windowsAlive++;
  w->bytes = std::move(bytes);
  // The mixer reads from memory of at most INT_MAX bytes; more stays silent.
  if (!w->bytes.empty() && w->bytes.size() <= INT_MAX && Mix_QuerySpec(nullptr, nullptr, nullptr)) {
    SDL_RWops* stream = SDL_RWFromConstMem(w->bytes.data(), static_cast<int>(w->bytes.size()));
    w->music = stream ? Mix_LoadMUS_RW(stream, 1) : nullptr;
  }
  if (w->music) {
    // A decoder that cannot tell the length (MIDI) answers below 0: the piece
    // then ends where its stream runs out.
    double seconds = Mix_MusicDuration(w->music);
    if (seconds < 0)
      w->lengthMs = kMediaLengthUnknown;
    else if (seconds * 1000.0 < kMediaLengthUnknown - 1.0)
      w->lengthMs = static_cast<uint32_t>(seconds * 1000.0 + 0.5);
    else
      w->lengthMs = kMediaLengthUnknown - 1;
  }
  return w;
}

void closeMediaWindow(MediaWindow* w) {
  if (!w) return;
  if (streamOwner == w) {
    Mix_HaltMusic();
    streamOwner = nullptr;
  }
  if (w->music) Mix_FreeMusic(w->music);
  delete w;
  windowsAlive--;
}

uint32_t mediaLength(MediaWindow* w) { return w ? w->lengthMs : 0; }

uint32_t mediaEnd(MediaWindow* w) { return w ? w->lengthMs : 0; }

// The position follows the sound output's own thread: a replay answers it
// from the recording.
uint32_t mediaPosition(MediaWindow* w) {
  if (!w) return 0;
  noticeEnd(w);
  double ms = w->state == MediaWindow::State::Stopped ? w->stoppedAtMs : streamPositionMs(w);
  return static_cast<uint32_t>(
      outsideValue(OutsideRead::MusicPosition, static_cast<uint32_t>(std::min<double>(ms, w->lengthMs))));
}

void mediaSeekToStart(MediaWindow* w) {
  if (!w) return;
  w->seeksToStart++;
  noticeEnd(w);
  w->stoppedAtMs = 0;
  if (w->state != MediaWindow::State::Stopped) Mix_RewindMusic();
}

void mediaPlay(MediaWindow* w) {
  if (!w || !w->music) return;
  noticeEnd(w);
  if (w->state == MediaWindow::State::Paused) {
    Mix_ResumeMusic();
  } else if (w->state == MediaWindow::State::Stopped) {
    if (w->stoppedAtMs >= w->lengthMs) return;  // at its end a piece stays there until sent back
    Mix_VolumeMusic(mixerLevel(w->volume));
    if (Mix_PlayMusic(w->music, 0) != 0) return;
    if (w->stoppedAtMs > 0) Mix_SetMusicPosition(w->stoppedAtMs / 1000.0);
    streamOwner = w;
  }
  w->state = MediaWindow::State::Playing;
}

void mediaStop(MediaWindow* w) {
  if (!w) return;
  noticeEnd(w);
  if (w->state == MediaWindow::State::Stopped) return;
  w->stoppedAtMs = streamPositionMs(w);
  Mix_HaltMusic();
  streamOwner = nullptr;
  w->state = MediaWindow::State::Stopped;
}

void mediaPause(MediaWindow* w) {
  if (!w) return;
  noticeEnd(w);
  if (w->state != MediaWindow::State::Playing) return;
  Mix_PauseMusic();
  w->state = MediaWindow::State::Paused;
}

void mediaResume(MediaWindow* w) {
  if (!w) return;
  noticeEnd(w);
  if (w->state != MediaWindow::State::Paused) return;
  Mix_ResumeMusic();
  w->state = MediaWindow::State::Playing;
}

void mediaSetVolume(MediaWindow* w, int volume) {
  if (!w) return;
  w->volume = std::clamp(volume, 0, 1000);
  if (streamOwner == w) Mix_VolumeMusic(mixerLevel(w->volume));
}

int mediaVolume(MediaWindow* w) { return w ? w->volume : 0; }

int mediaSeeksToStart(MediaWindow* w) { return w ? w->seeksToStart : 0; }

int mixerMusicVolume() { return Mix_VolumeMusic(-1); }

}  // namespace mvn::platform
