#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PointerTestUtil.h"
#include "game/GSceneCaption.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

TEST_F(PointerTest, InitLoadsThePointerOnceAndStartsPlain) {
  GMousePointer* pointer = InitPointer();
  ASSERT_TRUE(pointer->GetManager());
  GVObject* object = pointer->GetPointerObject();
  ASSERT_TRUE(object);
  EXPECT_EQ(1, object->visible);
  GVObject* main = object->GetChild("main");
  ASSERT_TRUE(main);
  EXPECT_EQ(static_cast<GVListener*>(pointer), main->listener);
  EXPECT_EQ(TState::FromCStr("stNormal"), main->GetState());
  EXPECT_EQ(800, pointer->GetWidth());
  EXPECT_FALSE(pointer->HitTest(TPoint(10, 10)));  // never takes input

  OMousePointerManager* manager = pointer->GetManager();
  TWindowStyle style;
  pointer->Init(style);
  EXPECT_EQ(manager, pointer->GetManager());
  EXPECT_EQ(object, pointer->GetPointerObject());
}

TEST_F(PointerTest, WithoutPointerConfigurationTheGameGoesOn) {
  TPlatform::SetContentRoot(PointerFixturesDir() + "/../startup");  // an empty mousepointercfg
  size_t reports = ReportCount();
  GMousePointer* pointer = InitPointer();
  EXPECT_EQ(reports + 1, ReportCount());
  EXPECT_FALSE(pointer->GetPointerObject());
  ASSERT_TRUE(pointer->GetManager());
  int deleted = 0;
  pointer->HoldItem(new TestItem("gem", &deleted));
  pointer->GetManager()->MoveTo(3, 4);
  pointer->GetManager()->Tick();
  pointer->DoDraw();
  GMousePointer::DestroyInstance();
  EXPECT_EQ(1, deleted);
}

TEST_F(PointerTest, MovesAndRestsAndCarriesTheCaption) {
  RecordingController* r = nullptr;
  GMousePointer* pointer = InitPointer(&r);
  OMousePointerManager* m = pointer->GetManager();
  std::unique_ptr<OSceneCaption> caption(new OSceneCaption());
  caption->shown = false;
  m->SetCaption(caption.get());

  m->MoveTo(30, 40);
  EXPECT_EQ(1, r->moves);
  EXPECT_FLOAT_EQ(30, pointer->GetPointerObject()->deltaX);
  EXPECT_FLOAT_EQ(40, pointer->GetPointerObject()->deltaY);
  for (int i = 0; i < 5; ++i) m->Tick();
  m->MoveTo(30, 40);  // the same point: nothing, and the rest goes on
  EXPECT_EQ(1, r->moves);
  EXPECT_EQ(5, m->GetRestCounter());
  for (int i = 0; i < 4; ++i) m->Tick();
  EXPECT_FALSE(caption->shown);
  m->Tick();  // the tenth tick at rest
  EXPECT_TRUE(caption->shown);
  EXPECT_EQ(30, caption->anchorX);
  EXPECT_EQ(40, caption->anchorY);
  m->MoveTo(31, 40);
  EXPECT_FALSE(caption->shown);
  for (int i = 0; i < 9; ++i) m->Tick();
  m->MoveTo(32, 40);  // not yet at rest: nothing to take away
  for (int i = 0; i < 10; ++i) m->Tick();
  EXPECT_TRUE(caption->shown);
  EXPECT_EQ(32, caption->anchorX);
  m->SetCaption(nullptr);
}

