// Inventories and their cells: laying out, storing, taking, swapping, and
// the item in hand used on the stored one.

#include "PanelTestUtil.h"
#include "items/OBasementFlaskItem.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"

namespace {

class InventoryTest : public BuiltPanelTest {
 protected:
  void SetUp() override {
    BuiltPanelTest::SetUp();
    mMain = mPanel->GetMainInventory();
  }
  GInventoryCell* Cell(int i) { return mMain->GetCell(i); }
  // A click on the cell, as the mouse's release reaches it.
  void Click(int i) { Cell(i)->OnMouseUp(TPoint(1, 1)); }
  // The cell's item's name, "-" when empty.
  str In(int i) { return Cell(i)->GetItem() ? Cell(i)->GetItem()->GetName() : str("-"); }
  str Hand() { return Held() ? Held()->GetName() : str("-"); }

  GInventory* mMain = nullptr;
};

TEST_F(InventoryTest, OnlyCellsThatExistAreLaidOut) {
  GInventory* plants = mPanel->GetInventory(GGamePanel::kPlantsInventory);  // 3 cells, 5 places
  EXPECT_EQ(plants->GetChildren().size(), 3u);
  plants->SetFirstCell(1);
  plants->LayOut();
  ASSERT_EQ(plants->GetChildren().size(), 2u);
  EXPECT_EQ(plants->GetChildren()[0], plants->GetCell(1));
  EXPECT_EQ(plants->GetCell(1)->GetX(), 0) << "the first place";
  EXPECT_EQ(plants->GetLastFirstCell(), 0);
  EXPECT_TRUE(plants->IsOverCell(TPoint(15, 5)));
  EXPECT_FALSE(plants->IsOverCell(TPoint(25, 5))) << "a place without a cell";
}

TEST_F(InventoryTest, StoreTakeAndSwapSendTheirEventsInOrder) {
  struct Step {
    const char* give;  // made for the hand first, "" for none
    const char* hand;
    const char* cell;
    const char* events;
  } steps[] = {
      {"apple", "-", "apple", "item_inventory_push apple"},
      {"", "apple", "-", "item_get apple"},
      {"", "-", "apple", "item_inventory_push apple"},
      {"key", "apple", "key", "item_inventory_push key, item_get apple"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.events);
    if (*s.give) {
      ASSERT_TRUE(Give(s.give));
    }
    size_t seen = Events().size();
    Click(0);
    EXPECT_EQ(Hand(), s.hand);
    EXPECT_EQ(In(0), s.cell);
    EXPECT_EQ(EventsSince(seen), s.events);
  }
  // The stored item stands at the cell, its visual in the inventory's state.
  IItem* key = Cell(0)->GetItem();
  EXPECT_EQ(key->GetObject()->deltaX, float(Cell(0)->GetX()));
  EXPECT_EQ(key->GetObject()->deltaY, float(Cell(0)->GetY()));
  EXPECT_TRUE(key->IsInInventory());
}

TEST_F(InventoryTest, ADisabledCellOrASleepingPlayerChangesNothing) {
  Give("apple");
  Cell(0)->SetDisabled(true);
  Click(0);
  EXPECT_EQ(Hand(), "apple");
  Cell(0)->SetDisabled(false);
  OFlagsRegistry::GetInstance()->SetValue("are_we_sleeping", "true");
  size_t seen = Events().size();
  Click(0);
  EXPECT_EQ(Hand(), "apple");
  EXPECT_EQ(EventsSince(seen), "");
}

TEST_F(InventoryTest, TheShearsCutTheRopeAndStayInHand) {
  Give("rope");
  Click(1);
  Give("shears");
  Click(1);
  EXPECT_EQ(In(1), "rope_cut");
  EXPECT_EQ(Hand(), "shears");
}

TEST_F(InventoryTest, ARuleThatMakesNothingLeavesBothItems) {
  struct Case {
    const char* stored;
    const char* held;
    const char* rule;
  } cases[] = {
      {"apple", "coin", "a tablet that cannot be made"},
      {"apple", "key", "a spell on two items, neither a flask"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    Cell(2)->DeleteItem();
    GMousePointer::PeekManager()->DeleteHeldItem();
    Give(c.stored);
    Click(2);
    IItem* held = Give(c.held);
    IItem* stored = Cell(2)->GetItem();
    EXPECT_FALSE(Cell(2)->UseHeldItem(TPoint(1, 1)));
    EXPECT_EQ(Held(), held);
    EXPECT_EQ(Cell(2)->GetItem(), stored);
    // The click then swaps them as it would any pair.
    Click(2);
    EXPECT_EQ(Hand(), c.stored);
    EXPECT_EQ(In(2), c.held);
  }
}

TEST_F(InventoryTest, ASpellOnAStoredFlaskFillsItAndUsesUpTheHeldItem) {
  IItem* flask = Give("phial");
  Click(3);
  ASSERT_EQ(Cell(3)->GetItem(), flask);
  Give("coin");
  Click(3);
  EXPECT_EQ(Cell(3)->GetItem(), flask);
  EXPECT_EQ(flask->GetCurrentName(), "flask_water");
  EXPECT_EQ(Hand(), "-");
}

TEST_F(InventoryTest, OnlyABurningMatchBurnsAStoredItem) {
  Give("key");
  Click(0);
  IItem* taper = Give("taper");
  EXPECT_FALSE(Cell(0)->UseHeldItem(TPoint(1, 1))) << "an unlit box burns nothing";
  EXPECT_EQ(In(0), "key");
  taper->Use(TPoint(1, 1));
  ASSERT_EQ(taper->GetCurrentName(), "match");
  EXPECT_TRUE(Cell(0)->UseHeldItem(TPoint(1, 1)));
  EXPECT_EQ(In(0), "rope_cut");
  EXPECT_EQ(taper->GetCurrentName(), "taper") << "the match went out";
}

}  // namespace
