#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/GMousePointer.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TWindowStyle.h"

namespace {

str ControllerFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/pointer_controllers";
}

// A held item that counts how often the pointer draws it.
class HeldGem : public IItem {
 public:
  HeldGem() : IItem("gem", "anim/", "gem") {}
  void OnStateChange(GVObject*, TState, TState&) override {}
  void OnStateEnd(GVObject*, TState) override {}
  bool IsInScene() const override { return false; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return true; }
  bool OnMaskClick(IMask*) override { return false; }
  void ReleaseMask() override {}
  void Detach() override {}
  void SaveState() override {}
  void Draw() override { ++draws; }
  int draws = 0;
};

class PointerControllerTest : public testing::Test {
 public:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetContentRoot(ControllerFixturesDir());
    OGameConfig::DeleteInstance();
    GMousePointer::DestroyInstance();
    mPointer = GMousePointer::GetInstance();
    TWindowStyle style;
    mPointer->Init(style);
    m = mPointer->GetManager();
    ASSERT_TRUE(m);
    ASSERT_EQ(13u, m->GetControllers().size());
    ASSERT_TRUE(mPointer->GetPointerObject());
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    OGameConfig::DeleteInstance();
    TPlatform::SetContentRoot(mOldRoot);
  }
  std::string Look() const { return mPointer->GetPointerObject()->GetChild("main")->GetState().ToStr(); }
  HeldGem* Hold() {
    HeldGem* gem = new HeldGem();
    gem->CreateObject();
    mPointer->HoldItem(gem);
    return gem;
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) m->Tick();
  }

  GMousePointer* mPointer = nullptr;
  OMousePointerManager* m = nullptr;
  str mOldRoot;
};

}  // namespace

TEST_F(PointerControllerTest, TheFirstWantingControllerSetsTheLook) {
  // Each case starts from a fresh pointer in the game's own mode, as the
  // application window sets it with "GameMouse" true.
  struct Case {
    const char* what;
    std::function<void(PointerControllerTest*)> events;
    const char* look;
  };
  const Case cases[] = {
      {"nothing to show: the fallback", [](PointerControllerTest*) {}, "stNormal"},
      {"a passage", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(1); }, "stBoots"},
      {"a thing to look at", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(2); }, "stEye"},
      {"an item to take", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(3); }, "stBeforeGetItem"},
      {"an item behind a passage", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(4); },
       "stBeforeGetItem"},
      {"a dialog", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(5); }, "stDialog"},
      {"a quest-book page", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(6); },
       "stBeforeGetItem"},
      {"a border", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(7); }, "stNormal"},
      {"a mode nobody knows", [](PointerControllerTest* t) { t->mPointer->SetSceneMode(9); }, "stNormal"},
      {"a takeable item while holding one",
       [](PointerControllerTest* t) {
         t->Hold();
         t->mPointer->SetSceneMode(3);
       },
       "stItem"},
      {"a passage while holding an item",
       [](PointerControllerTest* t) {
         t->Hold();
         t->mPointer->SetSceneMode(1);
       },
       "stBoots"},
      {"hidden, over a passage",
       [](PointerControllerTest* t) {
         t->mPointer->SetSceneMode(1);
         t->mPointer->SetVisible(false);
       },
       "stItem"},
      {"shown again, over a passage",
       [](PointerControllerTest* t) {
         t->mPointer->SetSceneMode(1);
         t->mPointer->SetVisible(false);
         t->mPointer->SetVisible(true);
       },
       "stBoots"},
      {"the map beats a held item",
       [](PointerControllerTest* t) {
         t->Hold();
         t->mPointer->SetMapMode(true);
       },
       "stMap"},
      {"the map ends",
       [](PointerControllerTest* t) {
         t->mPointer->SetMapMode(true);
         t->mPointer->SetMapMode(false);
       },
       "stNormal"},
      {"a hint beats a passage",
       [](PointerControllerTest* t) {
         t->mPointer->SetSceneMode(1);
         t->mPointer->SetHintMode(true);
       },
       "stNormal"},
      {"in-game mode off beats a dialog",
       [](PointerControllerTest* t) {
         t->mPointer->SetSceneMode(5);
         t->mPointer->SetInGameMode(false);
       },
       "stNormal"},
      {"the mode does not touch in-game mode",
       [](PointerControllerTest* t) {
         t->mPointer->SetInGameMode(false);
         t->m->SetMode(2);
         t->mPointer->SetSceneMode(1);
       },
       "stNormal"},
      {"the border beats a shake",
       [](PointerControllerTest* t) {
         t->m->Shake();
         t->mPointer->SetSceneMode(7);
       },
       "stNormal"},
      {"a shake", [](PointerControllerTest* t) { t->m->Shake(); }, "stShaking"},
      {"the standard pointer beats every game look",
       [](PointerControllerTest* t) {
         t->Hold();
         t->mPointer->SetSceneMode(1);
         t->m->SetMode(0);
       },
       "stNormal"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    m->SetMode(1);
    c.events(this);
    EXPECT_EQ(c.look, Look());
  }
}

