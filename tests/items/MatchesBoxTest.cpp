// The matches box: lighting and putting out, the count, the life of a
// match, the box spent and sent back to its scene (at once when it is the
// scene's, else through the registry, deleted once the tick is over), and a
// box loaded burning.

#include "ItemsTestUtil.h"
#include "game/GFullScreenGameScene.h"
#include "game/GSceneCaption.h"
#include "game/OMousePointerManager.h"
#include "items/OComboGuide.h"
#include "items/ODeferredDelete.h"
#include "items/OItemFactory.h"
#include "items/OMatchesBoxItem.h"
#include "rules/hints/OHintsManager.h"
#include "sdk/TWindowManager.h"

namespace {
class MatchesBoxTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    pointer = ReadyPointer()->GetManager();
  }
  void TearDown() override {
    TWindowManager::GetInstance()->DeletePending();
    manager.Clear();
    GMousePointer::DestroyInstance();
    DeleteSceneServices();
    ItemsTest::TearDown();
  }
  // The box made for the hand, as the pointer then holds it.
  OMatchesBoxItem* Hand(const char* name, IItemsManager* owner = nullptr) {
    IItem* item = OItemFactory::CreateForPointer(name, owner ? owner : &manager);
    EXPECT_TRUE(IsMatchesBoxItem(item));
    if (!item) return nullptr;
    item->CreateObject();
    EXPECT_EQ(pointer->GetHeldItem(), item);
    return static_cast<OMatchesBoxItem*>(item);
  }
  static str Flag(const str& name) { return OFlagsRegistry::GetInstance()->GetValue(name); }
  static str State(IItem* item) { return item->GetMainObject()->GetState().ToStr(); }

  RecordingItemsManager manager;
  OMousePointerManager* pointer = nullptr;
};

TEST_F(MatchesBoxTest, AUseLightsAMatchAndTheNextPutsItOut) {
  OMatchesBoxItem* box = Hand("matches");
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->GetFlame()) << "the entry gives an fx";
  EXPECT_EQ(Flag("box_closed"), "true") << "a box made at rest says so";
  OFlagsRegistry::GetInstance()->SetValue("box_closed", "false");

  EXPECT_TRUE(box->Use(TPoint()));
  EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBurning);
  EXPECT_EQ(box->GetMatches(), 2);
  EXPECT_EQ(box->GetCurrentName(), "match");
  EXPECT_EQ(box->GetName(), "matches");
  EXPECT_EQ(Flag("match_lit"), "true");
  EXPECT_EQ(Flag("box_closed"), "false");
  EXPECT_EQ(Registry("matches"), "1,1,2,0");
  EXPECT_EQ(State(box), "stMatchAnimation");
  EXPECT_FALSE(box->CanBeDropped() || box->CanBeStored() || box->CanBeReturned());
  box->MoveToInventory();
  EXPECT_EQ(box->GetPlace(), ItemPlace::stPointer) << "a burning match stays in the hand";

  EXPECT_TRUE(box->Use(TPoint()));
  EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBox);
  EXPECT_EQ(box->GetCurrentName(), "matches");
  EXPECT_EQ(Flag("box_closed"), "true");
  EXPECT_EQ(Registry("matches"), "1,0,2");
  EXPECT_EQ(State(box), "stPointer");
  EXPECT_TRUE(box->CanBeDropped() && box->CanBeStored() && box->CanBeReturned());
}

TEST_F(MatchesBoxTest, AMatchBurnsItsLifeUnlessItsLifeIsNegative) {
  OMatchesBoxItem* box = Hand("matches");
  box->Use(TPoint());
  for (int i = 0; i < 29; ++i) box->Update();
  EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBurning) << "29 ticks";
  box->Update();
  EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBox) << "30 ticks";
  EXPECT_EQ(box->GetMatches(), 2);
  EXPECT_EQ(pointer->GetHeldItem(), box);

  // Without an fx the box lights and goes out all the same.
  pointer->DeleteHeldItem();
  OMatchesBoxItem* taper = Hand("taper");
  EXPECT_FALSE(taper->GetFlame());
  taper->Use(TPoint());
  for (int i = 0; i < 1000; ++i) taper->Update();
  EXPECT_EQ(taper->GetMatchMode(), OMatchesBoxItem::kBurning);
  taper->Draw();
}

TEST_F(MatchesBoxTest, ABoxLoadedBurningCountsOnFromItsSavedTicks) {
  struct Case {
    OItemsRegistry::States saved;
    int mode, matches, ticksToGoOut;
  } cases[] = {
      {{1, 1, 2, 10}, 1, 2, 20},
      // A save without the ticks starts the life again.
      {{1, 1, 2}, 1, 2, 30},
      // Without the mode and count the box is full and at rest.
      {{1}, 0, 3, -1},
      // A box at rest cannot be empty: a count of 0 is a full box.
      {{1, 0, 0}, 0, 3, -1},
  };
  for (const Case& c : cases) {
    OItemsRegistry::GetInstance()->SetStates("matches", c.saved);
    SCOPED_TRACE(Registry("matches"));
    OMatchesBoxItem* box = Hand("matches");
    EXPECT_EQ(box->GetMatchMode(), c.mode);
    EXPECT_EQ(box->GetMatches(), c.matches);
    if (c.ticksToGoOut > 0) {
      EXPECT_EQ(State(box), "stMatchAnimation");
      for (int i = 1; i < c.ticksToGoOut; ++i) box->Update();
      EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBurning);
      box->Update();
      EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBox);
    }
    pointer->DeleteHeldItem();
  }
}

