// The combination rules: lookup in either order with the first rule winning,
// what a rule does to the held item on a scene place, and what it makes at
// an inventory cell.

#include <algorithm>
#include <memory>

#include "ItemsTestUtil.h"
#include "game/OMask.h"
#include "game/OMousePointerManager.h"
#include "items/OComboGuide.h"
#include "items/OItemFactory.h"

namespace {
class ComboGuideTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    manager.reset(new RecordingItemsManager());
    pointer = ReadyPointer()->GetManager();
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    manager.reset();
    ItemsTest::TearDown();
  }
  IItem* Hold(const str& name) { return HoldNew(name, manager.get()); }
  // Made for an inventory cell; the test owns it.
  std::unique_ptr<IItem> Stored(const str& name) {
    IItem* item = OItemFactory::CreateForInventory(name, manager.get());
    EXPECT_NE(item, nullptr) << name;
    item->CreateObject();
    return std::unique_ptr<IItem>(item);
  }
  static str HeldName(OMousePointerManager* pointer) {
    IItem* held = pointer->GetHeldItem();
    return held ? held->GetName() : str("nothing");
  }
  static bool Created(const str& name) {
    const std::vector<str>& events = Events();
    return std::find(events.begin(), events.end(), "item_create " + name) != events.end();
  }

  std::unique_ptr<RecordingItemsManager> manager;
  OMousePointerManager* pointer = nullptr;
};

TEST_F(ComboGuideTest, RulesMatchEitherOrderAndTheFirstInTheDocumentWins) {
  OComboGuide* guide = OComboGuide::GetInstance();
  ASSERT_NE(guide->GetNode(), nullptr);
  struct Case {
    const char* a;
    const char* b;
    const char* type;  // null: no result
  } cases[] = {
      {"stick", "fire_pit", "item"},
      // A later rule for the same pair in the other order never applies.
      {"fire_pit", "stick", "item"},
      {"rope", "well_top", "action"},
      {"well_top", "rope", "action"},
      {"stick", "rope", nullptr},
      {"fire_pit", "fire_pit", nullptr},
      {"", "", nullptr},
  };
  for (const Case& c : cases) {
    TXmlNode* result = OComboGuide::FindRule(guide, c.a, c.b);
    if (!c.type) {
      EXPECT_EQ(result, nullptr) << c.a << "+" << c.b;
      continue;
    }
    ASSERT_NE(result, nullptr) << c.a << "+" << c.b;
    EXPECT_EQ(result->GetAttribute("type"), c.type) << c.a << "+" << c.b;
  }
  // A rule without a result is found as a rule but gives no result.
  EXPECT_NE(OComboGuide::FindRuleNode(guide, "nothing", "gem"), nullptr);
  EXPECT_EQ(OComboGuide::FindRule(guide, "nothing", "gem"), nullptr);
  EXPECT_EQ(OComboGuide::FindRule(nullptr, "stick", "fire_pit"), nullptr);

  ProbeItem stick("stick", nullptr), gem("gem", nullptr), rope("rope", nullptr);
  EXPECT_EQ(OComboGuide::GetResultType(&gem, &stick), "tablet_combine");
  EXPECT_EQ(OComboGuide::GetResultType(&rope, &gem), "");
}

TEST_F(ComboGuideTest, ASceneRuleReplacesTheHeldItemRunsAnActionOrDoesNothing) {
  OComboGuide* guide = OComboGuide::GetInstance();
  OSimpleMask pit("fire_pit", nullptr, "", nullptr), top("well_top", nullptr, "", nullptr),
      voidMask("void", nullptr, "", nullptr), gemMask("gem", nullptr, "", nullptr);

  // "item": the held stick gives way to a torch in the hand, and the effect
  // starts where the torch is, over the scene.
  Hold("stick");
  IItem* torch = OComboGuide::ApplyToSceneItem(guide, pointer->GetHeldItem(), &pit, manager.get());
  ASSERT_NE(torch, nullptr);
  EXPECT_EQ(pointer->GetHeldItem(), torch);
  EXPECT_EQ(torch->GetName(), "torch");
  EXPECT_EQ(Registry("torch"), "1");
  EXPECT_EQ(Registry("stick"), "4") << "the stick used up is no longer in the hand for the registry";
  ASSERT_EQ(manager->log.size(), 1u);
  TPoint centre = torch->GetCenter();
  EXPECT_EQ(manager->log[0].find(str::format("particles/flame.lua at %g,%g top=1", centre.x, centre.y)), 0u)
      << manager->log[0];

  // "action": the composite runs and the held item stays.
  IItem* stick = Hold("stick");
  EXPECT_EQ(OComboGuide::ApplyToSceneItem(guide, stick, &top, manager.get()), nullptr)
      << "no rule for a stick";
  ProbeItem rope("rope", manager.get());
  EXPECT_EQ(OComboGuide::ApplyToSceneItem(guide, &rope, &top, manager.get()), &rope);
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("pulled"), "true");
  EXPECT_EQ(pointer->GetHeldItem(), stick);

  // A type the scene does not know changes nothing.
  IItem* gem = Hold("gem");
  EXPECT_EQ(OComboGuide::ApplyToSceneItem(guide, gem, &gemMask, manager.get()), nullptr);
  EXPECT_EQ(pointer->GetHeldItem(), gem);

  // An "item" rule whose result cannot be made has still taken the held
  // item: nothing is left in the hand.
  EXPECT_EQ(OComboGuide::ApplyToSceneItem(guide, gem, &voidMask, manager.get()), nullptr);
  EXPECT_EQ(pointer->GetHeldItem(), nullptr);
}