TEST_F(PointerControllerTest, TheHeldItemShowsOnlyWhileItsControllerLeads) {
  m->SetMode(1);
  HeldGem* gem = Hold();
  GVObject* object = gem->GetObject();
  ASSERT_TRUE(object);
  EXPECT_EQ("stItem", Look());
  EXPECT_EQ(1, object->visible);
  mPointer->DoDraw();
  EXPECT_EQ(1, gem->draws);

  mPointer->SetSceneMode(1);  // the passage look leads: the item hides
  EXPECT_EQ(0, object->visible);
  mPointer->DoDraw();
  EXPECT_EQ(1, gem->draws);
  mPointer->SetSceneMode(0);
  EXPECT_EQ(1, object->visible);

  // A release shows the item again for its new owner and leaves the look
  // alone until the next tick picks again.
  mPointer->SetSceneMode(1);
  mPointer->ReleaseItem();
  EXPECT_EQ(1, object->visible);
  EXPECT_EQ("stBoots", Look());
  mPointer->SetSceneMode(0);
  mPointer->HoldItem(gem);
  mPointer->ReleaseItem();
  EXPECT_EQ("stItem", Look());
  m->Tick();
  EXPECT_EQ("stNormal", Look());
  mPointer->DoDraw();  // a released item is no longer the pointer's to draw
  EXPECT_EQ(1, gem->draws);
  delete gem;

  // A held item deleted by the manager is forgotten by its controller too.
  Hold();
  m->DeleteHeldItem();
  m->Tick();
  mPointer->DoDraw();
  EXPECT_EQ("stNormal", Look());
}

TEST_F(PointerControllerTest, AfterADropTheAnimationPlaysOnce) {
  m->SetMode(1);
  mPointer->OnItemDropped();
  EXPECT_EQ("stAfterDrop", Look());
  m->Tick();
  EXPECT_EQ("stAfterDrop", Look());
  GVObject* main = mPointer->GetPointerObject()->GetChild("main");
  mPointer->OnStateEnd(main, TState::FromCStr("stNormal"));  // another state's end
  m->Tick();
  EXPECT_EQ("stAfterDrop", Look());
  mPointer->OnStateEnd(main, TState::FromCStr("stAfterDrop"));
  EXPECT_EQ("stAfterDrop", Look());  // picked on the next tick
  m->Tick();
  EXPECT_EQ("stNormal", Look());

  // Replaced before its end: the next pick no longer offers it.
  mPointer->OnItemDropped();
  mPointer->SetSceneMode(1);
  EXPECT_EQ("stBoots", Look());
  m->Tick();
  mPointer->SetSceneMode(0);
  EXPECT_EQ("stNormal", Look());
}

