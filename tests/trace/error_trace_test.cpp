// MORVANE_TRACE_ERRORS=1: every failing call of a program is described on
// standard error in one line; without it the output is what it always was.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/child_process.h"

namespace mvn {
namespace {

const std::string kProbe = std::string(MORVANE_TEST_PROGRAMS) + "/trace_probe" + testing::kProgramSuffix;

struct ProbeRun {
  std::string out, err;
};

// Runs the probe in dir with its standard error in a file of its own.
ProbeRun runProbe(const std::string& dir, bool trace) {
  testing::ChildProcess probe(kProbe,
                              {testing::kTemporaryVariable + "=" + dir, "MVN_TRACE_DIR=" + dir,
                               trace ? "MORVANE_TRACE_ERRORS=1" : "MORVANE_TRACE_ERRORS"},
                              dir, "", {}, dir + "/probe.err");
  EXPECT_EQ(probe.wait(), 0);
  std::string err;
  for (char c : testing::fileText(dir + "/probe.err"))
    if (c != '\r') err += c;  // Windows' line ends
  return {probe.output(), err};
}

// The lines the trace adds to standard error, in order.
std::string traceLines(const std::string& err) {
  std::string lines;
  size_t at = 0;
  while (at < err.size()) {
    const size_t end = err.find('\n', at);
    const std::string line = err.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
    if (line.find(": error ") != std::string::npos || line.find(": refused") != std::string::npos ||
        line.find(" nothing: ") != std::string::npos)
      lines += line;
    at = end == std::string::npos ? err.size() : end + 1;
  }
  return lines;
}

TEST(ErrorTrace, EachFailingCallIsOneLineOnlyWhenAskedFor) {
  const std::string dir = std::string(MORVANE_BINARY_DIR) + "/tmp";
  std::ofstream(dir + "/not-an-image.png") << "plain words, not a picture";
  const ProbeRun plain = runProbe(dir, false);
  const ProbeRun traced = runProbe(dir, true);

  EXPECT_EQ(traceLines(traced.err),
            "loadSprite(\"ball.png\", 1): error 3: no such file on disk or in the archive\n"
            "loadSprite(\"" + dir + "/not-an-image.png\", 2): error 3: not an image that can be decoded (PNG, JPEG or BMP)\n"
            "loadSprite(\"ball.png\", 70000): error 7: slot number outside 0..65536\n"
            "setFont(40, 1.5): error 7: font number outside 0..31\n"
            "loadSound(\"click.wav\", 5000, 1): error 7: sound slot outside 0..4095\n"
            "findPath(map 4x4, path, 0.5, 0, 0, 3, 3): refused: no cell of the map is passable "
            "(every value is 0 or less)\n"
            "text(2147483616): error 7: text longer than the longest a text holds\n"
            "drawSprite(70000, 10, 10): draws nothing: slot outside 0..65536\n"
            "drawAnim(3, 40, 10, 10): draws nothing: frame 40 past the image's 9 frames\n"
            "drawAnim(4, 0, 10, 10): draws nothing: slot 4 is empty\n"
            "playSound(5, 0, 1): plays nothing: sound slot 5 is empty\n");
  // The program's own output is the same either way, the error lines included.
  EXPECT_EQ(traced.out, plain.out);
  EXPECT_EQ(plain.out, "error: 3\nerror: 3\nerror: 7\nerror: 7\nerror: 7\nerror: 7\nexit\n");
  EXPECT_EQ(traceLines(plain.err), "");
}

}  // namespace
}  // namespace mvn
