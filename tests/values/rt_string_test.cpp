#include "runtime/values/rt_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using mvn::RtString;

namespace {

void expectInvariants(const RtString& s) {
  ASSERT_NE(s.buffer, nullptr);
  EXPECT_EQ(s.buffer[s.length], 0);
  EXPECT_EQ(std::strlen(s.buffer), static_cast<size_t>(s.length));
  if (s.capacity > 0) {
    EXPECT_LT(s.length, s.capacity);
  }
}

}  // namespace

TEST(RtString, EmptyValuesShareOneBufferAndNeverAllocate) {
  RtString a, b(""), c(static_cast<const char*>(nullptr));
  a.append("");
  a.append(RtString());
  EXPECT_EQ(a.capacity, 0);
  EXPECT_EQ(b.capacity, 0);
  EXPECT_EQ(c.capacity, 0);
  EXPECT_EQ(a.buffer, b.buffer);
  EXPECT_EQ(a.buffer, c.buffer);
  RtString copy(a);
  EXPECT_EQ(copy.capacity, 0);
  expectInvariants(copy);
}

TEST(RtString, ReserveRoundsToTheNextMultipleOf16AboveNPlusOne) {
  struct Case {
    int n, capacity;
  } cases[] = {{1, 16}, {14, 16}, {15, 32}, {30, 32}, {31, 48}, {100, 112}};
  for (const Case& c : cases) {
    RtString s;
    EXPECT_TRUE(s.reserve(c.n, false));
    EXPECT_EQ(s.capacity, c.capacity) << "n=" << c.n;
    expectInvariants(s);
  }
  RtString s;
  s.reserve(0, true);
  s.reserve(-5, true);
  EXPECT_EQ(s.capacity, 0);
}

TEST(RtString, ReserveKeepsOrDropsTheCharacters) {
  RtString kept("Quadrivolant");
  EXPECT_EQ(kept.capacity, 16);
  EXPECT_EQ(kept.length, 12);
  kept.reserve(40, true);
  EXPECT_EQ(kept.capacity, 48);
  EXPECT_STREQ(kept.c_str(), "Quadrivolant");
  kept.reserve(10, false);  // enough room already: nothing changes
  EXPECT_STREQ(kept.c_str(), "Quadrivolant");

  RtString dropped("Quadrivolant");
  dropped.reserve(40, false);
  EXPECT_EQ(dropped.buffer[0], 0);
  dropped.recomputeLength();
  EXPECT_EQ(dropped.length, 0);
}

TEST(RtString, RefusesLengthsBeyondItsLimitAndStaysIntact) {
  RtString s("abc");
  EXPECT_FALSE(s.reserve(RtString::kMaxLength + 1, true));
  EXPECT_FALSE(s.reserve(INT_MAX, true));
  EXPECT_STREQ(s.c_str(), "abc");
  EXPECT_EQ(s.capacity, 16);
}

TEST(RtString, AssignCases) {
  RtString owner("a rather long text");
  char* buffer = owner.buffer;
  int capacity = owner.capacity;

  owner.assign(owner);  // itself: nothing
  EXPECT_STREQ(owner.c_str(), "a rather long text");

  owner.assign("");  // empty: same buffer, length 0
  EXPECT_EQ(owner.buffer, buffer);
  EXPECT_EQ(owner.capacity, capacity);
  EXPECT_EQ(owner.length, 0);
  expectInvariants(owner);

  owner.assign("short");  // fits: the buffer stays
  EXPECT_EQ(owner.buffer, buffer);
  EXPECT_STREQ(owner.c_str(), "short");

  owner = RtString("longer than the twenty-four bytes held so far");
  EXPECT_STREQ(owner.c_str(), "longer than the twenty-four bytes held so far");
  expectInvariants(owner);

  owner.assign(owner.c_str() + 7);  // a part of itself
  EXPECT_STREQ(owner.c_str(), "than the twenty-four bytes held so far");
  expectInvariants(owner);

  RtString empty;
  empty.assign(RtString());  // the shared buffer is never written
  EXPECT_EQ(empty.capacity, 0);
}

