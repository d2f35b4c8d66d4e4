#include <gtest/gtest.h>

#include <memory>

#include "VisualTestUtil.h"
#include "visual/GVObject.h"
#include "visual/GVTexture.h"

namespace {
class Factory : public VisualFactoryTest {};
}  // namespace

TEST_F(Factory, BuiltPaths) {
  GVFactory* f = GVFactory::GetInstance();
  EXPECT_EQ("visual/xml/lamp.xml", f->BuildPath("lamp"));
  EXPECT_EQ("visual/xml/lamp.xml", f->BuildPath("lamp?default"));
  EXPECT_EQ("visual/xml/lamp.xml@b@#1", f->BuildPath("lamp@b@#1?default"));
  EXPECT_EQ("", f->BuildPath(""));
}

TEST_F(Factory, CreatesByNameCreatorAndSegments) {
  auto plain = Make("paths");
  ASSERT_TRUE(plain);
  EXPECT_EQ("root", plain->GetId());
  EXPECT_TRUE(list.Contains(plain.get()));
  EXPECT_EQ(kStateNormal, plain->GetState());

  auto viaDefault = Make("paths?default");
  ASSERT_TRUE(viaDefault);
  EXPECT_EQ("root", viaDefault->GetId());

  auto b = Make("paths@b");
  ASSERT_TRUE(b);
  EXPECT_EQ("b", b->GetId());
  // "#N" selects by position and must also match the id.
  EXPECT_FALSE(Make("paths@#1"));
  auto one = Make("paths@#2");
  ASSERT_TRUE(one);
  EXPECT_EQ("2", one->GetId());
  auto deep = Make("paths@b@inner");
  ASSERT_TRUE(deep);
  EXPECT_EQ("inner", deep->GetId());
  EXPECT_FALSE(Make("paths@nosuch"));
  EXPECT_FALSE(Make("nosuchfile"));
  EXPECT_FALSE(Make(""));
}

TEST_F(Factory, UnknownCreatorGivesNothing) {
  EXPECT_FALSE(Make("paths?nobody"));
  // A child naming an unknown creator is skipped; its siblings load.
  auto e = ParseXml(
      "<main><images><img name='strip.png'/></images><framelist><frame w='10' h='10'/></framelist>"
      "<objects><obj id='x?nobody'><framelist><frame w='10' h='10'/></framelist></obj>"
      "<obj id='y?default'><framelist><frame w='10' h='10'/></framelist></obj></objects></main>");
  std::unique_ptr<GVObject> o(GVFactory::GetInstance()->CreateObject(e.get(), ""));
  ASSERT_TRUE(o);
  ASSERT_EQ(1, o->GetChildren()->Count());
  EXPECT_EQ("y?default", o->GetChildren()->Get(0)->GetId());
}

TEST_F(Factory, ChildrenShareTexturesAndExportsLoad) {
  auto o = Make("paths");
  GVObject* a = o->GetChild("a");
  GVObject* b = o->GetChild("b");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(o->GetTextures(), a->GetTextures());  // no images of its own
  EXPECT_EQ(b, b->GetChild("inner")->GetParentObject());
  EXPECT_TRUE(list.Contains(b->GetChild("inner")));

  auto ex = Make("exporter");
  ASSERT_TRUE(ex);
  ASSERT_NE(nullptr, ex->GetChildren());
  ASSERT_EQ(1, ex->GetChildren()->Count());
  GVObject* child = ex->GetChildren()->Get(0);
  EXPECT_EQ("strip", child->GetId());
  EXPECT_EQ(ex.get(), child->GetParentObject());
  EXPECT_TRUE(list.Contains(child));
  TXmlNode out("main");
  EXPECT_FALSE(ex->GetChildren()->SaveChild(&out, child));
}

TEST_F(Factory, DescriptionsExportingEachOtherEndWithNothing) {
  EXPECT_FALSE(Make("ring_a"));
  EXPECT_EQ(0u, list.Size());
}
