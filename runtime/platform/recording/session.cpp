// The run's one recording or replay: which it is, the file, the frames so far,
// and the reports it makes (standard error and the log, one line each).
#include <cstdio>
#include <string>

#include "runtime/core/log.h"
#include "runtime/core/printable_text.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/recording/run_file.h"

namespace mvn::platform {

namespace {

using runfile::Item;
using runfile::ItemKind;

// Frames are flushed to the file this often, so that a full disk shows soon.
constexpr uint64_t kFlushEveryFrames = 64;

struct Session {
  RunMode mode = RunMode::Live;
  bool atSeams = false;
  bool unpaced = false;
  bool finished = false;  // the end has been marked or checked: reads are live
  bool drawingSeed = false;  // the seed's own reads are the seed's, not the run's
  std::string path;
  uint64_t frames = 0;    // frames presented so far
  uint32_t hashInterval = 0;
  runfile::Writer writer;
  runfile::Reader reader;  // replaying: the recording, read as the run goes
  Item current;            // replaying: the next item (the end mark stays)
  uint64_t quietLeft = 0;       // replaying: intakes left of a Quiet item
  uint64_t hashesCompared = 0;
};

void (*runOverHandler)(RunOver) = nullptr;

void runOver(RunOver over) {
  if (runOverHandler) runOverHandler(over);
}

Session& session() {
  static Session* s = new Session;  // outlives the static destructors of the exit
  return *s;
}

void report(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
  logLine((line + "\n").c_str());
}

// Recording: a write that fails is reported once; the run goes on unrecorded
// (or, at the end, what was recorded is lost).
void checkWriter() {
  Session& s = session();
  if (s.mode != RunMode::Recording || !s.writer.failed()) return;
  report("recording: cannot write " + s.path + ": " + s.writer.problem() +
         (s.finished ? "; the recording is lost" : "; the run goes on unrecorded"));
  s.mode = RunMode::Live;
}

void record(const Item& item) {
  session().writer.add(item);
  checkWriter();
}

std::string describe(const Item& item) {
  switch (item.kind) {
    case ItemKind::Frame: return "the end of a frame";
    case ItemKind::Read:
    case ItemKind::Text: return std::string("a read of ") + outsideReadName(item.read);
    case ItemKind::Events:
    case ItemKind::Quiet: return "an intake of events";
    case ItemKind::Seed: return "the seed";
    case ItemKind::End: return "the end of the run";
  }
  return "something else";
}

// The replay left the recording: reported, and the run is over.
void differs(const std::string& what) {
  Session& s = session();
  s.finished = true;
  report("replay: frame " + std::to_string(s.frames + 1) + " differs from the recording: " + what);
  runOver(RunOver::Differs);
}

// The recording has nothing after its last frame and the run was cut short
// there: the run is over as it was then.
void recordingEnds() {
  Session& s = session();
  logLine(("replay: the recording ends after frame " + std::to_string(s.frames) + "\n").c_str());
  runOver(RunOver::RecordingEnded);
}

// Replaying: on to the next recorded item. The file was read through and
// checked before the run began, so reading it again fails only when memory
// runs out.
void advance() {
  Session& s = session();
  std::string problem;
  if (s.reader.next(s.current, problem)) return;
  s.finished = true;
  report("replay: " + s.path + " " + problem);
  runOver(RunOver::Refused);
}

bool replaying() {
  const Session& s = session();
  return s.mode == RunMode::Replaying && !s.finished;
}

// The next recorded item, which must be of kind; null (after the end has
// been seen to) when it is not.
const Item* expect(ItemKind kind, const std::string& wanted, OutsideRead read = OutsideRead::Counter) {
  Session& s = session();
  const Item& item = s.current;
  if (item.kind == ItemKind::End) {
    if (item.cutShort) {
      recordingEnds();
    } else {
      differs("the program read " + wanted + " after the recorded run had ended");
    }
    return nullptr;
  }
  const bool sameRead = (kind != ItemKind::Read && kind != ItemKind::Text) || item.read == read;
  const bool intake = kind == ItemKind::Events && item.kind == ItemKind::Quiet;
  if ((item.kind != kind && !intake) || !sameRead) {
    differs("the program read " + wanted + " where the recording holds " + describe(item));
    return nullptr;
  }
  return &item;
}

}  // namespace

const char* outsideReadName(OutsideRead read) {
  switch (read) {
    case OutsideRead::Counter: return "the counter";
    case OutsideRead::Frequency: return "the counter's frequency";
    case OutsideRead::Ticks: return "the tick count";
    case OutsideRead::WallClock: return "the wall clock";
    case OutsideRead::CursorPosition: return "the pointer's position";
    case OutsideRead::MouseButton: return "a mouse button";
    case OutsideRead::VirtualKeys: return "the keys down";
    case OutsideRead::Foreground: return "the foreground window";
    case OutsideRead::WindowShown: return "whether the window is shown";
    case OutsideRead::SoundPlaying: return "whether a sound plays";
    case OutsideRead::SoundStarted: return "whether a sound started";
    case OutsideRead::MusicPosition: return "the music's position";
    case OutsideRead::ControllerCount: return "the number of controllers";
    case OutsideRead::ControllerName: return "a controller's name";
    case OutsideRead::ControllerOpened: return "whether a controller opened";
    case OutsideRead::ControllerState: return "a controller's state";
    case OutsideRead::WorkArea: return "the work area";
    case OutsideRead::SystemMetric: return "a system metric";
    case OutsideRead::ColourBits: return "the desktop's colour depth";
    case OutsideRead::DisplayMode: return "a display mode change";
  }
  return "an unknown read";
}

void onRunOver(void (*handler)(RunOver over)) { runOverHandler = handler; }

RunMode runMode() { return session().mode; }
bool runAtSeams() { return session().atSeams; }
bool replayUnpaced() { return replaying() && session().unpaced; }

bool beginRecording(const std::string& path, const RunIdentity& identity, int frameHashInterval) {
  Session& s = session();
  runfile::Header header;
  header.program = identity.program;
  header.build = identity.build;
  header.frameHashInterval = frameHashInterval > 0 ? static_cast<uint32_t>(frameHashInterval) : 0;
  s.path = path;
  s.hashInterval = header.frameHashInterval;
  // Whatever becomes of the file, the run takes the outside world in as a
  // recorded run does.
  s.atSeams = true;
  s.mode = RunMode::Recording;
  if (!s.writer.open(path, header)) {
    checkWriter();
    return false;
  }
  logLine(("Recording the run to " + path + "\n").c_str());
  return true;
}

bool beginReplay(const std::string& path, const RunIdentity& identity, bool unpaced) {
  Session& s = session();
  std::string problem;
  if (!runfile::openRunFile(path, s.reader, problem)) {
    report("replay: " + path + " " + problem);
    return false;
  }
  // The names come from the file: printed as they are, they could drive the
  // terminal that shows the line.
  const runfile::Header& header = s.reader.header();
  if (header.program != identity.program) {
    report("replay: " + path + " is a recording of " + printableText(header.program) + ", not of " +
           identity.program);
    return false;
  }
  if (header.build != identity.build) {
    report("replay: " + path + " was recorded by build " + printableText(header.build) +
           ", not by this build (" + identity.build + ")");
    return false;
  }
  if (!s.reader.check(problem)) {
    report("replay: " + path + " " + problem);
    return false;
  }
  s.path = path;
  s.hashInterval = header.frameHashInterval;
  s.unpaced = unpaced;
  s.atSeams = true;
  s.mode = RunMode::Replaying;
  advance();
  logLine(("Replaying the run from " + path + "\n").c_str());
  return true;
}

int64_t outsideValue(OutsideRead read, int64_t live) {
  const Session& s = session();
  if (s.mode == RunMode::Live || s.finished || s.drawingSeed) return live;  // no copy on the common way
  std::vector<int64_t> values{live};
  outsideValues(read, values);
  return values.size() == 1 ? values[0] : live;
}

void outsideValues(OutsideRead read, std::vector<int64_t>& values) {
  Session& s = session();
  if (s.finished || s.drawingSeed) return;
  if (s.mode == RunMode::Recording) {
    Item item;
    item.kind = ItemKind::Read;
    item.read = read;
    item.values = values;
    record(item);
    return;
  }
  if (s.mode != RunMode::Replaying) return;
  const Item* item = expect(ItemKind::Read, outsideReadName(read), read);
  if (!item) return;
  if (item->values.size() != values.size() && read != OutsideRead::VirtualKeys) {
    differs(std::string("the program read ") + outsideReadName(read) + " with " +
            std::to_string(values.size()) + " values where the recording holds " +
            std::to_string(item->values.size()));
    return;
  }
  values = item->values;
  advance();
}

std::string outsideText(OutsideRead read, const std::string& live) {
  Session& s = session();
  if (s.finished || s.drawingSeed) return live;
  if (s.mode == RunMode::Recording) {
    Item item;
    item.kind = ItemKind::Text;
    item.read = read;
    item.text = live;
    record(item);
    return live;
  }
  if (s.mode != RunMode::Replaying) return live;
  const Item* item = expect(ItemKind::Text, outsideReadName(read), read);
  if (!item) return live;
  std::string text = item->text;
  advance();
  return text;
}

void outsideEvents(std::vector<OutsideEvent>& events) {
  Session& s = session();
  if (s.finished || s.drawingSeed) return;
  if (s.mode == RunMode::Recording) {
    s.writer.addEvents(events);
    checkWriter();
    return;
  }
  if (s.mode != RunMode::Replaying) return;
  events.clear();
  if (s.quietLeft == 0) {
    const Item* item = expect(ItemKind::Events, "an intake of events");
    if (!item) return;
    if (item->kind == ItemKind::Events) {
      events = item->events;
      advance();
      return;
    }
    s.quietLeft = item->count;
  }
  // An intake that took nothing, one of a Quiet item's run.
  if (--s.quietLeft == 0) advance();
}

uint32_t runSeed(uint32_t (*draw)()) {
  Session& s = session();
  if (replaying()) {
    const Item* item = expect(ItemKind::Seed, "the seed");
    if (item) {
      const uint32_t seed = static_cast<uint32_t>(item->count);
      advance();
      return seed;
    }
  }
  s.drawingSeed = true;
  const uint32_t seed = draw();
  s.drawingSeed = false;
  if (s.mode == RunMode::Recording && !s.finished) {
    Item item;
    item.kind = ItemKind::Seed;
    item.count = seed;
    record(item);
  }
  return seed;
}

bool frameHashWanted() {
  const Session& s = session();
  if (s.finished || s.hashInterval == 0) return false;
  if (s.mode == RunMode::Replaying) {
    return s.current.kind == ItemKind::Frame && s.current.hashed;
  }
  return s.mode == RunMode::Recording && (s.frames + 1) % s.hashInterval == 0;
}

void markFrame(bool hashed, uint64_t hash) {
  Session& s = session();
  if (s.finished) return;
  if (s.mode == RunMode::Recording) {
    Item item;
    item.kind = ItemKind::Frame;
    item.hashed = hashed;
    item.hash = hash;
    record(item);
    ++s.frames;
    if (s.frames % kFlushEveryFrames == 0) {
      s.writer.flush();
      checkWriter();
    }
    return;
  }
  if (s.mode != RunMode::Replaying) {
    ++s.frames;
    return;
  }
  const Item* item = expect(ItemKind::Frame, "nothing more");
  if (!item) return;
  if (item->hashed) {
    if (!hashed || item->hash != hash) {
      char values[64];
      std::snprintf(values, sizeof values, "%016llx, recorded %016llx",
                    static_cast<unsigned long long>(hash), static_cast<unsigned long long>(item->hash));
      differs(std::string("its hash is ") + values);
      return;
    }
    ++s.hashesCompared;
  }
  advance();
  ++s.frames;
  if (s.current.kind == ItemKind::End && s.current.cutShort) recordingEnds();
}

int endRun(bool cutShort) {
  Session& s = session();
  if (s.finished) return 0;
  s.finished = true;
  if (s.mode == RunMode::Recording) {
    if (s.writer.close(cutShort, s.frames))
      logLine(("recording: " + std::to_string(s.frames) + " frames written to " + s.path + "\n").c_str());
    checkWriter();
    return 0;
  }
  if (s.mode != RunMode::Replaying) return 0;
  const Item& item = s.current;
  const std::string frames = std::to_string(s.frames);
  if (item.kind == ItemKind::End) {
    logLine(("replay: the run ended as recorded after " + frames + " frames; " +
             std::to_string(s.hashesCompared) + " frame hashes equal\n")
                .c_str());
    return 0;
  }
  if (cutShort) {
    logLine(("replay: stopped by the frame limit after " + frames + " frames; " +
             std::to_string(s.hashesCompared) + " frame hashes equal\n")
                .c_str());
    return 0;
  }
  report("replay: frame " + std::to_string(s.frames + 1) +
         " differs from the recording: the program ended where the recorded run went on");
  return kReplayDiffersStatus;
}

}  // namespace mvn::platform
