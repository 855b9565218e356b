#include "runtime/values/rt_array.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "child_process.h"
#include "runtime/values/named_functions.h"

using mvn::RtArray;
using mvn::RtString;

namespace {

// A record of the program: a virtual operation and number fields.
struct Tpiece {
  virtual ~Tpiece() = default;
  virtual void touch() {}
  double x;
  int n;
};

Tpiece piece(double x, int n) {
  Tpiece p;
  p.x = x;
  p.n = n;
  return p;
}

}  // namespace

TEST(RtArray, BoardOfTenByTen) {
  RtArray<int> board;
  EXPECT_EQ(board.data, nullptr);
  board.dimension(10, 10);
  EXPECT_EQ(board.total, 100);
  EXPECT_EQ(board.capacity, 104);
  EXPECT_EQ(board.dimensionCount, 2);
  EXPECT_EQ(board.stride1, 10);
  EXPECT_EQ(board.size(0), 10);
  EXPECT_EQ(board.size(1), 10);
  EXPECT_EQ(board.size(2), 0);
  EXPECT_EQ(board.size(7), 0);
  for (int s = 0; s < board.capacity; ++s) EXPECT_EQ(board.data[s], 0);

  board(3, 4) = 34;
  EXPECT_EQ(board.data[3 + 10 * 4], 34);  // the first index varies fastest
  board(-1, 3) = 93;                      // counted from the end
  EXPECT_EQ(board(9, 3), 93);
  board(2, 5) = board(3, 4) + 1;
  EXPECT_EQ(board(2, 5), 35);
}

TEST(RtArray, CapacityRules) {
  struct Case {
    int n, numbers, records;
  } cases[] = {{0, 8, 0}, {1, 8, 64}, {8, 16, 64}, {63, 64, 64}, {64, 72, 128}, {100, 104, 128}};
  for (const Case& c : cases) {
    RtArray<double> numbers;
    RtArray<Tpiece> records;
    RtArray<RtString> texts;
    numbers.dimension(c.n);
    records.dimension(c.n);
    texts.dimension(c.n);
    EXPECT_EQ(numbers.capacity, c.numbers) << c.n;
    EXPECT_EQ(texts.capacity, c.numbers) << c.n;
    EXPECT_EQ(records.capacity, c.records) << c.n;
    EXPECT_EQ(records.data == nullptr, c.records == 0) << c.n;
    EXPECT_EQ(numbers.total, c.n);
  }
}

TEST(RtArray, ExactDimensionForResultsOfKnownSize) {
  RtArray<int> pixels;
  pixels.dimension(3);
  pixels.dimensionExact(100);
  EXPECT_EQ(pixels.capacity, 100);
  EXPECT_EQ(pixels.total, 100);
  pixels(99) = 7;
  int* block = pixels.data;
  pixels.dimensionExact(100);  // the same size keeps the block, made fresh
  EXPECT_EQ(pixels.data, block);
  EXPECT_EQ(pixels(99), 0);
  pixels.dimensionExact(0);
  EXPECT_EQ(pixels.data, nullptr);
  EXPECT_EQ(pixels.total, 0);
  pixels.push(5);  // grows by the usual rule afterwards
  EXPECT_EQ(pixels.capacity, 8);
}

TEST(RtArray, ShapesAndDimensionCounts) {
  struct Case {
    int e[4];
    int total, count;
  } cases[] = {{{5, 0, 0, 0}, 5, 1},    {{0, 0, 0, 0}, 0, 0},   {{-3, 0, 0, 0}, 0, 0},
               {{4, 3, 0, 0}, 12, 2},   {{4, 3, 2, 0}, 24, 3},  {{2, 2, 2, 2}, 16, 4},
               {{0, 5, 0, 0}, 0, 2},    {{5, -2, 0, 0}, 5, 1},  {{5, 0, 3, 0}, 15, 3}};
  for (const Case& c : cases) {
    RtArray<int> a;
    EXPECT_TRUE(a.dimension(c.e[0], c.e[1], c.e[2], c.e[3]));
    EXPECT_EQ(a.total, c.total) << c.e[0] << "," << c.e[1] << "," << c.e[2] << "," << c.e[3];
    EXPECT_EQ(a.dimensionCount, c.count) << c.e[0] << "," << c.e[1] << "," << c.e[2] << "," << c.e[3];
    EXPECT_LE(a.total, a.capacity);
  }
  // Three and four indices address their own slots.
  RtArray<int> cube;
  cube.dimension(4, 3, 2, 2);
  cube(3, 2, 1, 1) = 7;
  EXPECT_EQ(cube.data[3 + 2 * 4 + 1 * 12 + 1 * 24], 7);
  RtArray<int> gap;  // a missing middle extent does not fold the third index
  gap.dimension(5, 0, 3);
  gap(1, 0, 2) = 12;
  EXPECT_EQ(gap(1, 0, 0), 0);
  EXPECT_EQ(gap.data[1 + 2 * 5], 12);
}

