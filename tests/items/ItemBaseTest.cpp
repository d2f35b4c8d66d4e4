#include "ItemsTestUtil.h"
#include "game/GScene.h"
#include "game/GSceneCaption.h"
#include "items/OItemFactory.h"
#include "items/OSimpleItem.h"
#include "sdk/TReport.h"

namespace {
typedef ItemsTest ItemBaseTest;

TEST_F(ItemBaseTest, EveryConstructionSendsOneItemCreate) {
  size_t before = Events().size();
  { OSimpleItem a("lamp", nullptr, "", "", 0, 0); }
  { OSimpleItem b("lamp", nullptr, "", "", 0, 0); }
  std::unique_ptr<IItem> c(OItemFactory::CreateForInventory("gem", nullptr));
  std::vector<str> tail(Events().begin() + before, Events().end());
  EXPECT_EQ(tail, (std::vector<str>{"item_create lamp", "item_create lamp", "item_create gem"}));
}

TEST_F(ItemBaseTest, ClassesAnswerTheirOwnIdentity) {
  OSimpleItem simple("lamp", nullptr, "", "", 0, 0);
  ProbeItem plain("probe", nullptr);
  plain.typeId = ItemTypeId::OItem;
  EXPECT_STREQ(simple.GetTypeName(), "OSimpleItem");
  EXPECT_EQ(simple.GetTypeId(), ItemTypeId::OSimpleItem);
  // The code's own kind tests agree with the table for every number.
  for (int32_t id = 0; id <= ItemTypeId::Count() + 1; ++id) {
    EXPECT_EQ(simple.IsKindOf(id), ItemTypeId::IsKindOf(ItemTypeId::OSimpleItem, id)) << id;
    EXPECT_EQ(plain.OItem::IsKindOf(id), ItemTypeId::IsKindOf(ItemTypeId::OItem, id)) << id;
  }
  EXPECT_STREQ(plain.OItem::GetTypeName(), "OItem");
  EXPECT_EQ(simple.GetCurrentName(), simple.GetName());
}

TEST_F(ItemBaseTest, VisualMeasuresAndCentre) {
  OSimpleItem item("box", nullptr, "anim/", "item_box", 30, 40);
  item.CreateObject();
  ASSERT_NE(item.GetObject(), nullptr);
  ASSERT_NE(item.GetMainObject(), nullptr);
  EXPECT_EQ(item.GetMainObject()->listener, &item);
  EXPECT_EQ(item.GetObject()->visible, 1);
  EXPECT_EQ(item.GetObjectWidth(), 20);
  EXPECT_EQ(item.GetObjectHeight(), 10);
  EXPECT_EQ(item.GetCenter().x, 40);
  EXPECT_EQ(item.GetCenter().y, 45);
  item.Draw();
}

TEST_F(ItemBaseTest, NoVisualOrNoMainMeasuresZero) {
  ProbeItem bare("bare", nullptr);
  bare.CreateObject();
  EXPECT_EQ(bare.GetObject(), nullptr);
  EXPECT_EQ(bare.GetObjectWidth(), 0);
  bare.IItem::Draw();

  size_t before = ReportCount();
  OSimpleItem hollow("hollow", nullptr, "anim/", "item_nomain", 0, 0);
  hollow.CreateObject();
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_NE(hollow.GetObject(), nullptr);
  EXPECT_EQ(hollow.GetMainObject(), nullptr);
  EXPECT_EQ(hollow.GetObjectHeight(), 0);
  hollow.MoveToPointer();  // no main object is no crash
  hollow.MoveToScene();
}

TEST_F(ItemBaseTest, CaptionGoesThroughTheOwnersMasksManager) {
  ProbeItem orphan("orphan", nullptr);
  orphan.SetCaptionKey("cap");
  orphan.ShowCaption();  // no owner: nothing, and no crash
  orphan.HideCaption();
  GScene scene;
  RecordingItemsManager m;
  m.masks.SetScene(&scene);
  ProbeItem owned("owned", &m);
  owned.SetCaptionKey("cap_owned");  // no such string: the key is shown
  owned.ShowCaption();
  EXPECT_EQ(scene.GetCaption()->GetText(), "cap_owned");
  owned.HideCaption();
  EXPECT_EQ(scene.GetCaption()->GetText(), "");
  m.masks.SetScene(nullptr);
  owned.ShowCaption();  // the masks manager has no scene to show it in
  EXPECT_EQ(scene.GetCaption()->GetText(), "");
}
}  // namespace
