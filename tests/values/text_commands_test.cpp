#include "runtime/values/text_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/values/text_format.h"

using namespace mvn;

TEST(TextCommands, CaseSearchAndReplace) {
  EXPECT_STREQ(upperCase("Media.sbx 7").c_str(), "MEDIA.SBX 7");
  EXPECT_STREQ(lowerCase("Media.SBX").c_str(), "media.sbx");

  struct Find {
    const char* text;
    const char* what;
    int start, forward, backward;
  } finds[] = {
      {"abcabc", "bc", 0, 1, -1},    {"abcabc", "bc", 2, 4, 1},   {"abcabc", "bc", 5, -1, 4},
      {"abcabc", "bc", 99, -1, 4},   {"abcabc", "bc", -3, 1, -1}, {"abcabc", "x", 0, -1, -1},
      {"abcabc", "", 2, 2, 2},       {"", "a", 0, -1, -1},        {"abc", "abcd", 0, -1, -1},
  };
  for (const Find& f : finds) {
    EXPECT_EQ(findText(f.text, f.what, f.start), f.forward) << f.text << " " << f.what << " " << f.start;
    EXPECT_EQ(findTextBackward(f.text, f.what, f.start), f.backward) << f.text << " " << f.what << " " << f.start;
  }
  EXPECT_EQ(findAnyOf("path/to\\file", "/\\", 0), 4);
  EXPECT_EQ(findAnyOf("path/to\\file", "/\\", 5), 7);
  EXPECT_EQ(findAnyOf("path", "/\\", 0), -1);
  EXPECT_EQ(findAnyOf("path", "p", 10), -1);

  EXPECT_STREQ(replaceAll("a\\b\\c", "\\", "/").c_str(), "a/b/c");
  EXPECT_STREQ(replaceAll("aaa", "a", "aa").c_str(), "aaaaaa");
  EXPECT_STREQ(replaceAll("one two one", "one", "").c_str(), " two ");
  EXPECT_STREQ(replaceAll("abc", "", "x").c_str(), "abc");
}

TEST(TextCommands, CharactersHexAndPercent) {
  EXPECT_STREQ(charFromCode(65).c_str(), "A");
  EXPECT_EQ(charFromCode(0).length, 0);
  EXPECT_EQ(static_cast<unsigned char>(charFromCode(0x1e9).buffer[0]), 0xe9);

  const unsigned char bytes[] = {0x00, 0x7f, 0xab, 0xff};
  EXPECT_STREQ(hexFromBytes(bytes, 4, true).c_str(), "007FABFF");
  EXPECT_STREQ(hexFromBytes(bytes, 4, false).c_str(), "007fabff");
  EXPECT_STREQ(hexFromText("Hi", true).c_str(), "4869");
  RtString back = bytesFromHex("007fABff");
  ASSERT_EQ(back.length, 4);
  EXPECT_EQ(std::string(back.buffer, 4), std::string(reinterpret_cast<const char*>(bytes), 4));
  EXPECT_STREQ(bytesFromHex("4869zz41").c_str(), "Hi");  // stops at the first bad pair
  EXPECT_STREQ(bytesFromHex("486").c_str(), "H");        // a lone digit is dropped

  EXPECT_STREQ(percentEncode("a b/c~d.e_f-g").c_str(), "a%20b%2fc~d.e_f-g");
  EXPECT_STREQ(percentEncode("\xe9").c_str(), "%e9");
}

TEST(TextCommands, WideTextRoundTrip) {
  EXPECT_EQ(wideFromText(""), L"");
  EXPECT_EQ(wideFromText("Media.sbx"), L"Media.sbx");
  EXPECT_STREQ(textFromWide(L"Media.sbx").c_str(), "Media.sbx");
  EXPECT_STREQ(textFromWide(wideFromText("caf\xe9").c_str()).c_str(), "caf\xe9");
  EXPECT_STREQ(textFromWide(L"a\x263a").c_str(), "a?");
}

TEST(TextFormat, FormatsWithWidthAndDecimals) {
  struct Case {
    RtString text;
    const char* expected;
  } cases[] = {
      {formatFixed(6, 2, 3.14159), "  3.14"},
      {formatFixed(6.9, 2.7, 3.14159), "  3.14"},  // truncated
      {formatFixed(-6, 1, 2.5), "2.5   "},
      {formatFixed(0, 0, 2.5), "2"},
      {formatFixed(1, -2, 1.5), "1.500000"},
      {formatInt(4, 10), "  10"},
      {formatInt(4, 12345), "12345"},
      {formatInt(-4, 7), "7   "},
      {formatInt64(4, 10), "  10"},
      {formatInt64(0, INT64_MIN), "-9223372036854775808"},
  };
  for (const Case& c : cases) EXPECT_STREQ(c.text.c_str(), c.expected);
}

TEST(TextFormat, OverlongResultsAreCutAt143Characters) {
  struct Case {
    RtString text;
    std::string expected;
  } cases[] = {
      {formatInt(200, 10), std::string(143, ' ')},
      {formatInt(145, 10), std::string(143, ' ')},
      {formatInt(144, 10), std::string(142, ' ') + "1"},
      {formatInt(1e12, 10), std::string(143, ' ')},
      {formatInt(-1e12, 10), "10" + std::string(141, ' ')},
      {formatInt64(300, -5), std::string(143, ' ')},
      {formatFixed(0, 200, 1.0), "1." + std::string(141, '0')},
      {formatFixed(0, 1e9, 0.5), "0.5" + std::string(140, '0')},
      {formatFixed(-3000, 2, 1.0), "1.00" + std::string(139, ' ')},
      // More decimals than a double has digits: the field is padded for the
      // whole number, zeros included.
      {formatFixed(0, 1200, 1.0), "1." + std::string(141, '0')},
      {formatFixed(1300, 1200, 1.0), std::string(98, ' ') + "1." + std::string(43, '0')},
      {formatFixed(1300, 1200, -0.5), std::string(97, ' ') + "-0.5" + std::string(42, '0')},
      {formatFixed(2100, 2000, 1.0), std::string(98, ' ') + "1." + std::string(43, '0')},
      {formatFixed(1280, 1200, 1.0), std::string(78, ' ') + "1." + std::string(63, '0')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text.length, mvn::kFormatLimit);
    EXPECT_EQ(std::string(c.text.c_str()), c.expected);
  }
  // The buffers are shared: a short result after a long one is whole.
  EXPECT_STREQ(formatInt(3, 5).c_str(), "  5");
}
