#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>

#include "CoreTestUtil.h"
#include "sdk/TMath.h"
#include "sdk/TPlatform.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TStringTable.h"
#include "sdk/str.h"

TEST(CoreStr, ToIntReadsLeadingNumberAndClamps) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"", 0},
      {"12", 12},
      {"-7", -7},
      {"+3", 3},
      {"12abc", 12},
      {"abc", 0},
      {" 5", 5},
      {"-", 0},
      {"3.9", 3},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
      {"2147483648", INT_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(str(c.text).to_int(), c.value) << '"' << c.text << '"';
}

TEST(CoreStr, ToFloatAndIsInt) {
  EXPECT_FLOAT_EQ(str("1.5").to_float(), 1.5f);
  EXPECT_FLOAT_EQ(str("2.5e1").to_float(), 25.f);
  EXPECT_FLOAT_EQ(str("-0.25px").to_float(), -0.25f);
  EXPECT_EQ(str("").to_float(), 0.f);
  EXPECT_EQ(str("x").to_float(), 0.f);
  EXPECT_EQ(str("inf").to_float(), 0.f);

  const struct {
    const char* text;
    bool isInt;
  } cases[] = {{"0", true},  {"-12", true}, {"+4", true}, {"", false},
               {"-", false}, {"1a", false}, {" 1", false}};
  for (const auto& c : cases) EXPECT_EQ(str(c.text).is_int(), c.isInt) << '"' << c.text << '"';
}

TEST(CoreStr, ReplaceAllFormatAndCase) {
  str s("aaa");
  EXPECT_EQ(s.replace_all("a", "aa"), "aaaaaa");  // the replacement is not scanned again
  str t("x");
  EXPECT_EQ(t.replace_all("", "y"), "x");
  EXPECT_EQ(str("a.b.c").replace_all(".", "/"), "a/b/c");

  const str longText(1000, 'q');
  EXPECT_EQ(str::format("<%s>%d", longText.c_str(), 42), "<" + longText + ">42");
  EXPECT_TRUE(str("scripts/a.lua").starts_with("scripts/"));
  EXPECT_TRUE(str("scripts/a.lua").ends_with(".lua"));
  EXPECT_FALSE(str("a").ends_with("lua"));
  EXPECT_EQ(str("MiXed").lower(), "mixed");
}

TEST(CoreStr, CutUtf8NeverSplitsACharacter) {
  const struct {
    const char* text;
    size_t bytes;
    const char* cut;
  } cases[] = {
      {"abc", 2, "ab"},         {"abc", 9, "abc"}, {"a\xc3\xa9", 2, "a"}, {"a\xc3\xa9", 3, "a\xc3\xa9"},
      {"\xe2\x82\xac!", 2, ""}, {"", 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(str(c.text).cut_utf8(c.bytes), c.cut) << c.text << " " << c.bytes;
}

namespace {
void ExpectNear(const TVec2& a, const TVec2& b) {
  EXPECT_NEAR(a.x, b.x, 1e-4f);
  EXPECT_NEAR(a.y, b.y, 1e-4f);
}
}  // namespace

TEST(CoreMath, ScaleAndRotateActBeforeTheTranslation) {
  TMat3 m;
  m.Translate(100, 50);
  m.Scale(2, 3);
  ExpectNear(m.Transform({1, 1}), {102, 53});
  TMat3 r;
  r.Translate(10, 0);
  r.Rotate(float(M_PI / 2));
  ExpectNear(r.Transform({1, 0}), {10, 1});  // x axis turns to y (down on screen)
  ExpectNear(r.Transform({0, 0}), {10, 0});
}

TEST(CoreMath, ProductAppliesLeftFirstAndInverseUndoes) {
  TMat3 a, b;
  a.Scale(2).Rotate(0.3f).Translate(5, -7);
  b.Rotate(-1.1f).Scale(0.5f, 4).Translate(-3, 9);
  const TVec2 p(3, -2);
  ExpectNear((a * b).Transform(p), b.Transform(a.Transform(p)));
  ExpectNear((a * b).Inverse().Transform((a * b).Transform(p)), p);

  TMat3 singular;
  singular.Scale(0, 1);
  ExpectNear(singular.Inverse().Transform(p), p);  // identity
}

TEST(CoreMath, RectIntersect) {
  const struct {
    TRect a, b, expected;
  } cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}},
      {{0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {}},  // touching edges share no pixel
      {{0, 0, 10, 10}, {30, 30, 40, 40}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.a.Intersect(c.b), c.expected);
    EXPECT_EQ(c.b.Intersect(c.a), c.expected);
  }
}

