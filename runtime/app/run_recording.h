// Recording a run and replaying it, from the environment:
//   MORVANE_RECORD=<file>        the run is recorded to the file
//   MORVANE_RECORD_FRAMES=<n>    ... with a hash of every nth presented frame
//   MORVANE_REPLAY=<file>        the run is replayed from the file
// The platform layer records and answers the reads (runtime/platform/
// recording.h); here are the start, the mark of every presented frame with
// its hash, and the end.
#pragma once

#include <cstdint>
#include <string>

namespace mvn {

class OpenGLRainbows;

// Start-up, before anything is read from the outside world. A recording that
// cannot be replayed ends the program here, before the window opens.
void beginRunRecording();
// Just before a frame is presented: its mark, with the hash of its pixels
// when the recording keeps one. May end the program (a replay that differs,
// or whose recording ends with this frame).
void markPresentedFrame(OpenGLRainbows& renderer);
// The run is being ended from outside the program (the frame limit).
void noteRunCutShort();
// The end routine's first step: the exit status the end should have (0, or
// the status of a replay that came out other than its recording).
int endRunRecording();

// The build a recording names: the runtime's release, system and processor.
std::string runBuildIdentifier();
// The hash a frame mark keeps: of the frame's RGBA rows, bottom row first.
uint64_t frameHash(const unsigned char* pixels, size_t size);

}  // namespace mvn
