// The scene-jump item: one step per click on its mask, the children's
// visual states and the position of each state, the actions tied to visual
// states, and the registry record that brings it back.

#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "items/OItemFactory.h"
#include "items/OSceneJumpItem.h"

namespace {
class SceneJumpItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    ReadyPointer();
    mask = new OItemMask("step_mask", nullptr, "", &manager.masks);
    manager.masks.AddMask(mask);
  }
  void TearDown() override {
    // The items go while the shared objects they reach still exist.
    manager.Clear();
    GMousePointer::DestroyInstance();
    ItemsTest::TearDown();
  }
  OSceneJumpItem* Stairs() {
    IItem* item = OItemFactory::CreateForScene("stairs", &manager);
    EXPECT_NE(item, nullptr);
    manager.AddItem(item);
    item->CreateObject();
    return static_cast<OSceneJumpItem*>(item);
  }
  static str StateOf(IItem* item, const char* child) {
    return item->GetObject()->GetChild(child)->GetState().ToStr();
  }

  RecordingItemsManager manager;
  OItemMask* mask = nullptr;
};

TEST_F(SceneJumpItemTest, EachClickStepsOnAndEnteringAStateRunsItsAction) {
  OSceneJumpItem* stairs = Stairs();
  EXPECT_EQ(Registry("stairs"), "none") << "state 0 writes nothing";
  struct Step {
    bool taken;
    const char* state;
    float x, y;
    const char* middle;
    const char* top;
  } steps[] = {
      {true, "1", 3, 4, "true", "null"},
      {true, "2", 5, 6, "true", "true"},
      {false, "2", 5, 6, "true", "true"},  // the last state declines
  };
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  EXPECT_EQ(flags->GetValue("stairs_middle"), "null");
  for (const Step& s : steps) {
    EXPECT_EQ(stairs->OnMaskClick(mask), s.taken) << s.state;
    EXPECT_EQ(StateOf(stairs, "main"), s.state);
    EXPECT_EQ(StateOf(stairs, "knob"), s.state) << "every child takes the state";
    EXPECT_EQ(stairs->GetObject()->deltaX, s.x);
    EXPECT_EQ(stairs->GetObject()->deltaY, s.y);
    EXPECT_EQ(Registry("stairs"), s.state);
    EXPECT_EQ(flags->GetValue("stairs_middle"), s.middle) << s.state;
    EXPECT_EQ(flags->GetValue("stairs_top"), s.top) << s.state;
  }
}

TEST_F(SceneJumpItemTest, TheRegistryBringsItBackInAStateItHas) {
  struct Case {
    int32_t saved;
    const char* shown;
  } cases[] = {{1, "1"}, {2, "2"}, {7, "2"}, {-3, "0"}};
  for (const Case& c : cases) {
    OItemsRegistry::GetInstance()->SetState("stairs", c.saved);
    OSceneJumpItem* stairs = Stairs();
    EXPECT_EQ(StateOf(stairs, "main"), c.shown) << c.saved;
    EXPECT_EQ(stairs->OwnsMask(mask), true) << c.saved;
    manager.RemoveItem(stairs);
    delete stairs;
  }
}
}  // namespace