TEST_F(PointerControllerTest, ARestingPointerPlaysItsIdleAnimation) {
  m->SetMode(1);
  m->MoveTo(100, 100);
  Ticks(180);
  EXPECT_EQ("stNormal", Look());
  m->Tick();
  EXPECT_EQ("stIdle1", Look());
  // A pick while the idle animation plays does not cut it short.
  mPointer->SetSceneMode(0);
  EXPECT_EQ("stIdle1", Look());

  // The animation's own next state brings the plain look back.
  GVObject* main = mPointer->GetPointerObject()->GetChild("main");
  main->SetState(TState::FromCStr("stNormal"), true);

  // Any movement restarts the wait; so does the idle look taking over again.
  Ticks(100);
  m->MoveTo(102, 100);
  Ticks(180);
  EXPECT_EQ("stNormal", Look());
  mPointer->SetSceneMode(1);
  Ticks(50);
  mPointer->SetSceneMode(0);
  Ticks(180);
  EXPECT_EQ("stNormal", Look());
  m->Tick();
  EXPECT_EQ("stIdle1", Look());
  // And again every 181 ticks while the pointer keeps resting.
  main->SetState(TState::FromCStr("stNormal"), true);
  Ticks(180);
  EXPECT_EQ("stNormal", Look());
  m->Tick();
  EXPECT_EQ("stIdle1", Look());
}

TEST_F(PointerControllerTest, AShakeJittersThePointerAndPutsItBack) {
  m->SetMode(1);
  m->MoveTo(200, 100);
  GVObject* object = mPointer->GetPointerObject();
  m->Shake();
  bool moved = false;
  for (int i = 0; i < 30; ++i) {
    m->Tick();
    EXPECT_GE(object->deltaX, 200 - 4);
    EXPECT_LE(object->deltaX, 200 + 3);
    EXPECT_GE(object->deltaY, 100 - 4);
    EXPECT_LE(object->deltaY, 100 + 3);
    moved = moved || object->deltaX != 200 || object->deltaY != 100;
  }
  EXPECT_TRUE(moved);
  m->Tick();  // the 31st: the shake ends at the pointer position
  EXPECT_FLOAT_EQ(200, object->deltaX);
  EXPECT_FLOAT_EQ(100, object->deltaY);
  EXPECT_EQ("stShaking", Look());  // until the next pointer event
  Ticks(5);
  EXPECT_FLOAT_EQ(200, object->deltaX);
  mPointer->SetSceneMode(0);
  EXPECT_EQ("stNormal", Look());
}

TEST_F(PointerControllerTest, ALookOfHigherPriorityKeepsThePointerStill) {
  // Under the map, and with the standard pointer ("GameMouse" false), no
  // shake, idle animation or item look is ever seen.
  for (int mode : {1, 0}) {
    SCOPED_TRACE(mode);
    TearDown();
    SetUp();
    m->SetMode(mode);
    if (mode == 1) mPointer->SetMapMode(true);
    const char* look = mode == 1 ? "stMap" : "stNormal";
    m->MoveTo(50, 60);
    Hold();
    m->Shake();
    for (int i = 0; i < 200; ++i) {
      m->Tick();
      ASSERT_FLOAT_EQ(50, mPointer->GetPointerObject()->deltaX);
      ASSERT_FLOAT_EQ(60, mPointer->GetPointerObject()->deltaY);
    }
    EXPECT_EQ(look, Look());
    EXPECT_EQ(0, mPointer->GetHeldItem()->GetObject()->visible);
  }
}

TEST(PointerControllerWithoutObject, EveryEventIsSurvived) {
  OMousePointerManager manager(nullptr);
  manager.SetMode(1);
  manager.SetSceneMode(1);
  manager.SetVisible(false);
  manager.SetVisible(true);
  manager.SetMapMode(true);
  manager.SetMapMode(false);
  manager.OnItemDropped();
  manager.Shake();
  manager.MoveTo(3, 4);
  for (int i = 0; i < 200; ++i) manager.Tick();
  manager.DrawPass();
  manager.OnPointerStateEnd(TState::FromCStr("stAfterDrop"));
}
