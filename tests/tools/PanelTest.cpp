// The game panel: what each kind shows, its backgrounds and their hit test,
// the lock, scrolling, and what it saves.

#include <algorithm>
#include <set>

#include "PanelTestUtil.h"
#include "sdk/TImage.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "tools/vethra/GVethraGlobe.h"
#include "visual/GInteractiveButton.h"

namespace {

// The names of the windows the panel shows, the current inventory as
// "inventory".
std::set<str> Shown(GGamePanel* panel) {
  std::set<str> names;
  for (TWindow* w : panel->GetChildren()) {
    if (w == panel->GetBackground()) continue;
    names.insert(w == panel->GetCurrentInventory() ? str("inventory") : w->GetName());
  }
  return names;
}

TEST_F(PanelTest, EachKindShowsItsBackgroundChildrenAndInventory) {
  const std::set<str> passages = {"btn_passage_left", "btn_passage_right", "btn_passage_top",
                                  "btn_passage_bottom"};
  const std::set<str> arrows = {"btn_inventory_left", "btn_inventory_right"};
  auto join = [](std::initializer_list<std::set<str>> parts) {
    std::set<str> all;
    for (const auto& part : parts) all.insert(part.begin(), part.end());
    return all;
  };
  const std::set<str> play =
      join({passages, arrows, {"magic_control", "quest_book_control", "menu_button", "inventory"}});
  const std::set<str> playGlobe = join({play, {"globe"}});
  struct Case {
    int kind;
    int background;
    int inventory;  // the current inventory's index
    std::set<str> shown;
  } cases[] = {
      {0, GGamePanel::kCommon, GGamePanel::kMainInventory, playGlobe},
      {1, GGamePanel::kCommon, GGamePanel::kMainInventory, join({play, {"alchemical_stub", "btn_done"}})},
      {2, GGamePanel::kCommon, GGamePanel::kMainInventory,
       join({playGlobe, {"btn_globe", "btn_globe_rotation_left", "btn_globe_rotation_right"}})},
      {3,
       GGamePanel::kFullScreenBg,
       GGamePanel::kMainInventory,
       {"btn_exit", "quest_book_control", "menu_button"}},
      {4, GGamePanel::kGameOverBg, GGamePanel::kMainInventory, {}},
      {5, GGamePanel::kCommon, GGamePanel::kMainInventory, playGlobe},
      {6, GGamePanel::kKingCook, GGamePanel::kCookInventory,
       join({arrows,
             {"btn_done", "btn_cook_clear", "progress_bar_king_cook", "cook_book_button", "menu_button",
              "inventory"}})},
      {7,
       GGamePanel::kAlchemical,
       GGamePanel::kMainInventory,
       {"btn_done", "btn_exit_minigame", "menu_button"}},
      {8, GGamePanel::kCommon, GGamePanel::kMirrorsInventory,
       join({arrows, {"btn_done", "btn_clear", "inactive_quest_image", "menu_button", "inventory"}})},
      {9, GGamePanel::kCommon, GGamePanel::kFishingInventory,
       join({arrows, {"btn_done", "btn_clear", "inactive_quest_image", "menu_button", "inventory"}})},
      {10, GGamePanel::kCommon, GGamePanel::kMainInventory, {"inactive_quest_image", "menu_button"}},
      {11, GGamePanel::kCommon, GGamePanel::kPlantsInventory,
       join({arrows, {"btn_done", "btn_exit_minigame", "menu_button", "inventory"}})},
      {12, GGamePanel::kFullScreenBg, GGamePanel::kMainInventory, {"inactive_quest_image", "menu_button"}},
      {13, GGamePanel::kFullScreenBg, GGamePanel::kMainInventory, {"inactive_quest_image", "menu_button"}},
  };
  std::unique_ptr<GGamePanel> panel = Build();
  ASSERT_TRUE(panel);
  EXPECT_TRUE(panel->GetChildren().empty()) << "nothing shows before a kind is set";
  int previous = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    panel->SetKind(c.kind);
    EXPECT_EQ(panel->GetBackgroundId(), c.background);
    EXPECT_EQ(panel->GetCurrentInventory(), panel->GetInventory(c.inventory));
    EXPECT_EQ(Shown(panel.get()), c.shown);
    // The globe is active only in the Vethra; the full-screen and game-over
    // kinds leave it as the kind before set it.
    bool active = c.kind == 2 || ((c.kind == 3 || c.kind == 4) && previous == 2);
    EXPECT_EQ(panel->GetGlobe()->GetMode() != GVethraGlobe::kInactive, active);
    previous = c.kind == 3 || c.kind == 4 ? previous : c.kind;
    // The game-over kind has no picture in the fixture: no background then.
    EXPECT_EQ(panel->GetBackground() != nullptr, c.kind != 4);
    if (panel->GetBackground()) {
      EXPECT_EQ(panel->GetChildren().front(), panel->GetBackground()) << "under the rest";
    }
  }
}

