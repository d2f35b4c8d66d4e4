#include <gtest/gtest.h>

#include "VisualTestUtil.h"
#include "sdk/TReport.h"
#include "visual/GVData.h"
#include "visual/GVFrame.h"
#include "visual/GVParams.h"

TEST(DataBlock, FlipAndBlendReadByContainment) {
  struct Case {
    const char* xml;
    int flags, blend;
  } cases[] = {
      {"<d flip='HV' blend='subtract'/>", 3, 3},
      {"<d flip='VH' blend='addition'/>", 3, 2},
      {"<d flip='V' blend='mul'/>", 2, 4},
      {"<d flip='h' blend='none'/>", 0, 0},
  };
  for (const Case& c : cases) {
    auto e = ParseXml(c.xml);
    GVData d;
    ASSERT_TRUE(d.Load(e.get(), nullptr));
    EXPECT_EQ(c.flags, d.flags) << c.xml;
    EXPECT_EQ(c.blend, d.blend) << c.xml;
  }
  auto e = ParseXml("<d flip='HV'/>");
  GVData d;
  d.Load(e.get(), nullptr);
  TXmlNode out("o");
  d.Save(&out);
  EXPECT_EQ("VH", out.GetAttribute("flip"));
}

TEST(DataBlock, DefaultsLoadAndSaveEmpty) {
  auto e = ParseXml("<d/>");
  GVData d;
  d.Load(e.get(), nullptr);
  EXPECT_EQ(1, d.visible);
  EXPECT_EQ(1.f, d.alpha);
  EXPECT_EQ(1.f, d.scaling);
  TXmlNode out("o");
  d.Save(&out);
  for (const char* a :
       {"deltaX", "deltaY", "deltaZ", "alpha", "visible", "flip", "blend", "rotate", "scaling"}) {
    bool found = false;
    EXPECT_EQ("", out.GetAttribute(a, &found)) << a;
    EXPECT_TRUE(found) << a;
  }
  EXPECT_FALSE(d.Load(nullptr, nullptr));
  EXPECT_FALSE(d.Save(nullptr));
}

TEST(DataBlock, VisibleReading) {
  for (auto c : {std::make_pair("<d visible=''/>", 1), std::make_pair("<d visible='0'/>", 0),
                 std::make_pair("<d visible='2'/>", 1)}) {
    auto e = ParseXml(c.first);
    GVData d;
    d.Load(e.get(), nullptr);
    EXPECT_EQ(c.second, d.visible) << c.first;
  }
}

TEST(DataBlock, ComposeWithDefaultKeepsAllButBlend) {
  GVData a;
  a.deltaX = 3;
  a.alpha = 0.5f;
  a.flags = 1;
  a.blend = GVData::kBlendAdd;
  a.scaling = 2;
  a.Compose(GVData());
  EXPECT_EQ(3.f, a.deltaX);
  EXPECT_EQ(0.5f, a.alpha);
  EXPECT_EQ(1, a.flags);
  EXPECT_EQ(2.f, a.scaling);
  EXPECT_EQ(0, a.blend);
}

TEST(DataBlock, DifferenceComposesBackAndSurvivesZeros) {
  GVData prev, cur;
  prev.deltaX = 4;
  prev.alpha = 0.5f;
  prev.visible = 1;
  cur.deltaX = 10;
  cur.alpha = 0.25f;
  cur.visible = 0;
  GVData d = GVData::MakeDifference(cur, prev);
  GVData back = prev;
  back.Compose(d);
  EXPECT_EQ(cur.deltaX, back.deltaX);
  EXPECT_FLOAT_EQ(cur.alpha, back.alpha);
  EXPECT_EQ(cur.visible, back.visible);

  prev.alpha = 0;
  prev.scaling = 0;
  d = GVData::MakeDifference(cur, prev);
  EXPECT_EQ(1.f, d.alpha);
  EXPECT_EQ(1.f, d.scaling);
}

TEST(AttributeReaders, DefaultsAndNotations) {
  auto e = ParseXml("<d oct='010' hex='0x10' f='2.5' i='7' empty='' b0='0' bx='yes'/>");
  EXPECT_EQ(8u, GVReadUIntAttribute("oct", e.get(), 0));
  EXPECT_EQ(16u, GVReadUIntAttribute("hex", e.get(), 0));
  EXPECT_EQ(9u, GVReadUIntAttribute("empty", e.get(), 9));
  EXPECT_EQ(2.5f, GVReadFloatAttribute("f", e.get(), 0));
  EXPECT_EQ(1.5f, GVReadFloatAttribute("missing", e.get(), 1.5f));
  EXPECT_EQ(7, GVReadIntAttribute("i", e.get(), 0));
  EXPECT_TRUE(GVReadBoolAttribute("missing", e.get()));
  EXPECT_FALSE(GVReadBoolAttribute("b0", e.get()));
  EXPECT_FALSE(GVReadBoolAttribute("bx", e.get()));
  TXmlNode out("o");
  GVWriteIntAttribute("n", &out, 3, 3);
  GVWriteFloatAttribute("f", &out, 1.5f, 0);
  EXPECT_EQ("", out.GetAttribute("n"));
  EXPECT_EQ("1.500000", out.GetAttribute("f"));
}

TEST(Params, KeepTextAndSaveInNameOrder) {
  auto e = ParseXml("<params zeta='1' alpha='two'/>");
  GVParams p;
  p.LoadAttributes(e.get());
  EXPECT_EQ(0, p.Set("zeta", "3"));
  EXPECT_EQ("3", p.Get("zeta"));
  EXPECT_EQ("two", p.Get("alpha"));
  TXmlNode out("params");
  p.Save(&out);
  str name, value;
  out.ResetAttributes();
  ASSERT_TRUE(out.GetNextAttribute(&name, &value));
  EXPECT_EQ("alpha", name);
}

TEST(ContentNumbers, CoordinatesAndSizesAreHeldToTheirRangeWithAReport) {
  struct Case {
    const char* text;
    int coordinate, size;
    size_t coordinateReports, sizeReports;
  } cases[] = {
      {"", 7, 7, 0, 0},  // absent: the default
      {"250", 250, 250, 0, 0},
      {"-100000", -100000, 0, 0, 1},
      {"100000", 100000, 100000, 0, 0},
      {"100001", 100000, 100000, 1, 1},
      {"-5", -5, 0, 0, 1},
      {"99999999999", 100000, 100000, 1, 1},
      {"-99999999999", -100000, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TXmlNode e("e");
    e.SetAttribute("v", c.text);
    size_t before = ReportCount();
    EXPECT_EQ(GVReadCoordinate("v", &e, nullptr, 7), c.coordinate);
    EXPECT_EQ(ReportCount() - before, c.coordinateReports);
    before = ReportCount();
    EXPECT_EQ(GVReadSize("v", &e, "cfg/x.xml: e", 7), c.size);
    EXPECT_EQ(ReportCount() - before, c.sizeReports);
  }
}

TEST(ContentNumbers, AFrameAtTheFarEdgeEndsInsideTheRange) {
  auto e = ParseXml("<f x='99999999999' y='-99999999999' w='99999999999' h='3'/>");
  GVFrame frame;
  size_t before = ReportCount();
  ASSERT_TRUE(frame.Load(e.get(), nullptr));
  EXPECT_EQ(ReportCount() - before, 3u);
  EXPECT_EQ(frame.left, 100000);
  EXPECT_EQ(frame.right, 200000);
  EXPECT_EQ(frame.top, -100000);
  EXPECT_EQ(frame.bottom, -99997);
}
