// Replays of recorded runs of the real game: the committed recording plays
// back with every frame as recorded, a recording with one click moved shows
// where the run first differs, files that cannot be replayed are refused
// before the window opens, and a recording that cannot be written leaves the
// run going.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <regex>
#include <string>
#include <vector>

#include "runtime/platform/recording.h"
#include "runtime/platform/recording/run_file.h"
#include "tests/replay/program_run.h"

namespace replay_test {
namespace {

using mvn::platform::kReplayDiffersStatus;
using mvn::platform::kReplayRefusedStatus;
namespace runfile = mvn::platform::runfile;

const fs::path kGame = fs::path(MORVANE_BINARY_DIR) / ("quadrivolant" + mvn::testing::kProgramSuffix);
const fs::path kWayfarer =
    fs::path(MORVANE_BINARY_DIR) / "examples" / "wayfarer" / ("wayfarer" + mvn::testing::kProgramSuffix);
// The game solving a deal and dealing the next, made by tests/e2e/replay_test.cpp.
const fs::path kCommitted = fs::path(MORVANE_SOURCE_DIR) / "tests" / "data" / "replay" / "quadrivolant-solve.mvr";

constexpr uint8_t kButtonEvent = 6;  // docs/recording-format.md

class Replay : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
    ASSERT_TRUE(fs::exists(kGame));
    ASSERT_TRUE(fs::exists(kCommitted));
  }

  static runfile::Contents committed() {
    runfile::Contents contents;
    std::string problem;
    EXPECT_TRUE(runfile::readRunFile(kCommitted.string(), contents, problem)) << problem;
    return contents;
  }
};

// The number in "replay: frame N differs from the recording: ...".
long differingFrame(const std::string& text) {
  std::smatch match;
  static const std::regex line("replay: frame ([0-9]+) differs from the recording");
  return std::regex_search(text, match, line) ? std::stol(match[1]) : -1;
}