TEST_F(PanelTest, KindsThatShareABackgroundKeepTheImage) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(6);
  ASSERT_TRUE(panel->GetBackground());
  EXPECT_EQ(panel->GetBackgroundId(), GGamePanel::kKingCook);
  // Held here so that the next picture cannot take the freed one's address.
  TTextureRef cook = panel->GetBackground()->GetTexture();
  panel->SetKind(1);
  TImage* common = panel->GetBackground();
  ASSERT_TRUE(common);
  EXPECT_NE(common->GetTexture(), cook);
  EXPECT_EQ(panel->GetBackgroundId(), GGamePanel::kCommon);
  panel->SetKind(0);
  panel->SetKind(9);
  EXPECT_EQ(panel->GetBackground(), common);
}

TEST_F(PanelTest, AStyleWithoutChildrenShowsOnlyBackgroundAndInventory) {
  std::unique_ptr<GGamePanel> panel = Build("scripts/bare_panel.lua");
  ASSERT_TRUE(panel);
  for (int kind = 0; kind <= 13; ++kind) {
    panel->SetKind(kind);
    panel->Lock();
    panel->Update();
    panel->Unlock();
    panel->onInventoryNext();
  }
  panel->SetKind(0);
  EXPECT_EQ(Shown(panel.get()), (std::set<str>{"globe", "inventory"})) << "the globe is no styled child";
  EXPECT_EQ(panel->GetMagicControl(), nullptr);
  EXPECT_EQ(panel->GetQuestBookControl(), nullptr);
}

TEST_F(PanelTest, OnlyFullyOpaquePixelsOfTheBackgroundHit) {
  std::unique_ptr<GGamePanel> panel = Build();
  EXPECT_FALSE(panel->HitTest(TPoint(10, 20))) << "no background yet";
  panel->SetKind(0);  // bg.png at (10, 20): alpha 255, 254, 0
  struct Case {
    float x, y;
    bool hit;
  } cases[] = {
      {10, 20, true},  {11, 20, false}, {12, 20, false}, {9, 20, false},
      {13, 20, false}, {10, 21, false}, {10, 19, false},
  };
  for (const Case& c : cases) EXPECT_EQ(panel->HitTest(TPoint(c.x, c.y)), c.hit) << c.x << "," << c.y;
  panel->SetKind(4);
  EXPECT_FALSE(panel->HitTest(TPoint(10, 20))) << "a kind without a picture covers nothing";
}

TEST_F(PanelTest, LockDisablesCellsAndPassagesAndUnlockGivesBackTheScenesPassages) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  panel->SetPassages({false, true, true, false, true});
  auto live = [&] {
    str out;
    for (int i = 0; i < GGamePanel::kPassageButtons; ++i)
      out += panel->GetPassageButton(i)->IsEnabled() ? "1" : "0";
    return out;
  };
  EXPECT_EQ(live(), "0110");
  panel->Lock();
  EXPECT_EQ(live(), "0000");
  EXPECT_TRUE(panel->GetMainInventory()->GetCell(0)->IsDisabled());
  panel->SetPassages({true, true, true, true, true});
  EXPECT_EQ(live(), "0000") << "still locked";
  panel->Unlock();
  EXPECT_EQ(live(), "1111");
  EXPECT_FALSE(panel->GetMainInventory()->GetCell(3)->IsDisabled());
  panel->SetPassages({true});
  EXPECT_EQ(live(), "1000") << "a short list leaves the rest without passage";
}

TEST_F(PanelTest, ScrollingStopsAtBothEndsAndActsOnTheCurrentInventory) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(7);                             // the tag game shows no inventory, yet the main one scrolls
  GInventory* main = panel->GetMainInventory();  // 4 cells, 2 shown
  auto arrows = [&] {
    return str(static_cast<GInteractiveButton*>(panel->GetNamedChild("btn_inventory_left"))->IsEnabled()
                   ? "<"
                   : "-") +
           (static_cast<GInteractiveButton*>(panel->GetNamedChild("btn_inventory_right"))->IsEnabled() ? ">"
                                                                                                       : "-");
  };
  EXPECT_EQ(arrows(), "->");
  std::vector<int> firsts;
  for (int i = 0; i < 4; ++i) {
    panel->onInventoryNext();
    firsts.push_back(main->GetFirstCell());
  }
  EXPECT_EQ(firsts, (std::vector<int>{1, 2, 2, 2}));
  EXPECT_EQ(arrows(), "<-");
  EXPECT_EQ(main->GetChildren().size(), 2u);
  EXPECT_EQ(main->GetChildren()[0], main->GetCell(2));
  panel->onInventoryPrev();
  panel->onInventoryPrev();
  panel->onInventoryPrev();
  EXPECT_EQ(main->GetFirstCell(), 0);
  panel->SetKind(6);
  panel->onInventoryNext();
  EXPECT_EQ(main->GetFirstCell(), 0);
  EXPECT_EQ(panel->GetInventory(GGamePanel::kCookInventory)->GetFirstCell(), 1);
}

