// The potion flask: the potion table (names, pour sounds, what drinking
// does), the fade of a finished potion's old look in an inventory, the
// potion read back from the registry, and the caption of each potion.

#include "ItemsTestUtil.h"
#include "game/GScene.h"
#include "game/GSceneCaption.h"
#include "items/OBasementFlaskItem.h"
#include "items/OItemFactory.h"
#include "sdk/TReport.h"
#include "tools/magic/OMagicRegistry.h"

namespace {
class FlaskItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    ReadyPointer();
    // The flask's pour is a sound that exists.
    OItemFactory::FindGuideNode("phial")->CreateChild("sounds")->CreateChild("pour")->SetContent(
        ItemsFixturesDir() + "/../sounds/beep.wav");
  }
  void TearDown() override {
    manager.Clear();
    if (GMousePointer::PeekManager()) GMousePointer::PeekManager()->DeleteHeldItem();
    OMagicRegistry::DeleteInstance();
    GMousePointer::DestroyInstance();
    ItemsTest::TearDown();
  }
  OBasementFlaskItem* Make(IItem* (*make)(const str&, IItemsManager*)) {
    auto* flask = static_cast<OBasementFlaskItem*>(make("phial", &manager));
    EXPECT_NE(flask, nullptr);
    if (flask) flask->CreateObject();
    return flask;
  }
  static size_t Sounds() { return TSoundManager::GetInstance()->GetPlayLog().size(); }
  static str LastEvent() { return Events().empty() ? str() : Events().back(); }

  RecordingItemsManager manager;
};

TEST_F(FlaskItemTest, EachPotionHasItsNameItsPourAndItsDrink) {
  struct Case {
    const char* potion;
    const char* current;
    int32_t number;
    bool pours;
    size_t reports;     // a missing look, an unknown drink action
    const char* drank;  // the drink action's value
    const char* magic;  // the magic the potion counts toward
    int32_t after;
  } cases[] = {
      {"water", "flask_water", 1, true, 0, "water", "", 0},
      {"bad_water", "flask_bad_water", 2, true, 1, "", "", 0},
      {"strength", "flask_strength", 3, false, 0, "strength", "", 3},
      {"strength_complete", "flask_strength_complete", 4, false, 1, "", "", 4},
      {"health_complete", "flask_health_complete", 10, false, 0, "", "health", 0},
      {"invisibility_complete", "flask_invisibility_complete", 13, true, 0, "", "invisibility", 0},
      {"through_time", "flask_time", 7, false, 1, "", "", 7},
  };
  OBasementFlaskItem* flask = Make(&OItemFactory::CreateForPointer);
  EXPECT_EQ(flask->GetCurrentName(), "flask_empty");
  EXPECT_TRUE(flask->CanBeReturned());
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  OMagicRegistry* registry = OMagicRegistry::GetInstance();
  // Drinks counted toward any magic of the cases.
  auto counted = [registry] {
    return registry->GetFlaskUsage("health") + registry->GetFlaskUsage("invisibility");
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.potion);
    flags->SetValue("drank", "");
    size_t sounds = Sounds(), reports = ReportCount();
    int magics = counted();
    OBasementFlaskItem::SetPotion(flask, c.potion, false);
    EXPECT_EQ(flask->GetCurrentName(), c.current);
    EXPECT_EQ(LastEvent(), str("potion_create ") + c.current);
    EXPECT_EQ(Registry("phial"), str::format("1,%d", int(c.number)));
    EXPECT_EQ(Sounds() - sounds, c.pours ? 1u : 0u);
    EXPECT_FALSE(flask->CanBeReturned());
    EXPECT_NE(flask->GetObject(), nullptr) << "a potion without a look keeps the flask's own";

    EXPECT_TRUE(flask->Use(TPoint(0, 0)));
    EXPECT_EQ(flags->GetValue("drank"), c.drank);
    if (*c.magic) {
      EXPECT_EQ(registry->GetFlaskUsage(c.magic), 1);
      EXPECT_EQ(counted(), magics + 1);
      EXPECT_EQ(LastEvent(), str("potion_drink ") + c.magic);
    } else {
      EXPECT_EQ(counted(), magics);
    }
    EXPECT_EQ(flask->GetPotion(), c.after);
    EXPECT_EQ(ReportCount() - reports, c.reports);
    OBasementFlaskItem::UpdateObject(0, flask, true);
  }
  // A name no potion has changes nothing, and still tells the rules.
  OBasementFlaskItem::SetPotion(flask, "water", true);
  OBasementFlaskItem::SetPotion(flask, "lemonade", false);
  EXPECT_EQ(flask->GetPotion(), 1);
  EXPECT_EQ(LastEvent(), "potion_create flask_water");
}

