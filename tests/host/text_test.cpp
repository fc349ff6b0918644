// Host tests of the text helpers: lead-byte sets, FindLastChar and bounded composition.
#include <gtest/gtest.h>

#include "platform/fake.h"
#include "tests/host/support.h"

namespace {

struct FindCase {
  const char* Name;
  uint32_t CodePage;  // 0: the empty set
  std::string Text;
  char Target;
  int Expected;  // index of the match, or -1
};

TEST(FindLastChar, FindsOnlySingleByteCharacters) {
  const FindCase kCases[] = {
      {"plain", 0, "C:\\a\\b", '\\', 4},
      {"absent", 0, "abc", '\\', -1},
      {"empty text", 932, "", '\\', -1},
      {"no lead bytes: trail 0x5C counts", 0, "C:\\x\\\x95\x5C", '\\', 6},
      {"932: trail 0x5C is no separator", 932, "C:\\x\\\x95\x5C", '\\', 4},
      {"932: separator after the character", 932, "C:\\\x95\x5C\\n", '\\', 5},
      {"932: 0xFE is no lead byte", 932, "a\\\xFE\x5C", '\\', 3},
      {"936: 0xFE is a lead byte", 936, "a\\\xFE\x5C", '\\', 1},
      {"1361: 0xD4 is no lead byte", 1361, "\xD4\x5C", '\\', 1},
      {"1361: 0xD8 is a lead byte", 1361, "\xD8\x5C", '\\', -1},
      {"932: lead byte before the NUL ends the walk", 932, "a\\b\x81", '\\', 1},
      {"932: full stop as trail byte", 932, "a.b\x81.", '.', 1},
      {"full stop in a folder", 0, "C:\\Setup.old\\Launch", '.', 8},
  };
  for (const FindCase& c : kCases) {
    const std::vector<char> text = Exact(c.Text);
    const char* found = FindLastChar(text.data(), c.Target, Leads(c.CodePage));
    EXPECT_EQ(found == nullptr ? -1 : found - text.data(), c.Expected) << c.Name;
  }
}

struct LeadCase {
  const char* Name;
  uint32_t CodePage;
  bool Described;     // whether the platform's CPINFO is at hand
  win::CpInfo Info;
  std::vector<std::pair<int, int>> Ranges;
};

TEST(LeadBytesFor, FollowsTheFixedRowsThenThePlatform) {
  const win::CpInfo kSingle = {1, {'?', 0}, {0x81, 0xFE}};
  const win::CpInfo kEucJp = {2, {'?', 0}, {0x8E, 0x8E, 0xA1, 0xFE}};
  const win::CpInfo kSixRanges = {2, {'?', 0}, {1, 1, 3, 3, 5, 5, 7, 7, 9, 9, 11, 11}};
  const LeadCase kCases[] = {
      {"932", 932, false, {}, {{0x81, 0x9F}, {0xE0, 0xFC}}},
      {"936", 936, false, {}, {{0x81, 0xFE}}},
      {"949", 949, false, {}, {{0x81, 0xFE}}},
      {"950", 950, false, {}, {{0x81, 0xFE}}},
      {"1361", 1361, false, {}, {{0x81, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}},
      {"fixed rows ignore the platform", 932, true, kEucJp, {{0x81, 0x9F}, {0xE0, 0xFC}}},
      {"single-byte code page", 1252, true, kSingle, {}},
      {"other multibyte code page", 20932, true, kEucJp, {{0x8E, 0x8E}, {0xA1, 0xFE}}},
      {"six ranges, no zero pair", 51949, true, kSixRanges,
       {{1, 1}, {3, 3}, {5, 5}, {7, 7}, {9, 9}, {11, 11}}},
      {"not described", 20932, false, {}, {}},
  };
  for (const LeadCase& c : kCases) {
    const LeadByteSet set = LeadBytesFor(c.CodePage, c.Described ? &c.Info : nullptr);
    for (int b = 0; b < 256; ++b) {
      bool expected = false;
      for (const auto& r : c.Ranges) expected = expected || (b >= r.first && b <= r.second);
      ASSERT_EQ(set.Lead[b], expected) << c.Name << ", byte " << b;
    }
  }
}

TEST(InitLeadByteSet, AsksThePlatformOnlyOutsideTheFixedRows) {
  struct Case {
    uint32_t CodePage;
    bool CpInfoFails;
    int CpInfoCalls;
    bool Lead0x81;
  };
  const Case kCases[] = {{932, false, 0, true}, {1252, false, 1, false}, {20932, false, 1, true},
                         {20932, true, 1, false}};
  for (const Case& c : kCases) {
    fake::Reset();
    fake::Fake().CodePage = c.CodePage;
    fake::Fake().CpInfoFails = c.CpInfoFails;
    fake::Fake().CpInfo = {c.CodePage == 1252 ? 1u : 2u, {'?', 0}, {0x81, 0xFE}};
    InitLeadByteSet();
    EXPECT_EQ(fake::Fake().CpInfoCalls, c.CpInfoCalls) << c.CodePage;
    EXPECT_EQ(TheLeadByteSet.Lead[0x81], c.Lead0x81) << c.CodePage << " fails " << c.CpInfoFails;
  }
  TheLeadByteSet = LeadByteSet{};
}

TEST(TextBuilder, AppendsWholeOrRefusesAndEmpties) {
  struct Case {
    const char* Name;
    size_t Size;
    std::vector<std::string> Parts;
    bool Fits;
    std::string Expected;
  };
  const Case kCases[] = {
      {"size 1 holds the empty text", 1, {""}, true, ""},
      {"size 1 refuses a byte", 1, {"a"}, false, ""},
      {"exactly enough", 4, {"ab", "c"}, true, "abc"},
      {"one short", 4, {"ab", "cd"}, false, ""},
      {"a refused part stops later ones", 4, {"abcd", "x"}, false, ""},
  };
  for (const Case& c : kCases) {
    std::vector<char> buf(c.Size, '#');
    TextBuilder text = BeginText(buf.data(), buf.size());
    for (const std::string& part : c.Parts) AppendText(text, part.c_str());
    EXPECT_EQ(EndText(text), c.Fits) << c.Name;
    EXPECT_EQ(std::string(buf.data()), c.Expected) << c.Name;
  }
}

TEST(TextBuilder, HasCharacterCountsCharactersNotBytes) {
  EXPECT_FALSE(HasCharacter("", Leads(932)));
  EXPECT_FALSE(HasCharacter("\x82", Leads(932)));
  EXPECT_TRUE(HasCharacter("\x82", Leads(0)));
  EXPECT_TRUE(HasCharacter("\x82\xA0", Leads(932)));
  EXPECT_TRUE(HasCharacter(" ", Leads(932)));
}

}  // namespace