TEST(RtString, AppendGrowsInSteps) {
  RtString s;
  s.append('x');
  EXPECT_EQ(s.capacity, 16);
  for (int i = 0; i < 14; ++i) s.append('x');
  EXPECT_EQ(s.length, 15);
  EXPECT_EQ(s.capacity, 16);
  s.append('x');
  EXPECT_EQ(s.capacity, 32);
  s.append(RtString("yz"));
  s.append("!");
  EXPECT_EQ(std::string(s.c_str()), std::string(16, 'x') + "yz!");
  expectInvariants(s);
}

TEST(RtString, AppendingItselfSurvivesTheBufferMoving) {
  RtString s("0123456789abcd");  // capacity 16, full
  s.append(s);
  EXPECT_STREQ(s.c_str(), "0123456789abcd0123456789abcd");
  s.append(s.c_str() + 20);
  EXPECT_STREQ(s.c_str(), "0123456789abcd0123456789abcd6789abcd");
  expectInvariants(s);
}

TEST(RtString, SwapMoveAndRelease) {
  RtString a("left"), b("the right one");
  a.swap(b);
  EXPECT_STREQ(a.c_str(), "the right one");
  EXPECT_STREQ(b.c_str(), "left");
  RtString moved(std::move(a));
  EXPECT_STREQ(moved.c_str(), "the right one");
  EXPECT_EQ(a.capacity, 0);  // NOLINT: a moved-from value is empty
  moved.release();
  EXPECT_EQ(moved.capacity, 0);
  EXPECT_EQ(moved.length, 0);
  expectInvariants(moved);
}

TEST(RtString, RecomputeLengthAfterACWrite) {
  RtString s;
  s.reserve(14, false);
  std::strcpy(s.buffer, "written");
  s.recomputeLength();
  EXPECT_EQ(s.length, 7);
  std::memset(s.buffer, 'z', static_cast<size_t>(s.capacity));  // no terminator left
  s.recomputeLength();
  EXPECT_EQ(s.length, s.capacity - 1);
  expectInvariants(s);
}

TEST(RtString, NumbersToText) {
  struct Case {
    double value;
    const char* text;
  } doubles[] = {
      {1.0 / 3, "0.3333333333"}, {100, "100"},     {-2.5, "-2.5"},        {0.5, "0.5"},
      {1.0, "1"},               {0, "0"},         {-0.0, "0"},           {1e-5, "1.e-005"},
      {1e15, "1.e+015"},        {1e21, "1.e+021"}, {-1.5e-7, "-1.5e-007"}, {0.1, "0.1"},
      {0.05, "5.e-002"},        {2.0 / 3, "0.6666666667"}, {1234567890, "1234567890"},
      {9999999999.5, "10000000000"}, {12345678901.0, "1.23456789e+010"}, {0.99999999999, "1"},
      {123.456, "123.456"},     {1e300, "1.e+300"}, {-1e-300, "-1.e-300"},
      {std::numeric_limits<double>::infinity(), "1.#INF"},
      {-std::numeric_limits<double>::infinity(), "-1.#INF"},
      {std::numeric_limits<double>::quiet_NaN(), "1.#QNAN"},
  };
  for (const Case& c : doubles) EXPECT_STREQ(RtString(c.value).c_str(), c.text) << c.value;
  EXPECT_STREQ(RtString(0.25f).c_str(), "0.25");
  EXPECT_EQ(RtString(1.0 / 3).capacity, 80);  // 63 characters reserved

  EXPECT_STREQ(RtString(7).c_str(), "7");
  EXPECT_STREQ(RtString(-12).c_str(), "-12");
  EXPECT_STREQ(RtString(INT_MIN).c_str(), "-2147483648");
  EXPECT_EQ(RtString(7).capacity, 32);  // 15 characters reserved
  EXPECT_STREQ(RtString(std::int64_t{-1}).c_str(), "-1");
  EXPECT_STREQ(RtString(std::numeric_limits<std::int64_t>::min()).c_str(), "-9223372036854775808");
  EXPECT_STREQ(RtString(std::numeric_limits<std::int64_t>::max()).c_str(), "9223372036854775807");
  EXPECT_STREQ(RtString(4000000000u).c_str(), "4000000000");
  EXPECT_STREQ(RtString(static_cast<short>(-3)).c_str(), "-3");

  EXPECT_EQ(mvn::numberTextLength(-123), 4);
  EXPECT_EQ(mvn::numberTextLength(2.5), 3);
}