TEST_F(FlaskItemTest, AFinishedPotionsOldLookFadesOnlyInAnInventory) {
  OBasementFlaskItem* flask = Make(&OItemFactory::CreateForInventory);
  OBasementFlaskItem::SetPotion(flask, "strength", false);
  EXPECT_EQ(flask->GetFadingObject(), nullptr) << "an unfinished potion replaces the look";
  GVObject* old = flask->GetObject();
  OBasementFlaskItem::SetPotion(flask, "strength_complete", false);
  ASSERT_EQ(flask->GetFadingObject(), old);
  EXPECT_EQ(old->deltaZ, 1);
  EXPECT_NE(flask->GetObject(), nullptr);
  for (int i = 0; i < 25; ++i) flask->Update();
  EXPECT_FLOAT_EQ(old->alpha, 0.5f);
  for (int i = 25; i < 50; ++i) flask->Update();
  EXPECT_NE(flask->GetFadingObject(), nullptr) << "still there after 50 ticks";
  flask->Update();
  EXPECT_EQ(flask->GetFadingObject(), nullptr) << "gone on the 51st";

  // Finished potions of magic fade deeper; leaving the inventory ends it.
  OBasementFlaskItem::SetPotion(flask, "health_complete", false);
  ASSERT_NE(flask->GetFadingObject(), nullptr);
  EXPECT_EQ(flask->GetFadingObject()->deltaZ, 10);
  flask->MoveToDropped();
  EXPECT_EQ(flask->GetFadingObject(), nullptr);

  // Elsewhere, or silently, the look is simply replaced.
  flask->MoveToInventory();
  OBasementFlaskItem::SetPotion(flask, "strength", true);
  OBasementFlaskItem::SetPotion(flask, "strength_complete", true);
  EXPECT_EQ(flask->GetFadingObject(), nullptr);
  flask->MoveToPointer();
  OBasementFlaskItem::SetPotion(flask, "health_complete", false);
  EXPECT_EQ(flask->GetFadingObject(), nullptr);
}

TEST_F(FlaskItemTest, TheRegistryGivesThePotionSecond) {
  struct Case {
    std::vector<int32_t> saved;
    int32_t potion;
    size_t pours;
  } cases[] = {{{}, 0, 0}, {{2}, 0, 0}, {{2, 1}, 1, 1}, {{2, 10}, 10, 0}};
  for (const Case& c : cases) {
    OItemsRegistry::GetInstance()->SetStates("phial", c.saved);
    size_t sounds = Sounds();
    OBasementFlaskItem* flask = Make(&OItemFactory::CreateForInventory);
    EXPECT_EQ(flask->GetPotion(), c.potion);
    EXPECT_EQ(Sounds() - sounds, c.pours) << "water pours as its look is built";
    EXPECT_EQ(flask->GetFadingObject(), nullptr) << "no fade at creation";
    delete flask;
  }
}

TEST_F(FlaskItemTest, TheCaptionIsThePotionsOrTheFlasksOwn) {
  GScene scene;
  manager.masks.SetScene(&scene);
  OBasementFlaskItem* flask = Make(&OItemFactory::CreateForInventory);
  struct Case {
    const char* potion;
    const char* caption;
  } cases[] = {{"empty", "cap_phial"}, {"water", "cap_water"}, {"bad_water", "cap_phial"}};
  for (const Case& c : cases) {
    OBasementFlaskItem::SetPotion(flask, c.potion, true);
    flask->ShowCaption();
    EXPECT_EQ(scene.GetCaption()->GetText(), c.caption) << c.potion;
  }
  delete flask;
  manager.masks.SetScene(nullptr);
}
}  // namespace