TEST(RtArray, RedeclaringFreshensAndKeepsABlockThatIsLargeEnough) {
  RtArray<int> a;
  a.dimension(10);
  a(9) = 5;
  int* block = a.data;
  a.dimension(6);
  EXPECT_EQ(a.data, block);
  EXPECT_EQ(a(5), 0);
  a(5) = 1;
  a.dimension(0);  // a first extent of 0 allocates anew
  EXPECT_NE(a.data, nullptr);
  EXPECT_EQ(a.capacity, 8);
  EXPECT_EQ(a.total, 0);

  RtArray<RtString> texts;
  texts.dimension(3);
  texts(1) = "kept until redeclared";
  texts.dimension(3);
  EXPECT_STREQ(texts(1).c_str(), "");

  RtArray<Tpiece> records;
  records.dimension(2);
  records(1) = piece(2.5, 3);
  records.dimension(2);
  EXPECT_EQ(records(1).x, 0);
  EXPECT_EQ(records(1).n, 0);
}

TEST(RtArray, PushGrowsRecordsInStepsOf64) {
  RtArray<Tpiece> tapes;
  tapes.push(piece(0.5, 0));
  EXPECT_EQ(tapes.capacity, 64);
  for (int i = 1; i < 63; ++i) tapes.push(piece(i + 0.5, i));
  EXPECT_EQ(tapes.size1, 63);
  EXPECT_EQ(tapes.capacity, 64);
  tapes.push(piece(63.5, 63));  // count 63 -> 64 moves to a new block
  EXPECT_EQ(tapes.capacity, 128);
  EXPECT_EQ(tapes.total, 64);
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(tapes(i).n, i);
    EXPECT_EQ(tapes(i).x, i + 0.5);
  }
  tapes(10).touch();  // the slots are whole records
}

TEST(RtArray, PushOfAnOwnElementAndPushAfterEmptying) {
  RtArray<RtString> names;
  for (int i = 0; i < 7; ++i) names.push(RtString(i) + ".jpg");
  EXPECT_EQ(names.capacity, 8);
  names.push(names(0));  // count 7 -> 8 moves the block under the argument
  EXPECT_EQ(names.capacity, 16);
  EXPECT_STREQ(names(7).c_str(), "0.jpg");
  EXPECT_STREQ(names(-1).c_str(), "0.jpg");

  RtArray<int> numbers;
  numbers.dimension(5);
  numbers.redimension(0);  // empty, block kept
  EXPECT_EQ(numbers.capacity, 8);
  EXPECT_EQ(numbers.total, 0);
  numbers.push(42);
  EXPECT_EQ(numbers.size1, 1);
  EXPECT_EQ(numbers.dimensionCount, 1);
  EXPECT_EQ(numbers(0), 42);
}

TEST(RtArray, RemoveMovesTheLaterElementsDown) {
  RtArray<Tpiece> tapes;
  for (int i = 0; i < 4; ++i) tapes.push(piece(i, i));
  tapes.remove(0);
  EXPECT_EQ(tapes.size1, 3);
  EXPECT_EQ(tapes.total, 3);
  EXPECT_EQ(tapes(0).n, 1);
  EXPECT_EQ(tapes(2).n, 3);
  EXPECT_EQ(tapes.data[3].n, 3);  // the freed slot keeps its contents
  tapes.remove(-1);
  EXPECT_EQ(tapes.size1, 2);
  EXPECT_EQ(tapes(1).n, 2);

  RtArray<int> one;
  one.push(9);
  int* block = one.data;
  one.remove(0);
  EXPECT_EQ(one.size1, 0);
  EXPECT_EQ(one.total, 0);
  EXPECT_EQ(one.dimensionCount, 0);
  EXPECT_EQ(one.data, block);

  RtArray<int> grid;  // a first index removed from every row
  grid.dimension(3, 2);
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 3; ++i) grid(i, j) = 10 * j + i;
  }
  grid.remove(1);
  EXPECT_EQ(grid.size1, 2);
  EXPECT_EQ(grid.total, 4);
  EXPECT_EQ(grid(0, 0), 0);
  EXPECT_EQ(grid(1, 0), 2);
  EXPECT_EQ(grid(0, 1), 10);
  EXPECT_EQ(grid(1, 1), 12);
}