TEST_F(PanelTest, OnlyTheCurrentInventoryIsAskedForAnItem) {
  ReadyPointer();
  std::unique_ptr<GGamePanel> panel = Build();
  ASSERT_TRUE(panel->GetMainInventory()->GetCell(3)->PutItem(Give("key")));
  GMousePointer::GetInstance()->ReleaseItem();
  panel->SetKind(0);
  EXPECT_TRUE(panel->HasItem("key"));
  EXPECT_FALSE(panel->HasItem("coin"));
  panel->SetKind(6);
  EXPECT_FALSE(panel->HasItem("key")) << "the cooking game asks its own strip";
}

TEST_F(PanelTest, SavesEveryInventoryInItsOrderWithEveryCell) {
  ReadyPointer();
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  ASSERT_TRUE(panel->GetMainInventory()->GetCell(1)->PutItem(Give("key")));
  GMousePointer::GetInstance()->ReleaseItem();
  panel->onInventoryNext();
  TXmlNode save("save");
  panel->Save(&save);
  TXmlNode* node = save.GetChild("panel");
  ASSERT_TRUE(node);
  std::vector<str> names;
  for (size_t i = 0; i < node->GetChildCount(); ++i) names.push_back(node->GetChildAt(i)->GetName());
  EXPECT_EQ(names, (std::vector<str>{"main_inventory", "cook_inventory", "plants_inventory",
                                     "mirrors_inventory", "fishing_inventory", "magic_control"}));
  TXmlNode* main = node->GetChild("main_inventory");
  EXPECT_EQ(main->GetAttribute("first_cell"), "1");
  str cells;
  for (size_t i = 0; i < main->GetChildCount(); ++i) {
    TXmlNode* cell = main->GetChildAt(i);
    cells += " " + cell->GetName();
    if (cell->HasAttribute("item_id")) cells += "=" + cell->GetAttribute("item_id");
  }
  EXPECT_EQ(cells, " cell0 cell1=key cell2 cell3") << "every cell, an item only where there is one";
  EXPECT_EQ(node->GetChild("plants_inventory")->GetChildCount(), 3u);
}

TEST_F(PanelTest, LoadingEmptiesTheCellsAndTakesOnlyWhatReadsBack) {
  ReadyPointer();
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  GInventory* main = panel->GetMainInventory();
  struct Case {
    const char* panel;  // the "panel" element, "" for none
    int first;
    const char* items;
  } cases[] = {
      {"<panel><main_inventory first_cell='1'><cell0 item_id='apple'/><cell3 "
       "item_id='coin'/></main_inventory></panel>",
       1, "apple,-,-,coin"},
      // Past the end, below the start, a missing cell, an unknown item.
      {"<panel><main_inventory first_cell='99'><cell1 item_id='nothing'/><cell2 "
       "item_id='key'/></main_inventory></panel>",
       2, "-,-,key,-"},
      {"<panel><main_inventory first_cell='-3'/></panel>", 0, "-,-,-,-"},
      {"", 0, "-,-,-,-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.panel);
    main->GetCell(0)->DeleteItem();
    ASSERT_TRUE(main->GetCell(0)->PutItem(Give("rope")));
    GMousePointer::GetInstance()->ReleaseItem();
    TXmlNode save("save");
    if (*c.panel) {
      std::unique_ptr<TXmlNode> node(new TXmlNode());
      ASSERT_TRUE(node->ParseString(c.panel));
      save.AdoptChild(std::move(node));
    }
    panel->Load(&save);
    EXPECT_EQ(main->GetFirstCell(), c.first);
    str items;
    for (GInventoryCell* cell : main->GetCells())
      items += (items.empty() ? "" : ",") + (cell->GetItem() ? cell->GetItem()->GetName() : str("-"));
    EXPECT_EQ(items, c.items);
  }
}

TEST_F(PanelTest, TheAlchemicalEffectsLeaveWhenTheirScriptsSaySo) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->PlayAlchemicalPanelEffects();
  TFxSpriteRef left = panel->GetLeftEffect(), right = panel->GetRightEffect();
  ASSERT_TRUE(left && right);
  EXPECT_EQ(panel->GetSpriteRoot()->GetChildren().size(), 2u);
  EXPECT_EQ(left->GetPosition().x, 5);
  EXPECT_EQ(right->GetPosition().y, 8);
  left->GetScript()->DoLuaString("removeEffect()", 0);
  EXPECT_TRUE(left->GetParticleSystem()->IsDone());
  EXPECT_FALSE(right->GetParticleSystem()->IsDone());
  right->GetScript()->DoLuaString("removeEffect() removeEffect()", 0);
  left->GetScript()->DoLuaString("removeEffect()", 0);
  EXPECT_TRUE(right->GetParticleSystem()->IsDone());
  panel->GetSpriteRoot()->Draw(TDrawSpec());  // applies the removals
  EXPECT_TRUE(panel->GetSpriteRoot()->GetChildren().empty()) << "nothing more is drawn";
  // Played again: two fresh effects.
  panel->PlayAlchemicalPanelEffects();
  EXPECT_NE(panel->GetLeftEffect(), left);
  EXPECT_EQ(panel->GetSpriteRoot()->GetChildren().size(), 2u);
}

}  // namespace