// Out of its scene the spent box goes back through the registry; it deletes
// itself, but only once the event or tick is over, so whoever put the match
// out may still ask it what it is.
TEST_F(MatchesBoxTest, ASpentBoxOutsideItsSceneLivesUntilTheTickEnds) {
  struct Route {
    const char* name;
    void (*putOut)(OMatchesBoxItem* box);
  } routes[] = {
      {"used again", [](OMatchesBoxItem* box) { box->Use(TPoint()); }},
      {"a rule puts it out", [](OMatchesBoxItem* box) { box->SetMatchMode(0); }},
      {"its life ends",
       [](OMatchesBoxItem* box) {
         for (int i = 0; i < 30; ++i) box->Update();
       }},
  };
  for (const Route& route : routes) {
    SCOPED_TRACE(route.name);
    OItemsRegistry::GetInstance()->SetStates("matches", {1, 0, 1});
    OMatchesBoxItem* box = Hand("matches");
    box->Use(TPoint());
    ASSERT_EQ(box->GetMatches(), 0);
    OFlagsRegistry::GetInstance()->SetValue("box_closed", "false");

    TWindowManager* wm = TWindowManager::GetInstance();
    wm->EnterDispatch();
    route.putOut(box);
    EXPECT_TRUE(ODeferredDelete::IsPending(box));
    // Still whole for the callers on the way back.
    EXPECT_TRUE(IsMatchesBoxItem(box));
    EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBox);
    EXPECT_EQ(box->GetMatches(), 3);
    EXPECT_EQ(pointer->GetHeldItem(), nullptr);
    EXPECT_EQ(Registry("matches"), "0,0,3") << "its scene makes it again, full";
    EXPECT_EQ(Flag("box_closed"), "true");
    wm->LeaveDispatch();
    wm->DeletePending();
    EXPECT_EQ(ODeferredDelete::PendingCount(), 0u);
  }
}

// A burning match used on an item in the inventory goes out, and the rule
// then asks the box whether it is on the pointer: the last match spent, it
// is no more on the pointer, and still there to answer.
TEST_F(MatchesBoxTest, TheLastMatchBurntOnAStoredItemLeavesTheBoxToAnswer) {
  OItemsRegistry::GetInstance()->SetStates("matches", {1, 0, 1});
  OMatchesBoxItem* box = Hand("matches");
  box->Use(TPoint());
  std::unique_ptr<IItem> lamp(OItemFactory::CreateForInventory("lamp", &manager));
  lamp->CreateObject();
  TWindowManager* wm = TWindowManager::GetInstance();
  wm->EnterDispatch();
  std::unique_ptr<IItem> made(
      OComboGuide::ApplyToInventoryItem(box, OComboGuide::GetInstance(), lamp.get(), &manager));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetName(), "gem");
  EXPECT_TRUE(ODeferredDelete::IsPending(box));
  ASSERT_EQ(manager.log.size(), 1u);
  TPoint centre = lamp->GetCenter();
  EXPECT_EQ(manager.log[0].find(str::format("particles/flame.lua at %g,%g", centre.x, centre.y)), 0u)
      << "the box has left the hand: the lamp's centre";
  wm->LeaveDispatch();
  wm->DeletePending();
  EXPECT_EQ(ODeferredDelete::PendingCount(), 0u);
}

// A scene whose item list names the box and a caption to show.
struct BoxScene {
  GFullScreenGameScene scene;
  BoxScene() {
    scene.SetMasksManager(new GMasksManager(&scene));
    scene.GetBackgroundLayer()->AdoptChild(scene.GetMasksManager());
    scene.SetItemsManager(new OItemsManager(&scene));
    scene.SetItemNames(new std::vector<str>{"matches"});
  }
};

TEST_F(MatchesBoxTest, ASpentBoxOfTheSceneGoesBackIntoItsList) {
  BoxScene room;
  OItemsRegistry::GetInstance()->SetStates("matches", {1, 0, 1});
  OMatchesBoxItem* box = Hand("matches", room.scene.GetItemsManager());
  box->Use(TPoint());
  box->Use(TPoint());
  EXPECT_FALSE(ODeferredDelete::IsPending(box));
  EXPECT_EQ(pointer->GetHeldItem(), nullptr);
  EXPECT_EQ(room.scene.GetItemsManager()->FindItem("matches"), box);
  EXPECT_EQ(box->GetPlace(), ItemPlace::stScene);
  EXPECT_EQ(State(box), "stScene");
  EXPECT_EQ(Registry("matches"), "0,0,3");
}

TEST_F(MatchesBoxTest, TheCaptionCountsTheMatchesLeft) {
  BoxScene room;
  OMatchesBoxItem* box = Hand("matches", room.scene.GetItemsManager());
  box->Use(TPoint());
  box->ShowCaption();
  EXPECT_EQ(room.scene.GetCaption()->GetText(), "left 2");
  pointer->DeleteHeldItem();
}

TEST_F(MatchesBoxTest, KindTestsAreExact) {
  std::unique_ptr<IItem> box(OItemFactory::CreateForPointer("matches", &manager));
  std::unique_ptr<IItem> dust(OItemFactory::CreateForPointer("leek_dust", &manager));
  std::unique_ptr<IItem> cut(OItemFactory::CreateForPointer("leek_cut", &manager));
  std::unique_ptr<IItem> lamp(OItemFactory::CreateForPointer("lamp", &manager));
  EXPECT_TRUE(IsMatchesBoxItem(box.get()) && box->IsKindOf(ItemTypeId::OSimpleItem));
  EXPECT_TRUE(IsCookDustItem(dust.get()));
  EXPECT_FALSE(IsMatchesBoxItem(lamp.get()) || IsCookDustItem(cut.get()) || IsCookDishItem(dust.get()));
  EXPECT_FALSE(IsMatchesBoxItem(nullptr) || IsCookDishItem(nullptr) || IsCookDustItem(nullptr));
}
}  // namespace