TEST(RtArray, RedimensionKeepsTheCommonElements) {
  RtArray<int> a;
  a.dimension(3, 2);
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 3; ++i) a(i, j) = 10 * j + i + 1;
  }
  a.redimension(2, 4);
  EXPECT_EQ(a.total, 8);
  EXPECT_EQ(a(0, 0), 1);
  EXPECT_EQ(a(1, 0), 2);
  EXPECT_EQ(a(0, 1), 11);
  EXPECT_EQ(a(1, 1), 12);
  EXPECT_EQ(a(0, 2), 0);
  EXPECT_EQ(a(1, 3), 0);
  a.redimension(5);  // one dimension: only [i][0] is common
  EXPECT_EQ(a(0), 1);
  EXPECT_EQ(a(1), 2);
  EXPECT_EQ(a(2), 0);

  RtArray<RtString> texts;
  texts.push("first");
  texts.push("second");
  texts.redimension(20);
  EXPECT_STREQ(texts(1).c_str(), "second");
  EXPECT_STREQ(texts(19).c_str(), "");
}

TEST(RtArray, AssignCopiesEveryElement) {
  RtArray<RtString> source;
  source.dimension(2, 2);
  source(1, 1) = "corner";
  RtArray<RtString> copy;
  copy.assign(source);
  EXPECT_EQ(copy.size1, 2);
  EXPECT_EQ(copy.size2, 2);
  EXPECT_STREQ(copy(1, 1).c_str(), "corner");
  EXPECT_NE(copy(1, 1).buffer, source(1, 1).buffer);
  copy.assign(copy);  // itself: nothing lost
  EXPECT_STREQ(copy(1, 1).c_str(), "corner");
  RtArray<RtString> constructed(source);
  EXPECT_STREQ(constructed(1, 1).c_str(), "corner");
  RtArray<RtString> never;
  RtArray<RtString> copyOfNever(never);
  EXPECT_EQ(copyOfNever.data, nullptr);
}

// --- faults that end the program, each in a child process

namespace {

struct FatalCase {
  const char* name;
  std::function<void()> fault;
  int status;
  const char* err;
};

RtArray<int> board10x10() {
  RtArray<int> board;
  board.dimension(10, 10);
  return board;
}

RtArray<int> fiveInts() {
  RtArray<int> a;
  a.dimension(5);
  return a;
}

}  // namespace