TEST(PointerManager, PicksTheFirstControllerThatWantsThePointer) {
  std::string log;
  auto* a = new RecordingController("a", false, &log);
  auto* b = new RecordingController("b", true, &log);
  auto* c = new RecordingController("c", true, &log);
  OMousePointerManager m(nullptr, {a, b, c});
  log.clear();
  m.SetSceneMode(3);
  // The later controller is switched off without being asked; all apply.
  EXPECT_EQ("a?b?b+c-a!b!c!", log);
  EXPECT_EQ(std::vector<int>{3}, c->sceneModes);
  EXPECT_TRUE(b->IsActive());

  int deleted = 0;
  TestItem* item = new TestItem("gem", &deleted);
  m.HoldItem(item);
  log.clear();
  m.ReleaseItem();  // no pick
  EXPECT_EQ("", log);
  EXPECT_EQ(1, c->releases);
  EXPECT_FALSE(m.GetHeldItem());
  EXPECT_EQ(0, deleted);
  m.Tick();
  EXPECT_EQ("", log);
  c->changed = true;  // a controller asks for a new pick on the next tick
  m.Tick();
  EXPECT_EQ("a?b?b+c-a!b!c!", log);
  EXPECT_FALSE(c->changed);
  delete item;
}

TEST_F(PointerTest, HoldsTheItemCentredAndOwnsIt) {
  GMousePointer* pointer = InitPointer();
  OMousePointerManager* m = pointer->GetManager();
  m->MoveTo(101, 50);
  int deleted = 0;
  TestItem* item = new TestItem("gem", &deleted, "gem");
  item->CreateObject();
  ASSERT_TRUE(item->GetObject());
  float w = item->GetObjectWidth(), h = item->GetObjectHeight();
  ASSERT_GT(w, 0);
  pointer->HoldItem(item);
  EXPECT_EQ(item, pointer->GetHeldItem());
  EXPECT_FLOAT_EQ(float(int(101 - w * 0.5f)), item->GetObject()->deltaX);
  EXPECT_FLOAT_EQ(float(int(50 - h * 0.5f)), item->GetObject()->deltaY);
  m->MoveTo(200, 300);
  EXPECT_FLOAT_EQ(float(int(200 - w * 0.5f)), item->GetObject()->deltaX);
  m->Tick();
  EXPECT_EQ(1, item->updates);
  pointer->DoDraw();

  m->DeleteHeldItem();
  EXPECT_EQ(1, deleted);
  EXPECT_FALSE(m->GetHeldItem());
  m->DeleteHeldItem();  // an empty hand: nothing

  pointer->HoldItem(new TestItem("other", &deleted));
  GMousePointer::DestroyInstance();  // the held item goes with the pointer
  EXPECT_EQ(2, deleted);
}

TEST_F(PointerTest, SavesAndLoadsTheHeldItemByName) {
  GMousePointer* pointer = InitPointer();
  TXmlNode save("save");
  pointer->SaveItem(&save);
  TXmlNode* node = save.GetChild("pointer_item");
  ASSERT_TRUE(node);  // written even with an empty hand
  EXPECT_FALSE(node->HasAttribute("item_id"));

  int deleted = 0;
  pointer->HoldItem(new TestItem("gem", &deleted));
  TXmlNode full("save");
  pointer->SaveItem(&full);
  EXPECT_EQ("gem", full.GetChild("pointer_item")->GetAttribute("item_id"));

  // Loading deletes what was held, even when the save holds nothing.
  pointer->LoadItem(&save, nullptr);
  EXPECT_EQ(1, deleted);
  EXPECT_FALSE(pointer->GetHeldItem());

  // A name the item factory does not know leaves the hand empty, with a message.
  pointer->HoldItem(new TestItem("gem", &deleted));
  TXmlNode unknown("save");
  unknown.CreateChild("pointer_item")->SetAttribute("item_id", "no_such_item");
  size_t reports = ReportCount();
  pointer->LoadItem(&unknown, nullptr);
  EXPECT_EQ(2, deleted);
  EXPECT_FALSE(pointer->GetHeldItem());
  EXPECT_EQ(reports + 1, ReportCount());

  TXmlNode damaged("save");  // no "pointer_item" at all
  pointer->LoadItem(&damaged, nullptr);
  EXPECT_FALSE(pointer->GetHeldItem());
}