TEST(RtString, TextToNumbers) {
  struct Case {
    const char* text;
    int asInt;
    std::int64_t asInt64;
    double asDouble;
  } cases[] = {
      {"abc", 0, 0, 0},
      {"", 0, 0, 0},
      {"  42xyz", 42, 42, 42},
      {"\t\n-17", -17, -17, -17},
      {"+8", 8, 8, 8},
      {"3.75", 3, 3, 3.75},
      {"-2.5e2", -2, -2, -250},
      {"1e", 1, 1, 1},
      {".5", 0, 0, 0.5},
      {"- 5", 0, 0, 0},
      {"0x1A", 0, 0, 0},
      {"inf", 0, 0, 0},
      {"2147483647", INT_MAX, 2147483647, 2147483647.0},
      {"2147483648", INT_MAX, 2147483648LL, 2147483648.0},
      {"-2147483648", INT_MIN, -2147483648LL, -2147483648.0},
      {"-99999999999", INT_MIN, -99999999999LL, -99999999999.0},
      {"9223372036854775807", INT_MAX, INT64_MAX, 9223372036854775807.0},
      {"99999999999999999999", INT_MAX, INT64_MAX, 1e20},
      {"-99999999999999999999", INT_MIN, INT64_MIN, -1e20},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mvn::textToInt(c.text), c.asInt) << '"' << c.text << '"';
    EXPECT_EQ(mvn::textToInt64(c.text), c.asInt64) << '"' << c.text << '"';
    EXPECT_DOUBLE_EQ(mvn::textToDouble(c.text), c.asDouble) << '"' << c.text << '"';
  }
  EXPECT_TRUE(std::isinf(mvn::textToDouble("1e999")));
}

TEST(RtString, JoinsCopyTheLeftAndAppendTheRight) {
  RtString n(7);
  EXPECT_STREQ((n + ".jpg").c_str(), "7.jpg");
  EXPECT_STREQ((RtString("") + 7 + ".jpg").c_str(), "7.jpg");
  EXPECT_STREQ(("x=" + RtString(2.5)).c_str(), "x=2.5");
  EXPECT_STREQ((RtString("a") + RtString("b")).c_str(), "ab");
  EXPECT_STREQ((3 + RtString(" apples")).c_str(), "3 apples");
  EXPECT_STREQ((RtString("big ") + std::int64_t{1} * 10000000000).c_str(), "big 10000000000");
  EXPECT_STREQ((0.5f + RtString("")).c_str(), "0.5");
  RtString s("n");
  s += 1;
  s += '-';
  s += 2.25;
  EXPECT_STREQ(s.c_str(), "n1-2.25");
}

TEST(RtString, Comparisons) {
  RtString ten("10"), nine("9");
  EXPECT_TRUE(ten < nine);  // byte-wise
  EXPECT_TRUE(ten < "9");
  EXPECT_TRUE("10" < nine);
  EXPECT_TRUE(ten != nine);
  EXPECT_TRUE(ten == "10");
  EXPECT_TRUE(ten >= ten);
  EXPECT_FALSE(ten > ten);

  EXPECT_TRUE(ten == 10);  // numerically
  EXPECT_TRUE(ten > 9);
  EXPECT_TRUE(9 < ten);
  EXPECT_TRUE(10 <= ten);
  EXPECT_TRUE(RtString("2.5") == 2.5);
  EXPECT_TRUE(RtString("2.5") == 2);  // as an integer, "2.5" is 2
  EXPECT_TRUE(RtString("0.1") == 0.1f);  // converted to the float kind
  EXPECT_TRUE(RtString("abc") == 0);
  EXPECT_TRUE(RtString("10000000000") == std::int64_t{10000000000});
  EXPECT_TRUE(RtString("10000000000") != 1410065408);
}