TEST(RtArray, FaultsReportAndEndTheProgram) {
  FatalCase cases[] = {
      {"read [5][12] of 10x10", [] { std::printf("%d", board10x10()(5, 12)); }, 9,
       "bounds: [  10][  10]\naccess: [   5][  12]\n"},
      {"second index -1", [] { board10x10()(3, -1) = 1; }, 9, "bounds: [  10][  10]\naccess: [   3][  -1]\n"},
      {"second index 10", [] { board10x10()(0, 10) = 1; }, 9, "bounds: [  10][  10]\naccess: [   0][  10]\n"},
      {"first index 10", [] { board10x10()(10, 0) = 1; }, 9, "bounds: [  10][  10]\naccess: [  10][   0]\n"},
      {"first index -11", [] { board10x10()(-11, 0) = 1; }, 9, "bounds: [  10][  10]\naccess: [  -1][   0]\n"},
      {"second index of a one-dimensional array", [] { fiveInts()(2, 1) = 1; }, 9,
       "bounds: [   5]\naccess: [   2][   1]\n"},
      {"one index past the end", [] { fiveInts()(5) = 1; }, 9, "bounds: [   5]\naccess: [   5]\n"},
      {"large index in full", [] { fiveInts()(12345) = 1; }, 9, "bounds: [   5]\naccess: [12345]\n"},
      {"dimension(0) has no elements",
       [] {
         RtArray<int> a;
         a.dimension(0);
         a(0) = 1;
       },
       9, "bounds: [   0]\naccess: [   0]\n"},
      {"never dimensioned",
       [] {
         RtArray<double> a;
         a(0) = 1;
       },
       9, "bounds: [   0]\naccess: [   0]\n"},
      {"third index", [] {
         RtArray<int> a;
         a.dimension(4, 3, 2);
         a(1, 1, 2) = 1;
       },
       9, "bounds: [   4][   3][   2]\naccess: [   1][   1][   2]\n"},
      {"remove(-size1 - 1)", [] { fiveInts().remove(-6); }, 9, "bounds: [   5]\naccess: [  -1]\n"},
      {"remove(size1)", [] { fiveInts().remove(5); }, 9, "bounds: [   5]\naccess: [   5]\n"},
      {"remove on an empty array",
       [] {
         RtArray<Tpiece> a;
         a.remove(0);
       },
       9, "bounds: [   0]\naccess: [   0]\n"},
      {"push onto two dimensions", [] { board10x10().push(1); }, 8, ""},
      {"dimension beyond the element limit",
       [] {
         RtArray<int> a;
         a.dimension(100000, 100000);
       },
       7, ""},
      {"dimension beyond the element limit in four extents",
       [] {
         RtArray<int> a;
         a.dimension(65536, 65536, 65536, 65536);
       },
       7, ""},
  };
  const std::string here = std::string("at: ") + __FILE__ + ":";
  for (const FatalCase& c : cases) {
    ChildResult child = runInChild(c.fault);
    EXPECT_EQ(child.exitStatus, c.status) << c.name;
    // The specified lines, then the line of this file that faulted.
    const size_t at = child.err.find(here);
    if (at == std::string::npos) {  // the next case still runs
      ADD_FAILURE() << c.name << ": no line of this file in " << child.err;
      continue;
    }
    EXPECT_EQ(child.err.substr(0, at), c.err) << c.name;
    EXPECT_EQ(child.err.find('\n', at), child.err.size() - 1) << c.name << ": the last line";
    char expectedOut[32];
    std::snprintf(expectedOut, sizeof expectedOut, "error: %x\nexit\n", c.status);
    EXPECT_EQ(child.out, expectedOut) << c.name;
  }
}

namespace {

RtArray<int> survivor;

// Runs during the process exit, when an end is already in progress: the
// faulting access must neither complete nor touch memory outside the array.
void faultWhileEnding() {
  survivor(0, 1) = 42;
  survivor(7) = 43;
  std::printf("after: %d %d %d %d\n", survivor.size1, survivor(0), survivor.data[1], survivor.data[7]);
  std::fflush(stdout);
}

}  // namespace

TEST(RtArray, AFaultDuringTheEndIsAbandoned) {
  ChildResult child = runInChild([] {
    survivor.dimension(1);
    survivor(0) = 9;
    std::atexit(faultWhileEnding);
    survivor(3) = 1;
  });
  const int faultLine = __LINE__ - 2;
  EXPECT_EQ(child.exitStatus, 9);
  EXPECT_EQ(child.out, "error: 9\nexit\nerror: 9\nerror: 9\nafter: 1 9 0 0\n");
  // Only the fault that ends the program says where it happened.
  EXPECT_EQ(child.err, "bounds: [   1]\naccess: [   3]\n"
                       "at: " + std::string(__FILE__) + ":" + std::to_string(faultLine) + "\n"
                       "bounds: [   1]\naccess: [   0][   1]\n"
                       "bounds: [   1]\naccess: [   7]\n");
}

namespace {

RtArray<RtString> hookTexts;

// The program's quit hook runs inside the end: its faults find the end in
// progress, and the hook goes on with the next statement.
void quitHookWithAFault() {
  hookTexts(4) = "lost";
  hookTexts.push(hookTexts(9));
  std::printf("hook: %d [%s] [%s]\n", hookTexts.size1, hookTexts(0).c_str(), hookTexts(1).c_str());
  std::fflush(stdout);
}

const mvn::NamedFunction quitHook[] = {{quitHookWithAFault, "MVN_ON_QUIT"}, {nullptr, nullptr}};

}  // namespace

TEST(RtArray, AFaultInTheQuitHookIsAbandoned) {
  ChildResult child = runInChild([] {
    mvn::registerNamedFunctions(quitHook);
    hookTexts.push("kept");
    mvn::assertValue(0);
  });
  const int line = __LINE__ - 2;
  EXPECT_EQ(child.exitStatus, 21);
  EXPECT_EQ(child.out, "error: 15\nerror: 9\nerror: 9\nhook: 2 [kept] []\nexit\n");
  EXPECT_EQ(child.err, "at: " + std::string(__FILE__) + ":" + std::to_string(line) +
                           "\nbounds: [   1]\naccess: [   4]\nbounds: [   1]\naccess: [   9]\n");
}
