// The composition: parts put in by using their item on its mask, the
// actions that run as they arrive, and the parts shown again from the
// registry.

#include <memory>

#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/OCompositionItem.h"
#include "items/OItemFactory.h"

namespace {
class CompositionItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    manager.reset(new RecordingItemsManager());
    mask = new OItemMask("statue_mask", nullptr, "", &manager->masks);
    manager->masks.AddMask(mask);
    pointer = ReadyPointer()->GetManager();
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    manager.reset();
    ItemsTest::TearDown();
  }
  OCompositionItem* Make(const str& name) {
    IItem* item = OItemFactory::CreateForScene(name, manager.get());
    EXPECT_NE(item, nullptr);
    manager->AddItem(item);
    item->CreateObject();
    return static_cast<OCompositionItem*>(item);
  }
  // Puts the item in the hand (an empty hand for ""), then clicks.
  bool Insert(OCompositionItem* composition, const str& name) {
    HoldNew(name, manager.get());
    return composition->OnMaskClick(mask);
  }
  static str HeldName(OMousePointerManager* pointer) {
    return pointer->GetHeldItem() ? pointer->GetHeldItem()->GetName() : str("nothing");
  }
  static str Flag(const str& name) { return OFlagsRegistry::GetInstance()->GetValue(name); }

  std::unique_ptr<RecordingItemsManager> manager;
  OItemMask* mask = nullptr;
  OMousePointerManager* pointer = nullptr;
};

TEST_F(CompositionItemTest, PartsComeInByTheirItemsAndActionsFollowTheCount) {
  OCompositionItem* statue = Make("statue");
  EXPECT_EQ(mask->GetItem(), statue);
  EXPECT_EQ(statue->GetObject()->deltaX, 10);
  struct Step {
    const char* held;    // "": an empty hand
    bool taken;          // the click's answer
    const char* hand;    // the hand afterwards
    const char* left;    // "left" afterwards
    const char* states;  // the registry afterwards
    const char* done;    // "statue" afterwards
  } steps[] = {
      {"", false, "nothing", "null", "none", "null"},
      // An item that is no part: the wrong-item action, and it stays held.
      {"stick", false, "stick", "null", "none", "wrong"},
      {"gem", true, "nothing", "two", "1,0,0", "wrong"},
      // A part already there comes in again and changes no count.
      {"gem", true, "nothing", "two", "1,0,0", "wrong"},
      {"torch", true, "nothing", "one", "1,0,1", "wrong"},
      {"lamp", true, "nothing", "none", "1,1,1", "done"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.held);
    OFlagsRegistry::GetInstance()->SetValue("left", "null");
    EXPECT_EQ(Insert(statue, s.held), s.taken);
    EXPECT_EQ(HeldName(pointer), s.hand);
    EXPECT_EQ(Flag("left"), s.left);
    EXPECT_EQ(Registry("statue"), s.states);
    EXPECT_EQ(Flag("statue"), s.done);
  }
  EXPECT_EQ(Flag("gem_in"), "true") << "the part's own actions";
  ASSERT_TRUE(statue->IsPartPresent(2));
  EXPECT_EQ(statue->GetPartObject(2)->deltaX, 70);
  EXPECT_EQ(statue->GetPartObject(2)->deltaY, 80);

  // A part without a visual is taken but never counts as present.
  OCompositionItem* bust = Make("bust");
  EXPECT_TRUE(Insert(bust, "shade"));
  EXPECT_EQ(HeldName(pointer), "nothing");
  EXPECT_EQ(bust->CountMissingParts(), 2u);
  EXPECT_EQ(Registry("bust"), "0,0");
}

TEST_F(CompositionItemTest, ThePartsTheRegistryHeldAreShownAgain) {
  OItemsRegistry::GetInstance()->SetStates("statue", {1, 0, 1});
  OCompositionItem* statue = Make("statue");
  EXPECT_TRUE(statue->IsPartPresent(0));
  EXPECT_FALSE(statue->IsPartPresent(1));
  EXPECT_TRUE(statue->IsPartPresent(2));
  // A short or damaged list shows what it names and nothing past the parts.
  OItemsRegistry::GetInstance()->SetStates("statue", {0, 1, 1, 1});
  statue = Make("statue");
  EXPECT_EQ(statue->CountMissingParts(), 1u);
  OItemsRegistry::GetInstance()->SetStates("statue", {1});
  statue = Make("statue");
  EXPECT_EQ(statue->CountMissingParts(), 2u);
}
}  // namespace
