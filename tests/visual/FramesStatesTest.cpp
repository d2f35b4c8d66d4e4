#include <gtest/gtest.h>

#include "VisualTestUtil.h"
#include "visual/GVFrame.h"
#include "visual/GVObject.h"
#include "visual/GVState.h"
#include "visual/GVTexture.h"

TEST(FrameListText, ReadsAgainstFrameCount) {
  struct Case {
    const char* text;
    std::vector<int32_t> want;
  } cases[] = {
      {"0..3", {0, 1, 2, 3}},
      {"5..", {5, 6, 7, 8, 9}},
      {"..2", {0, 1, 2}},
      {"0,2,4", {0, 2, 4}},
      {"2,12,3", {2}},
      {"0..3..5", {0, 1, 2, 3, 1, 2, 3, 4, 5}},
      {"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      // An upper bound past the list ends at the last frame.
      {"7..40", {7, 8, 9}},
      // A first number out of range leaves nothing: every frame instead.
      {"12", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      // Numbers beyond the integer range are out of range too, never
      // wrapped to a negative frame.
      {"2,4294967295,3", {2}},
      {"1,2147483648", {1}},
      {"3..4294967297", {3, 4, 5, 6, 7, 8, 9}},
      {"99999999999999999999", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.want, GVReadFrameList(c.text, 10)) << c.text;
}

TEST(FrameListText, PrintsRunsOfThreeAsRanges) {
  EXPECT_EQ("0,2,4", GVPrintFrameList({0, 2, 4}));
  EXPECT_EQ("3..5,7", GVPrintFrameList({3, 4, 5, 7}));
  EXPECT_EQ("0..5", GVPrintFrameList({0, 1, 2, 3, 4, 5}));
  EXPECT_EQ("0,1", GVPrintFrameList({0, 1}));
  EXPECT_EQ("3,2,1", GVPrintFrameList({3, 2, 1}));
}

namespace {
std::vector<std::pair<float, float>> Offsets(const char* xml) {
  auto e = ParseXml(xml);
  GVFrames frames;
  std::vector<std::pair<float, float>> out;
  if (!frames.Load(e.get(), nullptr)) return out;
  for (GVFrame* f : frames.Elements()) out.push_back({f->regX, f->regY});
  return out;
}
}  // namespace

TEST(FrameRegistration, CenteringRules) {
  typedef std::vector<std::pair<float, float>> V;
  EXPECT_EQ(V({{0, 2}, {2, 0}}), Offsets("<fl centering='old'><frame w='4' h='4' regx='10' regy='5'/>"
                                         "<frame w='4' h='4' regx='12' regy='3'/></fl>"));
  // Unset everywhere: "old".
  EXPECT_EQ(V({{0, 2}, {2, 0}}), Offsets("<fl><frame w='4' h='4' regx='10' regy='5'/>"
                                         "<frame w='4' h='4' regx='12' regy='3'/></fl>"));
  EXPECT_EQ(V({{10, 5}}), Offsets("<fl centering='left'><frame w='4' h='4' regx='10' regy='5'/></fl>"));
  EXPECT_EQ(V({{10, 5}}), Offsets("<fl><frame centering='center' w='4' h='4' regx='10' regy='5'/></fl>"));
  EXPECT_EQ(V({{2, -2}}), Offsets("<fl centering='left'><frame w='4' h='4' regx='2.9' regy='-2.9'/></fl>"));
  // Beyond what content may hold: the nearest bound.
  EXPECT_EQ(V({{100000, -100000}}),
            Offsets("<fl centering='left'><frame w='4' h='4' regx='2147483647' regy='-2147483648'/></fl>"));
}

TEST(FrameRegistration, RightAndBottomOffsetsAndEmptyFrames) {
  auto e = ParseXml(
      "<fl centering='left'><frame w='0' h='0'/><frame x='3' y='1' w='10' h='6' regx='4' regy='2'/></fl>");
  GVFrames frames;
  ASSERT_TRUE(frames.Load(e.get(), nullptr));
  ASSERT_EQ(1, frames.Count());  // the zero rectangle is not a frame
  GVFrame* f = frames.Get(0);
  EXPECT_EQ(6.f, f->rightOffset);
  EXPECT_EQ(4.f, f->bottomOffset);
  EXPECT_EQ(0, f->number);
  TXmlNode out("frame");
  f->Save(&out);
  EXPECT_EQ("3", out.GetAttribute("x"));
  EXPECT_EQ("10", out.GetAttribute("w"));
}

TEST(Textures, FolderAndPathAttributes) {
  auto e = ParseXml(
      "<images path='visual/anim/'><img name='strip.png'/><img name='nope.png'/>"
      "<img name='ring.png' path='visual/other/'/><img name=''/></images>");
  GVTextures set("ignored/");
  EXPECT_TRUE(set.Load(e.get(), nullptr));
  ASSERT_EQ(1, set.Count());  // missing files and empty names are not added
  EXPECT_EQ("visual/anim/strip.png", set.Get(0)->GetPath());
  EXPECT_EQ(40, set.Get(0)->texture->GetWidth());
  EXPECT_FALSE(set.Save(e.get()));
}

TEST(States, DefaultNormalAndSavedFrameList) {
  auto e = ParseXml(
      "<states><state id='stItem' framelist='1..2'/><state id='break' defdelay='50'/>"
      "<state framelist='0'/></states>");
  GVStates states(nullptr, 4);
  GVStates::LoadStates(e.get(), &states, nullptr);
  ASSERT_EQ(3, states.Count());  // the id-less state is skipped; normal added
  GVState* normal = states.Find(kStateNormal);
  ASSERT_NE(nullptr, normal);
  EXPECT_EQ(100, normal->delay);
  EXPECT_EQ(std::vector<int32_t>({0, 1, 2, 3}), normal->frames);
  TXmlNode out("state");
  ASSERT_TRUE(states.SaveElement(&out, normal));
  EXPECT_EQ("", out.GetAttribute("framelist"));
  EXPECT_EQ("normal", out.GetAttribute("id"));
  TXmlNode item("state");
  states.SaveElement(&item, states.Find(TState::FromStr("stItem")));
  EXPECT_EQ("1,2", item.GetAttribute("framelist"));
}

TEST(States, ADelayOutsideWhatContentMayHoldTakesTheNearestBound) {
  auto e = ParseXml(
      "<states><state id='a' defdelay='2147483647'/><state id='b' defdelay='-2147483648'/></states>");
  GVStates states(nullptr, 1);
  GVStates::LoadStates(e.get(), &states, nullptr);
  EXPECT_EQ(kContentNumberLimit, states.Find(TState::FromStr("a"))->delay);
  EXPECT_EQ(0, states.Find(TState::FromStr("b"))->delay);
}

TEST(Containers, EqualKeysSaveAndCopyRules) {
  auto e =
      ParseXml("<states><state id='x' defdelay='1'/><other id='y'/><state id='x' defdelay='2'/></states>");
  GVStates states(nullptr, 2);
  ASSERT_TRUE(states.Load(e.get(), nullptr));
  ASSERT_EQ(2, states.Count());
  EXPECT_EQ(0, states.IndexOf(TState::FromStr("x")));
  EXPECT_EQ(-1, states.IndexOf(TState::FromStr("y")));
  EXPECT_FALSE(states.Save(e.get()));

  GVChilds childs;
  GVStates notChilds(nullptr, 1);
  EXPECT_EQ(nullptr, childs.CopyTo(&notChilds));
  GVStates copy(nullptr, 2);
  EXPECT_EQ(&copy, states.CopyTo(&copy));
  EXPECT_EQ(2, copy.Find(TState::FromStr("x")) ? copy.Get(1)->delay : -1);
}
