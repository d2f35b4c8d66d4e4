#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "VisualTestUtil.h"
#include "visual/GVInterpolator.h"
#include "visual/GVObject.h"

namespace {
class DrawListOrder : public VisualFactoryTest {
 protected:
  GVObject* Add(float depth, float x = 0) {
    str xml = str::format(
        "<main deltaZ='%g' deltaX='%g'><images><img name='strip.png'/></images>"
        "<framelist centering='left'><frame w='10' h='10'/></framelist></main>",
        depth, x);
    auto e = ParseXml(xml.c_str());
    objects.emplace_back(GVFactory::GetInstance()->CreateObject(e.get(), ""));
    return objects.back().get();
  }
  std::vector<std::unique_ptr<GVObject>> objects;
};
}  // namespace

TEST_F(DrawListOrder, DepthThenOrderOfEntering) {
  GVObject* a = Add(5);
  GVObject* b = Add(1);
  GVObject* c = Add(5);
  GVObject* d = Add(3);
  list.Draw();
  EXPECT_EQ(std::vector<GVObject*>({b, d, a, c}), list.GetObjects());

  // Moving to a depth already taken goes behind what is there.
  b->deltaZ = 4;
  b->changed = 1;
  list.Draw();
  EXPECT_EQ(std::vector<GVObject*>({d, a, c, b}), list.GetObjects());
}

TEST_F(DrawListOrder, ManyDepthChangesInOnePass) {
  // Every object changes depth in the same update pass; each must be
  // updated exactly once and end in order.
  std::vector<GVObject*> objs;
  for (int i = 0; i < 20; ++i) objs.push_back(Add(float(i)));
  list.Draw();
  for (int i = 0; i < 20; ++i) {
    objs[i]->deltaZ = float(-2 * i);
    objs[i]->changed = 1;
  }
  list.Draw();
  std::vector<GVObject*> want(objs.rbegin(), objs.rend());
  EXPECT_EQ(want, list.GetObjects());
  for (GVObject* o : objs) EXPECT_FALSE(o->NeedsUpdate());
}

TEST_F(DrawListOrder, DepthsThatAreNoNumbersCountAsZero) {
  GVObject* a = Add(1);
  GVObject* b = Add(-1);
  GVObject* c = Add(0);
  list.Draw();
  c->deltaZ = std::nanf("");
  c->changed = 1;
  list.Draw();
  EXPECT_EQ(std::vector<GVObject*>({b, c, a}), list.GetObjects());
  auto e = ParseXml("<d deltaZ='1e60' deltaX='3'/>");
  EXPECT_EQ(0.f, GVReadFloatAttribute("deltaZ", e.get(), 0));
  EXPECT_EQ(std::vector<float>({1, 2}), GVDefInterpolator::ReadKeys("1, -nan, 2, 1e60"));
}

TEST_F(DrawListOrder, DeletedObjectsLeaveAndListLeavesObjects) {
  GVObject* a = Add(1);
  Add(2);
  objects.erase(objects.begin());
  EXPECT_EQ(1u, list.Size());
  (void)a;
  {
    GVDrawList other;
    objects[0]->AddToDrawList(&other, true);
    EXPECT_EQ(2u, objects[0]->GetDrawLists().size());
  }
  EXPECT_EQ(1u, objects[0]->GetDrawLists().size());
}

TEST(DrawSpecs, MadeFromPositionAndCombined) {
  TDrawSpec own = MakeDrawSpec(TVec2(10, 20), 0.5f, 2);
  EXPECT_EQ(10.f, own.matrix.Tx());
  EXPECT_EQ(20.f, own.matrix.Ty());
  EXPECT_EQ(TDrawSpec::kBlendUnset, own.blend);
  TVec2 p = own.matrix.Transform(TVec2(1, 1));
  EXPECT_EQ(TVec2(12, 22), p);

  own.flags = TDrawSpec::kFlipH | TDrawSpec::kLeftOrigin;
  TDrawSpec outer = MakeDrawSpec(TVec2(100, 0), 0.5f, 1);
  outer.flags = TDrawSpec::kFlipH | TDrawSpec::kFlipV | TDrawSpec::kOriginPoint;
  outer.blend = TDrawSpec::kBlendAdd;
  TDrawSpec c = CombineDrawSpecs(own, outer);
  EXPECT_EQ(0.25f, c.alpha);
  EXPECT_EQ(TDrawSpec::kFlipV | TDrawSpec::kLeftOrigin, c.flags);  // only the outer flips combine
  EXPECT_EQ(TDrawSpec::kBlendAdd, c.blend);
  EXPECT_EQ(TVec2(112, 22), c.matrix.Transform(TVec2(1, 1)));
}
