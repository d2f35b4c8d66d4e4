#include <gtest/gtest.h>

#include "visual/TState.h"

TEST(StateTag, EmptyNamesGiveZero) {
  EXPECT_EQ(0u, TState::FromCStr(nullptr).Value());
  EXPECT_EQ(0u, TState::FromCStr("").Value());
  EXPECT_EQ(0u, TState::FromStr(str()).Value());
  EXPECT_EQ("", TState().ToStr());
  EXPECT_EQ(0u, TState::FromStr("___").Value());
}

TEST(StateTag, EqualNamesEqualTagsAndCaseMatters) {
  EXPECT_EQ(TState::FromStr("stNormal"), TState::FromStr("stNormal"));
  EXPECT_NE(TState::FromStr("stNormal"), TState::FromStr("stnormal"));
  EXPECT_EQ("stNormal", TState::FromStr("stNormal").ToStr());
}

TEST(StateTag, ExtraUnderscoresAreIgnored) {
  TState plain = TState::FromStr("door_open");
  for (const char* name : {"door__open", "_door_open", "door_open_", "__door___open__"}) {
    EXPECT_EQ(plain, TState::FromStr(name)) << name;
    EXPECT_EQ("door_open", TState::FromStr(name).ToStr()) << name;
  }
}

TEST(StateTag, WordsShareNumbersAcrossNames) {
  TState normal = TState::FromStr("normal");
  TState two = TState::FromStr("very_normal");
  EXPECT_EQ(normal, kStateNormal);
  EXPECT_EQ(normal.Value(), (two.Value() >> 8) & 0xFF);
  EXPECT_NE(0u, two.Value() & 0xFF);
}

TEST(StateTag, NinthWordIsDropped) {
  EXPECT_EQ(TState::FromStr("w1_w2_w3_w4_w5_w6_w7_w8"), TState::FromStr("w1_w2_w3_w4_w5_w6_w7_w8_w9"));
  EXPECT_EQ("w1_w2_w3_w4_w5_w6_w7_w8", TState::FromStr("w1_w2_w3_w4_w5_w6_w7_w8_w9").ToStr());
}

TEST(StateTag, LiteralWordsAreFoundByLaterLookups) {
  static const char literal[] = "literalonlyword";
  TState a = TState::FromCStr(literal);
  TStateRegistry& r = TStateRegistry::GetInstance();
  int number = int(a.Value());
  EXPECT_EQ(literal, r.GetWord(number));  // the caller's text itself
  EXPECT_EQ(a, TState::FromStr(str("literalonlyword")));
}
