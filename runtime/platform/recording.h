// A run recorded to a file, or replayed from one.
//
// A program on the runtime is deterministic once what it reads from the
// outside world is fixed. Every service of this layer that answers from the
// outside world (the clocks, the event stream behind the message queue and the
// device states, the system's input and window queries, the sound output's
// progress) passes its answer through here. Recording, the answer is the
// system's, and it is written to the file in the order of the reads;
// replaying, each read is answered from the file instead, and the system is
// not asked. Frame marks between the reads tie them to the presented frames,
// and may carry a hash of the frame for the replay to compare.
//
// The file's layout is in docs/recording-format.md.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mvn::platform {

enum class RunMode { Live, Recording, Replaying };
RunMode runMode();

// True once a recording or a replay has begun, and for the rest of the
// process (also after a recording could not be written on): the outside
// world then enters only at the places where the runtime asks for it (the
// message queue, the key state refresh, a wait), never inside the frame
// hold, so that a replay takes it in at the same places.
bool runAtSeams();

// True while a replay runs without its frame hold: sleeps return at once.
bool replayUnpaced();

// What a recording names as its program; a replay refuses a recording of
// another program, of another build or in another format version.
struct RunIdentity {
  std::string program;
  std::string build;
};

// Exit statuses: a recording that cannot be replayed (missing, truncated,
// corrupt, foreign), and a replay that came out other than the recording.
constexpr int kReplayRefusedStatus = 65;
constexpr int kReplayDiffersStatus = 66;

// Begins recording to path, with a hash of every frameHashInterval-th
// presented frame (0: none). A file that cannot be written is reported once
// (standard error and the log) and the run goes on unrecorded; false then.
bool beginRecording(const std::string& path, const RunIdentity& identity, int frameHashInterval);

// How a replay is over before the program ends: its recording ends where the
// recorded run was cut short, the run went another way than the recording
// (kReplayDiffersStatus), or the recording could not be read on
// (kReplayRefusedStatus).
enum class RunOver { RecordingEnded, Differs, Refused };
// Sets who ends the program when a replay is over: this layer reports it
// (after its line on standard error or in the log) to handler and ends
// nothing itself; should the handler return, or none be set, the reads that
// follow are answered live.
void onRunOver(void (*handler)(RunOver over));

// Begins replaying path, which is read and checked whole. A file that cannot
// be replayed is reported in one line (standard error and the log) and false
// comes back; the caller ends the program with kReplayRefusedStatus.
// unpaced: sleeps return at once (the frame hold is off).
bool beginReplay(const std::string& path, const RunIdentity& identity, bool unpaced);

// The kinds of read, in the order docs/recording-format.md numbers them.
enum class OutsideRead : uint8_t {
  Counter = 1,        // the high-resolution counter
  Frequency = 2,      // its counts per second
  Ticks = 3,          // the millisecond tick count
  WallClock = 4,      // seconds since the epoch
  CursorPosition = 5, // x, y on the screen
  MouseButton = 6,    // 1 while the asked button is down
  VirtualKeys = 7,    // the virtual-key codes down
  Foreground = 8,     // 0 no window of the program, else 1 + its index
  WindowShown = 9,    // 1 while the window is shown
  SoundPlaying = 10,  // 1 while a voice plays
  SoundStarted = 11,  // 1 when a voice could start
  MusicPosition = 12, // milliseconds
  ControllerCount = 13,
  ControllerName = 14,   // text
  ControllerOpened = 15, // 1 when it opened
  ControllerState = 16,  // read (1 or 0), six axes, hat x, hat y, buttons
  WorkArea = 17,         // found (1 or 0), left, top, right, bottom
  SystemMetric = 18,
  ColourBits = 19,
  DisplayMode = 20,      // 1 when the display took the mode
};
const char* outsideReadName(OutsideRead read);

// One read of the outside world: live holds the system's answer; the result
// is the answer the program gets (live, or the recording's).
int64_t outsideValue(OutsideRead read, int64_t live);
// The same for a read of several values; values holds the system's answer on
// the way in and the program's on the way out.
void outsideValues(OutsideRead read, std::vector<int64_t>& values);
std::string outsideText(OutsideRead read, const std::string& live);

// An event as the system delivered it: its kind, its values and, for typed
// text, its text (docs/recording-format.md lists them by kind).
struct OutsideEvent {
  uint8_t kind = 0;
  std::vector<int64_t> values;
  std::string text;
  bool operator==(const OutsideEvent& o) const {
    return kind == o.kind && values == o.values && text == o.text;
  }
};
// The events taken from the system at one intake; events holds the system's
// on the way in and the ones the program gets on the way out.
void outsideEvents(std::vector<OutsideEvent>& events);

// The seed of the random numbers: draw() makes it while recording or live;
// replaying, the recording's seed comes back and draw is not called.
uint32_t runSeed(uint32_t (*draw)());

// True when the frame about to be presented is one whose hash is kept.
bool frameHashWanted();
// Marks a presented frame (with its hash when wanted). Replaying, a frame
// whose hash differs from the recording's, or a frame where the recorded run
// read something else, reports RunOver::Differs; the frame after which a
// recording that was cut short ends reports RunOver::RecordingEnded.
void markFrame(bool hashed, uint64_t hash);

// The program's end: recording, the file is closed with its end mark;
// replaying, the recording must end here too. cutShort: the end came from
// outside the program (the frame limit of an unattended run). Returns the
// exit status the end should have: 0, or kReplayDiffersStatus.
int endRun(bool cutShort);

}  // namespace mvn::platform