TEST_F(Replay, TheCommittedRecordingPlaysBackFrameForFrame) {
  const runfile::Contents recording = committed();
  const uint64_t frames = recording.items.back().count;
  ASSERT_GT(frames, 100u);
  ASSERT_EQ(recording.header.frameHashInterval, 1u);
  const Ran ran = runProgram(kGame, freshFolder("committed"),
                             {"MORVANE_REPLAY=" + kCommitted.string(), "MORVANE_NO_FRAME_HOLD=1"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  const std::string f = std::to_string(frames);
  EXPECT_NE(ran.log.find("replay: the run ended as recorded after " + f + " frames; " + f +
                         " frame hashes equal\n"),
            std::string::npos)
      << ran.log;
  EXPECT_EQ(ran.err, "");
}

// The first press of the recording lands 200 pixels lower: on the board
// instead of its arrow. Every frame before it is as recorded; the replay
// names the first frame that is not and ends with its own status.
TEST_F(Replay, AMovedClickIsReportedAtTheFirstDifferingFrame) {
  runfile::Contents recording = committed();
  uint64_t framesBefore = 0;
  bool moved = false;
  for (runfile::Item& item : recording.items) {
    if (item.kind == runfile::ItemKind::Frame) ++framesBefore;
    if (item.kind != runfile::ItemKind::Events) continue;
    for (mvn::platform::OutsideEvent& e : item.events) {
      if (e.kind == kButtonEvent && e.values.size() > 5 && e.values[2] == 1) {
        e.values[5] += 200;
        moved = true;
        break;
      }
    }
    if (moved) break;
  }
  ASSERT_TRUE(moved) << "the recording holds no press";
  const fs::path folder = freshFolder("moved");
  writeFile(folder / "moved.mvr", runfile::encodeRun(recording));
  const Ran ran = runProgram(kGame, folder,
                             {"MORVANE_REPLAY=" + (folder / "moved.mvr").string(), "MORVANE_NO_FRAME_HOLD=1"});
  EXPECT_EQ(ran.status, kReplayDiffersStatus);
  const long frame = differingFrame(ran.log);
  EXPECT_GT(frame, static_cast<long>(framesBefore)) << ran.log;
  EXPECT_LE(frame, static_cast<long>(framesBefore) + 3) << ran.log;
  EXPECT_EQ(differingFrame(ran.err), frame);
  EXPECT_EQ(lines(ran.log).back(), "mvn is shut down");
}

// Each file is refused in one line on standard error, the same line in the
// log, with the refusal's own status, before the window opens.
TEST_F(Replay, FilesThatCannotBeReplayedAreRefusedBeforeTheWindowOpens) {
  const fs::path folder = freshFolder("refused");
  const std::string good = fileText(kCommitted);
  writeFile(folder / "truncated.mvr", good.substr(0, good.size() * 2 / 3));
  runfile::Contents other = committed();
  other.header.version = runfile::kFormatVersion + 1;
  writeFile(folder / "version.mvr", runfile::encodeRun(other));
  other = committed();
  other.header.build = "Morvane 0.0.1 linux-x86_64";
  writeFile(folder / "build.mvr", runfile::encodeRun(other));
  std::string damaged = good;
  damaged[damaged.size() / 2] ^= 0x10;
  writeFile(folder / "corrupt.mvr", damaged);
  // Well formed, but a run of no quiet intakes is no run's.
  other = committed();
  runfile::Item quiet;
  quiet.kind = runfile::ItemKind::Quiet;
  quiet.count = 0;
  other.items.insert(other.items.begin() + 1, quiet);
  writeFile(folder / "impossible.mvr", runfile::encodeRun(other));
#ifndef _WIN32
  // Nobody writes to the FIFO: opened as a file, it would hold the start.
  ASSERT_EQ(mkfifo((folder / "fifo.mvr").c_str(), 0600), 0);
#endif
  fs::create_directories(folder / "folder.mvr");
  // A recording of the other program, made here.
  ASSERT_TRUE(fs::exists(kWayfarer));
  const Ran wayfarer = runProgram(kWayfarer, freshFolder("wayfarer"),
                                  {"MORVANE_RECORD=" + (folder / "wayfarer.mvr").string(), "MORVANE_FRAMES=3"});
  ASSERT_EQ(wayfarer.status, 0) << wayfarer.err;

  struct Case {
    const char* file;
    std::string line;  // after "replay: <path> "
  };
  std::vector<Case> cases = {
      {"missing.mvr", "cannot be opened: No such file or directory"},
      {"truncated.mvr", "is truncated"},
      {"wayfarer.mvr", "is a recording of Wayfarer, not of Quadrivolant"},
      {"version.mvr", "is in recording format version 2; this runtime reads version 1"},
      {"build.mvr", "was recorded by build Morvane 0.0.1 linux-x86_64, not by this build"},
      {"corrupt.mvr", "is corrupt"},
      {"impossible.mvr", "is corrupt (a damaged item)"},
#ifdef _WIN32
      {"folder.mvr", "cannot be opened: Permission denied"},  // the system's word for a folder
#else
      {"folder.mvr", "cannot be opened: Is a directory"},
#endif
  };
#ifndef _WIN32
  cases.push_back({"fifo.mvr", "cannot be opened: it is not a regular file"});
#endif
  for (const Case& c : cases) {
    const std::string path = (folder / c.file).string();
    const Ran ran = runProgram(kGame, freshFolder("refused_run"), {"MORVANE_REPLAY=" + path});
    EXPECT_EQ(ran.status, kReplayRefusedStatus) << c.file;
    const std::vector<std::string> err = lines(ran.err);
    ASSERT_EQ(err.size(), 1u) << c.file << ": " << ran.err;
    EXPECT_EQ(err[0].rfind("replay: " + path + " " + c.line, 0), 0u) << err[0];
    EXPECT_NE(ran.log.find(err[0] + "\n"), std::string::npos) << ran.log;
    EXPECT_EQ(ran.log.find("rbow"), std::string::npos) << c.file << ": the window was made";
    EXPECT_EQ(ran.out, "exit\n") << c.file;
  }
}

// A run cut short by the frame limit replays up to the same frame and ends
// there as an end of the program does.
TEST_F(Replay, ARecordingCutShortEndsTheReplayAtItsLastFrame) {
  const fs::path folder = freshFolder("cut");
  const std::string file = (folder / "cut.mvr").string();
  const Ran recorded = runProgram(kGame, freshFolder("cut_record"),
                                  {"MORVANE_RECORD=" + file, "MORVANE_RECORD_FRAMES=5", "MORVANE_FRAMES=40"});
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  EXPECT_NE(recorded.log.find("recording: 42 frames written to " + file + "\n"), std::string::npos)
      << recorded.log;
  const Ran replayed = runProgram(kGame, folder, {"MORVANE_REPLAY=" + file, "MORVANE_NO_FRAME_HOLD=1"});
  EXPECT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_NE(replayed.log.find("replay: the recording ends after frame 42\n"
                              "replay: the run ended as recorded after 42 frames; 8 frame hashes equal\n"),
            std::string::npos)
      << replayed.log;
  EXPECT_EQ(lines(replayed.log).back(), "mvn is shut down");
}

// The system's request to end (here a termination signal) is recorded as
// the window's close, and the replay ends where the run ended.
TEST_F(Replay, AnEndRequestOfTheSystemEndsTheReplayWhereItEndedTheRun) {
  const fs::path folder = freshFolder("terminated");
  const std::string file = (folder / "terminated.mvr").string();
  const fs::path recordFolder = freshFolder("terminated_record");
  Program program(kGame, recordFolder, {"MORVANE_RECORD=" + file, "MORVANE_RECORD_FRAMES=3"});
  ASSERT_TRUE(program.started());
  // The request comes once the run is recording its frames: after the start
  // (which the system's signal would simply cut off), when the file grows.
  const fs::path log = recordFolder / "ErrorLog.txt";
  const auto recordedBytes = [&] {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    return error ? uintmax_t{0} : size;
  };
  ASSERT_TRUE(waitFor([&] { return fileText(log).find("Init Finalized\n") != std::string::npos; }))
      << fileText(log);
  const uintmax_t started = recordedBytes();
  ASSERT_TRUE(waitFor([&] { return recordedBytes() > started; })) << "no frame was recorded";
  program.terminate();
  const Ran recorded = program.wait();
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  runfile::Contents contents;
  std::string problem;
  ASSERT_TRUE(runfile::readRunFile(file, contents, problem)) << problem;
  EXPECT_FALSE(contents.items.back().cutShort);
  const std::string frames = std::to_string(contents.items.back().count);
  const Ran replayed = runProgram(kGame, folder, {"MORVANE_REPLAY=" + file, "MORVANE_NO_FRAME_HOLD=1"});
  EXPECT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_NE(replayed.log.find("replay: the run ended as recorded after " + frames + " frames"), std::string::npos)
      << replayed.log;
}

// A folder that does not exist, and a disk that is full: one report, and the
// program runs its course.
TEST_F(Replay, ARecordingThatCannotBeWrittenIsReportedOnceAndTheRunGoesOn) {
  const fs::path folder = freshFolder("unwritable");
  std::vector<std::string> files = {(folder / "no" / "such" / "run.mvr").string()};
#ifndef _WIN32
  files.push_back("/dev/full");  // Windows has no full device
#endif
  for (const std::string& file : files) {
    const Ran ran = runProgram(kGame, freshFolder("unwritable_run"),
                               {"MORVANE_RECORD=" + file, "MORVANE_RECORD_FRAMES=1", "MORVANE_FRAMES=90"});
    EXPECT_EQ(ran.status, 0) << file;
    const std::vector<std::string> err = lines(ran.err);
    ASSERT_EQ(err.size(), 1u) << file << ": " << ran.err;
    EXPECT_EQ(err[0].rfind("recording: cannot write " + file + ": ", 0), 0u) << err[0];
    EXPECT_NE(err[0].find("; the run goes on unrecorded"), std::string::npos) << err[0];
    const std::string log = ran.log;
    EXPECT_EQ(log.find(err[0]), log.rfind(err[0])) << "reported more than once";
    EXPECT_NE(log.find(err[0] + "\n"), std::string::npos);
    EXPECT_EQ(lines(log).back(), "mvn is shut down") << file;
  }
}

// Waits until the program's log holds text (or the program has ended).
bool logShows(const fs::path& folder, const std::string& text) {
  for (int i = 0; i < 3000; ++i) {
    if (fileText(folder / "ErrorLog.txt").find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// Two runs recording to one file: the second is refused and runs on
// unrecorded, and the first one's recording stays whole and replays.
TEST_F(Replay, ASecondRunRecordingToTheSameFileIsRefused) {
  const fs::path folder = freshFolder("two_writers");
  const std::string file = (folder / "run.mvr").string();
  const fs::path firstFolder = freshFolder("two_writers_first");
  Program first(kGame, firstFolder, {"MORVANE_RECORD=" + file, "MORVANE_RECORD_FRAMES=5"});
  ASSERT_TRUE(first.started());
  ASSERT_TRUE(logShows(firstFolder, "Recording the run to " + file));
  // Started whole: an end request before then would simply cut it off.
  ASSERT_TRUE(logShows(firstFolder, "Init Finalized\n"));
  const Ran second = runProgram(kGame, freshFolder("two_writers_second"),
                                {"MORVANE_RECORD=" + file, "MORVANE_FRAMES=10"});
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(lines(second.err),
            std::vector<std::string>{"recording: cannot write " + file +
                                     ": another run is recording to it; the run goes on unrecorded"});
  first.terminate();
  const Ran recorded = first.wait();
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  EXPECT_NE(recorded.log.find(" frames written to " + file), std::string::npos) << recorded.log;
  const Ran replayed = runProgram(kGame, folder, {"MORVANE_REPLAY=" + file, "MORVANE_NO_FRAME_HOLD=1"});
  EXPECT_EQ(replayed.status, 0) << replayed.err;
}

// A recording deleted while the run goes on is reported lost, never as
// written.
TEST_F(Replay, ARecordingDeletedWhileTheRunGoesOnIsReportedLost) {
#ifdef _WIN32
  GTEST_SKIP() << "a file open for writing cannot be deleted there";
#endif
  const fs::path folder = freshFolder("deleted");
  const std::string file = (folder / "run.mvr").string();
  Program program(kGame, folder, {"MORVANE_RECORD=" + file});
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(logShows(folder, "Recording the run to " + file));
  ASSERT_TRUE(logShows(folder, "Init Finalized\n"));  // an end request then ends it normally
  ASSERT_TRUE(fs::remove(file));
  program.terminate();
  const Ran ran = program.wait();
  EXPECT_EQ(ran.status, 0);
  // Found at a flush (every 64 frames) or at the end, whichever comes first.
  const std::vector<std::string> err = lines(ran.err);
  ASSERT_EQ(err.size(), 1u) << ran.err;
  EXPECT_EQ(err[0].rfind("recording: cannot write " + file + ": it was deleted or replaced while the run went on; ", 0),
            0u)
      << err[0];
  EXPECT_EQ(ran.log.find("frames written"), std::string::npos) << ran.log;
}

}  // namespace
}  // namespace replay_test