TEST(CoreMath, ComposeMapsLikeChildThenParent) {
  TDrawSpec parent, child;
  parent.matrix.Rotate(0.5f).Scale(2).Translate(100, 200);
  parent.point = {3, 4};
  parent.alpha = 0.5f;
  parent.color = TColor(1, 0.5f, 1, 1);
  parent.flags = TDrawSpec::kFlipH | TDrawSpec::kLeftOrigin;
  parent.blend = TDrawSpec::kBlendAdd;
  child.matrix.Scale(3, 1).Translate(7, -2);
  child.point = {1, 2};
  child.alpha = 0.5f;
  child.flags = TDrawSpec::kFlipH | TDrawSpec::kFlipV;

  const TDrawSpec c = TDrawSpec::Compose(parent, child);
  // A point placed by the child, then by the parent, lands where the composed
  // spec puts it; the anchor is the child's own, the parent's places only
  // the parent's picture.
  const TVec2 q(5, 6);
  ExpectNear(c.matrix.Transform(q), parent.matrix.Transform(child.matrix.Transform(q)));
  ExpectNear(c.point, child.point);
  EXPECT_FLOAT_EQ(c.alpha, 0.25f);
  EXPECT_FLOAT_EQ(c.color.g, 0.5f);
  EXPECT_EQ(c.flags, TDrawSpec::kFlipV);  // flips toggle; the parent's origin bit stays its own
  EXPECT_EQ(c.blend, TDrawSpec::kBlendAdd);
  child.blend = TDrawSpec::kBlendMultiply;
  EXPECT_EQ(TDrawSpec::Compose(parent, child).blend, TDrawSpec::kBlendMultiply);
}

TEST(CoreRandom, SeededSequencesRepeatAndRangesHoldBothBounds) {
  TRandom a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 20; ++i) {
    const uint32_t x = a.Next();
    EXPECT_EQ(x, b.Next());
    differs |= x != c.Next();
  }
  EXPECT_TRUE(differs);

  TRandom r(7);
  bool seen[7] = {};
  for (int i = 0; i < 2000; ++i) {
    const int v = r.RandRange(3, -3);  // swapped bounds
    ASSERT_GE(v, -3);
    ASSERT_LE(v, 3);
    seen[v + 3] = true;
    const float f = r.RandFloat();
    ASSERT_GE(f, 0.f);
    ASSERT_LT(f, 1.f);
    const int w = r.RandRange(INT_MIN, INT_MAX);
    (void)w;
  }
  for (bool s : seen) EXPECT_TRUE(s);
  EXPECT_EQ(r.RandRange(5, 5), 5);
}

TEST(CoreStringTable, SubstitutesArgumentsInOrder) {
  TStringTable t;
  t.Set("welcome", "Welcome, %s!");
  t.Set("mix", "%s: %d/%i %% %.1f");
  t.Set("pad", "[%3d][%-4s]");
  t.Set("odd", "%x %q 100%");
  t.Set("more", "%s %s %s %s %s %s");
  t.Set("huge", "%999999d");
  EXPECT_EQ(t.GetString("welcome", "Ann"), "Welcome, Ann!");
  EXPECT_EQ(t.GetString("mix", "Bo", "3", "4", "2.25"), "Bo: 3/4 % 2.2");
  EXPECT_EQ(t.GetString("pad", "7", "ab"), "[  7][ab  ]");
  EXPECT_EQ(t.GetString("odd", "z"), "%x %q 100%");
  EXPECT_EQ(t.GetString("more", "1", "2", "3", "4", "5"), "1 2 3 4 5 ");
  EXPECT_EQ(t.GetString("huge", "1"), "%999999d");
  EXPECT_EQ(t.GetString("welcome"), "Welcome, !");
  EXPECT_EQ(t.GetString("no.such.key", "x"), "no.such.key");
  EXPECT_TRUE(t.Has("mix"));
  EXPECT_FALSE(t.Has("no.such.key"));
}

TEST(CoreStringTable, LoadsFromTheContentTree) {
  TPlatform::SetContentRoot(CoreFixturesDir());
  TStringTable t;
  const size_t before = ReportCount();
  ASSERT_TRUE(t.Load("core/strings.xml"));
  EXPECT_EQ(ReportCount(), before + 1);  // the entry without a key
  EXPECT_EQ(t.GetString("score", "Ann", "12", "3"), "Ann has 12 points & 3 keys");

  EXPECT_FALSE(t.Load("core/missing.xml"));
  EXPECT_EQ(ReportCount(), before + 2);
  EXPECT_EQ(t.GetString("welcome", "Bo"), "Welcome, Bo!");  // a failed load keeps the table
}

TEST(CoreReport, OneLineEachAndCounted) {
  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  Report("%s: bad value \"%d\"", "cfg/a.xml", 3);
  Report("two\nlines");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "tolvane: cfg/a.xml: bad value \"3\"\ntolvane: two lines\n");
  EXPECT_EQ(ReportCount(), before + 2);
}