TEST_F(ComboGuideTest, TabletResultsGoToTheInventoryAndTheHandOrNowhereAtAll) {
  OComboGuide* guide = OComboGuide::GetInstance();
  struct Case {
    const char* held;
    const char* stored;
    const char* result;  // null: nothing made
    const char* hand;    // the hand afterwards
    bool effect;
  } cases[] = {
      // No "second_item": the held item is used up.
      {"stick", "gem", "torch", "nothing", true},
      // With one, the rule's item1 in hand decides who gets which.
      {"stick", "lamp", "gem", "torch", false},
      {"lamp", "stick", "torch", "gem", false},
      // A result the factory cannot make: nothing changes at all.
      {"key", "gem", nullptr, "key", false},
      {"key", "lamp", nullptr, "key", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str(c.held) + " on " + c.stored);
    manager->log.clear();
    IItem* held = Hold(c.held);
    std::unique_ptr<IItem> stored = Stored(c.stored);
    TPoint heldCentre = held->GetCenter();
    std::unique_ptr<IItem> made(OComboGuide::ApplyToInventoryItem(held, guide, stored.get(), manager.get()));
    EXPECT_EQ(made ? made->GetName() : str("nothing"), c.result ? c.result : "nothing");
    if (made) {
      EXPECT_TRUE(made->IsInInventory());
    }
    EXPECT_EQ(HeldName(pointer), c.hand);
    if (!c.result) {
      EXPECT_EQ(pointer->GetHeldItem(), held);
    }
    ASSERT_EQ(manager->log.size(), c.effect ? 1u : 0u);
    if (c.effect) {
      EXPECT_EQ(manager->log[0].find(str::format("particles/flame.lua at %g,%g", heldCentre.x, heldCentre.y)),
                0u)
          << manager->log[0];
    }
  }
}

TEST_F(ComboGuideTest, FlaskAndMatchRulesChangeNothingWithoutTheirItem) {
  OComboGuide* guide = OComboGuide::GetInstance();
  std::unique_ptr<IItem> lamp = Stored("lamp");
  std::unique_ptr<IItem> gem = Stored("gem");
  // Items that merely carry the names the rules give.
  ProbeItem plainFlask("flask", manager.get(), ItemTypeId::OSimpleItem, false);
  ProbeItem plainBox("box", manager.get(), ItemTypeId::OSimpleItem, false);
  EXPECT_EQ(OComboGuide::ApplyToInventoryItem(&plainFlask, guide, lamp.get(), manager.get()), nullptr);
  EXPECT_EQ(OComboGuide::ApplyToInventoryItem(lamp.get(), guide, &plainBox, manager.get()), nullptr);
  EXPECT_FALSE(Created("torch")) << "no result is made for a rule that does not apply";
  EXPECT_EQ(OComboGuide::ApplyToInventoryItem(&plainFlask, guide, gem.get(), manager.get()), nullptr);
  EXPECT_TRUE(manager->log.empty());

  // The real thing, whichever side it is on.
  ProbeItem flask("flask", manager.get(), ItemTypeId::OBasementFlaskItem, false);
  ProbeItem box("box", manager.get(), ItemTypeId::OMatchesBoxItem, false);
  std::unique_ptr<IItem> made(OComboGuide::ApplyToInventoryItem(lamp.get(), guide, &flask, manager.get()));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetName(), "torch");
  made.reset(OComboGuide::ApplyToInventoryItem(&box, guide, lamp.get(), manager.get()));
  ASSERT_NE(made, nullptr);
  // On a place, only a flask takes the potion; the rule is not for others.
  OSimpleMask spring("spring", nullptr, "", nullptr);
  EXPECT_EQ(OComboGuide::ApplyToSceneItem(guide, &plainFlask, &spring, manager.get()), nullptr);
  EXPECT_TRUE(manager->log.empty());
  EXPECT_EQ(OComboGuide::ApplyToSceneItem(guide, &flask, &spring, manager.get()), &flask);
  ASSERT_EQ(manager->log.size(), 1u);
  manager->log.clear();
  // A spell changes the flask and gives nothing back.
  EXPECT_EQ(OComboGuide::ApplyToInventoryItem(gem.get(), guide, &flask, manager.get()), nullptr);
  EXPECT_EQ(manager->log.size(), 1u);
}
}  // namespace
