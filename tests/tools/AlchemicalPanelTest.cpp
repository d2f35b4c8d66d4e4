// The recipe tests, the device panel with its slide and its cells, and the
// potion window.

#include "sdk/TReport.h"
#include "tools/AlchemyTestUtil.h"
#include "tools/alchemy/OAlchemicalRecipes.h"

namespace {

std::vector<str> Split(const str& text) {
  std::vector<str> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == str::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

str Join(const std::vector<int>& values) {
  str text;
  for (int v : values) text += (text.empty() ? "" : " ") + str::format("%d", v);
  return text;
}

// Recipes in document order: "ab" is [A] then [A or B]; "aa" is [A], [A];
// "ba" is [A or B] then [A]; "twin" repeats "ab" under another id; "dry" has
// no entries.
const char* const kRecipes =
    "<recipes>"
    "<r id='ab'><liquid>water</liquid><ingredients><ingredient>A</ingredient>"
    "<any><i>A</i><i>B</i></any></ingredients></r>"
    "<r id='aa'><liquid>oil</liquid><ingredients><ingredient>A</ingredient><ingredient>A</ingredient>"
    "</ingredients></r>"
    "<r id='ba'><liquid>milk</liquid><ingredients><any><i>A</i><i>B</i></any><ingredient>A</ingredient>"
    "</ingredients></r>"
    "<r id='twin'><liquid>water</liquid><ingredients><ingredient>A</ingredient>"
    "<any><i>A</i><i>B</i></any></ingredients></r>"
    "<r id='dry'><liquid>water</liquid></r>"
    "</recipes>";

TEST(AlchemicalRecipesTest, ExactMatchCountsItemsAndTakesTheFirstRecipe) {
  TXmlNode node;
  ASSERT_TRUE(node.ParseString(kRecipes));
  OAlchemicalRecipes recipes;
  recipes.Load(&node);
  ASSERT_EQ(recipes.Count(), 5);
  struct Case {
    const char* contents;
    const char* liquid;
    int exact;
  } cases[] = {
      {"A B", "water", 0},                        // "twin" is the same recipe later in the document
      {"B A", "water", 0},  {"A A", "water", 0},  // an item may serve both entries
      {"A", "water", -1},                         // one item, two entries
      {"B B", "water", -1},                       // nothing accepts B in the first entry
      {"A B", "wine", -1},                        // the liquid decides too
      {"A B", "oil", 1},                          // B is counted, though no entry of [A], [A] wants it
      {"A A", "oil", 1},    {"A B C", "water", -1},
      {"", "water", 4},  // only the liquid: the recipe without entries
      {"", "", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(recipes.FindExact(Split(c.contents), c.liquid), c.exact) << c.contents << " in " << c.liquid;
  EXPECT_EQ(recipes.FindById("ba"), 2);
  EXPECT_EQ(recipes.FindById("none"), -1);
}

TEST(AlchemicalRecipesTest, ActiveRecipeTestsTakeEntriesInOrder) {
  TXmlNode node;
  ASSERT_TRUE(node.ParseString(kRecipes));
  OAlchemicalRecipes recipes;
  recipes.Load(&node);
  struct Case {
    const char* recipe;
    const char* contents;
    bool all;
    const char* unnecessary;  // positions in the contents
  } cases[] = {
      {"ab", "A", true, ""},  // entries may share an item: all there, no exact match
      {"ab", "A B", true, ""},       {"ab", "B", false, ""},  // B fills [A or B]; [A] stays empty
      {"ab", "A B C", true, "2"},    {"ab", "A A A", true, "2"},
      {"aa", "A A", true, ""},                                  // the same item in two entries
      {"aa", "A", true, ""},         {"ba", "A B", true, "1"},  // A takes [A or B] first, so B finds no room
      {"ba", "B A", true, ""},       {"dry", "A", true, "0"},
      {"none", "A B", false, "0 1"},  // no recipe: nothing is needed
  };
  for (const Case& c : cases) {
    int index = recipes.FindById(c.recipe);
    std::vector<str> contents = Split(c.contents);
    EXPECT_EQ(recipes.HasAllIngredients(index, contents), c.all) << c.recipe << ": " << c.contents;
    EXPECT_EQ(Join(recipes.FindUnnecessary(index, contents)), c.unnecessary)
        << c.recipe << ": " << c.contents;
    EXPECT_EQ(recipes.HasNoUnnecessaryItems(index, contents), str(c.unnecessary).empty());
  }
  EXPECT_TRUE(recipes.IsLiquid(2, "milk"));
  EXPECT_FALSE(recipes.IsLiquid(2, "water"));
  EXPECT_FALSE(recipes.IsLiquid(9, ""));
}

class AlchemicalPanelTest : public AlchemyTest {
 protected:
  // An item for the cells, with its visual.
  IItem* Make(const str& name) {
    IItem* item = OItemFactory::CreateForInventory(name, manager.get());
    EXPECT_NE(item, nullptr) << name;
    item->CreateObject();
    return item;
  }
  static float Alpha(IItem* item) { return item->GetObject()->alpha; }
  static bool Visible(IItem* item) { return item->GetObject()->visible != 0; }
  int Y() const { return panel->GetWindowRect().top; }
};

TEST_F(AlchemicalPanelTest, CellsStandWhereConfiguredOnceTheSlideInIsOver) {
  // Wait 4, three points: shown 4 + 3 - 1 = 6 ticks after the slide starts.
  ASSERT_EQ(panel->GetCells().size(), 3u);
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kHidden);
  EXPECT_EQ(Y(), 600);
  panel->SetSlideState(GAlchemicalDevicePanel::kSlidingIn);
  std::vector<int> ys;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kSlidingIn) << "tick " << i;
    panel->Update();
    ys.push_back(Y());
  }
  EXPECT_EQ(Join(ys), "600 600 600 600 550 500");
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kShown);
  TRect cell = panel->GetCell(1)->GetWindowRect();
  EXPECT_EQ(cell.left, 140);
  EXPECT_EQ(cell.top, 510);
  EXPECT_EQ(cell.right - cell.left, 30);

  // Out along the path in reverse: n - 1 ticks.
  panel->SetSlideState(GAlchemicalDevicePanel::kSlidingOut);
  ys.clear();
  for (int i = 0; i < 2; ++i) {
    panel->Update();
    ys.push_back(Y());
  }
  EXPECT_EQ(Join(ys), "550 600");
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kHidden);
}

TEST_F(AlchemicalPanelTest, SlidesAlongUnderTwoPointsEndOnTheirFirstTick) {
  for (const char* path : {"", "<p x='5' y='7'/>"}) {
    TXmlNode node;
    ASSERT_TRUE(node.ParseString(str("<c wait_before_show_ticks='0'><anim>") + path + "</anim></c>"));
    GAlchemicalDevicePanel short_panel;
    short_panel.Fill(&node);
    short_panel.SetSlideState(GAlchemicalDevicePanel::kSlidingIn);
    short_panel.Update();
    EXPECT_EQ(short_panel.GetSlideState(), GAlchemicalDevicePanel::kShown) << path;
    short_panel.SetSlideState(GAlchemicalDevicePanel::kSlidingOut);
    short_panel.Update();
    EXPECT_EQ(short_panel.GetSlideState(), GAlchemicalDevicePanel::kHidden) << path;
  }
}

TEST_F(AlchemicalPanelTest, HugePlacesAndSizesAreHeldToTheContentRange) {
  struct Case {
    const char* anim;
    const char* cells;
    int panelX, cellLeft, cellWidth;
  } cases[] = {
      {"<p x='99999999999' y='0'/>", "<cells width='30' height='30'><c x='10' y='0'/></cells>", 100000, 10,
       30},
      {"<p x='0' y='0'/>", "<cells width='99999999999' height='30'><c x='10' y='0'/></cells>", 0, 10, 100000},
      {"<p x='0' y='0'/>", "<cells width='30' height='30'><c x='99999999999' y='0'/></cells>", 0, 100000, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str(c.anim) + c.cells);
    TXmlNode node;
    ASSERT_TRUE(node.ParseString(str("<c wait_before_show_ticks='0'><anim>") + c.anim + "</anim>" + c.cells +
                                 "</c>"));
    GAlchemicalDevicePanel far;
    size_t before = ReportCount();
    far.Fill(&node);
    EXPECT_EQ(ReportCount() - before, 1u);
    far.SetSlideState(GAlchemicalDevicePanel::kSlidingIn);
    far.Update();
    ASSERT_EQ(far.GetCells().size(), 1u);
    TRect cell = far.GetCell(0)->GetWindowRect();
    EXPECT_EQ(far.GetWindowRect().left, c.panelX);
    EXPECT_EQ(cell.left, c.cellLeft);
    EXPECT_EQ(cell.right - cell.left, c.cellWidth);
  }
}

TEST_F(AlchemicalPanelTest, ItemsFadeInAndOutOverTenTicksOfTheShownPanel) {
  IItem* herb = Make("herb");
  ASSERT_TRUE(panel->PutItem(herb));
  GAlchemicalDeviceCell* cell = panel->GetCell(0);
  EXPECT_EQ(cell->GetCellState(), GAlchemicalDeviceCell::kFilling);
  panel->Update();  // hidden: the cells wait
  EXPECT_EQ(cell->GetCounter(), 0);

  panel->SetSlideState(GAlchemicalDevicePanel::kShown);
  std::vector<float> alphas;
  for (int i = 0; i < 10; ++i) {
    panel->Update();
    alphas.push_back(Alpha(herb));
  }
  EXPECT_FLOAT_EQ(alphas[0], 0.1f);
  EXPECT_FLOAT_EQ(alphas[4], 0.5f);
  EXPECT_FLOAT_EQ(alphas[9], 1.0f);
  EXPECT_EQ(cell->GetCellState(), GAlchemicalDeviceCell::kFull);

  panel->StartEmptying({0});
  for (int i = 0; i < 9; ++i) panel->Update();
  EXPECT_NEAR(Alpha(herb), 0.1f, 1e-6);
  EXPECT_TRUE(Visible(herb));
  EXPECT_EQ(cell->GetCellState(), GAlchemicalDeviceCell::kEmptying);
  panel->Update();
  EXPECT_FALSE(Visible(herb));
  EXPECT_EQ(cell->GetCellState(), GAlchemicalDeviceCell::kEmptied);
}

TEST_F(AlchemicalPanelTest, TakingAnItemBackCompactsTheCells) {
  IItem* first = Make("herb");
  IItem* second = Make("root");
  IItem* third = Make("bark");
  for (IItem* item : {first, second, third}) ASSERT_TRUE(panel->PutItemFull(item));
  EXPECT_FALSE(panel->HasEmptyCell());
  IItem* fourth = Make("seed");
  EXPECT_FALSE(panel->PutItem(fourth));
  delete fourth;
  panel->SetSlideState(GAlchemicalDevicePanel::kShown);
  Hold("");

  panel->GetCell(1)->OnMouseUp(TPoint(5, 5));
  EXPECT_EQ(Held(), "root");
  EXPECT_EQ(Cells(), "herb bark -");
  EXPECT_EQ(panel->GetCell(1)->GetCellState(), GAlchemicalDeviceCell::kFull);
  EXPECT_EQ(panel->GetCell(2)->GetCellState(), GAlchemicalDeviceCell::kEmpty);
  EXPECT_EQ(Registry("bark"), "3");

  // A full hand, a fade, a locked item or a paused scene keep the item.
  panel->GetCell(0)->OnMouseUp(TPoint(5, 5));
  EXPECT_EQ(Cells(), "herb bark -");
  Hold("");
  panel->SetLockedItems({"herb"});
  panel->GetCell(0)->OnMouseUp(TPoint(5, 5));
  EXPECT_EQ(Cells(), "herb bark -");
  panel->SetLockedItems({});
  panel->SetPaused(true);
  panel->GetCell(0)->OnMouseUp(TPoint(5, 5));
  EXPECT_EQ(Cells(), "herb bark -");
  panel->SetPaused(false);

  // The last item out of a panel without liquid: it slides away.
  panel->GetCell(0)->OnMouseUp(TPoint(5, 5));
  Hold("");
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kShown);
  panel->GetCell(0)->OnMouseUp(TPoint(5, 5));
  EXPECT_EQ(Cells(), "- - -");
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kSlidingOut);
}

TEST_F(AlchemicalPanelTest, TheOnlyItemTakenBackLeavesAPanelWithLiquidShown) {
  ASSERT_TRUE(panel->SetLiquid("water", "liquid", "anim/", 300, 400));
  ASSERT_TRUE(panel->PutItemFull(Make("herb")));
  panel->SetSlideState(GAlchemicalDevicePanel::kShown);
  Hold("");
  panel->GetCell(0)->OnMouseUp(TPoint(5, 5));
  EXPECT_EQ(Held(), "herb");
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kShown);
}

TEST_F(AlchemicalPanelTest, ALiquidFillsOnTheNextShownTickAndARestoredOneBoils) {
  ASSERT_TRUE(panel->SetLiquid("water", "liquid", "anim/", 300, 400));
  ASSERT_NE(panel->GetLiquidObject(), nullptr);
  GVObject* liquid = panel->GetLiquidObject()->GetChild("main");
  ASSERT_NE(liquid, nullptr);
  EXPECT_EQ(liquid->GetState().ToStr(), "normal");
  EXPECT_FALSE(panel->GetLiquidObject()->visible);
  EXPECT_FLOAT_EQ(panel->GetLiquidObject()->deltaX, 300);
  EXPECT_FALSE(panel->SetLiquid("oil", "liquid", "anim/", 1, 1));
  EXPECT_EQ(panel->GetLiquidName(), "water");
  panel->Update();  // hidden
  EXPECT_EQ(liquid->GetState().ToStr(), "normal");
  panel->SetSlideState(GAlchemicalDevicePanel::kShown);
  panel->Update();
  EXPECT_EQ(liquid->GetState().ToStr(), "stFilling");
  EXPECT_TRUE(panel->GetLiquidObject()->visible);

  panel->ClearAll();
  EXPECT_FALSE(panel->HasLiquid());
  ASSERT_TRUE(panel->SetBoilingLiquid("water", "liquid", "anim/", 300, 400));
  EXPECT_EQ(panel->GetLiquidObject()->GetChild("main")->GetState().ToStr(), "stBoiling");
  EXPECT_TRUE(panel->GetLiquidObject()->visible);
}

TEST_F(AlchemicalPanelTest, ListedCellsAreRemovedAfterTheirFadeAndTheRestMoveUp) {
  for (const char* name : {"herb", "rock", "bark"}) ASSERT_TRUE(panel->PutItemFull(Make(name)));
  panel->SetSlideState(GAlchemicalDevicePanel::kShown);
  panel->StartEmptying({0, 1});
  for (int i = 0; i < 10; ++i) panel->Update();
  EXPECT_EQ(panel->GetCell(0)->GetCellState(), GAlchemicalDeviceCell::kEmptied);
  EXPECT_EQ(panel->GetCell(1)->GetCellState(), GAlchemicalDeviceCell::kEmptied);
  panel->RemoveListedItems({0, 1});
  EXPECT_EQ(Cells(), "bark - -");
  EXPECT_EQ(Registry("herb"), "0");  // back in its scene
  EXPECT_EQ(Registry("rock"), "0");
  EXPECT_EQ(panel->GetCell(0)->GetCellState(), GAlchemicalDeviceCell::kFull);
}

// ---- the potion window ----

class PotionWindowTest : public AlchemyTest {
 protected:
  // The recipe's animation with `particles` added.
  TXmlNode* Animation(const str& particles = "") {
    TXmlNode* effects = Guide()->GetChild("effects");
    TXmlNode* animation = effects->GetChildAt(1)->GetChild("animation");
    if (!particles.empty()) {
      std::unique_ptr<TXmlNode> node(new TXmlNode());
      EXPECT_TRUE(node->ParseString(particles));
      animation->AdoptChild(std::move(node));
    }
    return animation;
  }
  // Ticks of the playing window at which a picture was shown.
  static str PlayTimes(OAlchemicalDevicePotionEffect& window, int ticks) {
    std::vector<int> times;
    size_t shown = window.GetChildren().size();
    for (int t = 1; t <= ticks && window.phase == OAlchemicalDevicePotionEffect::kPlaying; ++t) {
      window.Update();
      if (window.GetChildren().size() != shown) times.push_back(t);
      shown = window.GetChildren().size();
    }
    return Join(times);
  }
  static void Start(OAlchemicalDevicePotionEffect& window) {
    window.phase = OAlchemicalDevicePotionEffect::kPlaying;
    window.SetPhase(0);
  }
};

TEST_F(PotionWindowTest, PicturesFollowTheDelayAndStayOnceShown) {
  OAlchemicalDevicePotionEffect window;
  window.Load(Animation());
  ASSERT_EQ(window.GetImageCount(), 3);
  Start(window);
  EXPECT_EQ(PlayTimes(window, 100), "10 20 30");
  EXPECT_EQ(window.phase, OAlchemicalDevicePotionEffect::kComplete);
  EXPECT_EQ(window.GetChildren().size(), 3u);
  // The last shown is on top.
  EXPECT_EQ(window.GetChildren().back(), static_cast<TWindow*>(window.GetImage(2)));
}

TEST_F(PotionWindowTest, AParticleOfAFramePlaysForItsDelayBeforeThePicture) {
  OAlchemicalDevicePotionEffect window;
  window.Load(
      Animation("<particles><p file='scripts/fx.lua' frame='0' delay='25'/>"
                "<p file='scripts/fx.lua' frame='2' delay='3'/></particles>"));
  Start(window);
  EXPECT_TRUE(window.IsWaitingForParticle());
  EXPECT_NE(window.GetParticle(), nullptr);
  EXPECT_EQ(PlayTimes(window, 100), "25 35 38");
}

TEST_F(PotionWindowTest, WithParticlesOffThePicturesKeepTheirDelay) {
  UseQuietTree();
  TXmlNode* animation = Animation("<particles><p file='scripts/fx.lua' frame='0' delay='25'/></particles>");
  ASSERT_FALSE(OGameConfig::GetInstance()->AreParticlesEnabled());
  OAlchemicalDevicePotionEffect window;
  window.Load(animation);
  Start(window);
  EXPECT_FALSE(window.IsWaitingForParticle());
  EXPECT_EQ(PlayTimes(window, 100), "10 20 30");
}

TEST_F(PotionWindowTest, TheFadeTakesSixtyTicksAndTakesThePicturesOut) {
  OAlchemicalDevicePotionEffect window;
  window.Load(Animation());
  // A restored potion: every picture at once.
  window.phase = OAlchemicalDevicePotionEffect::kComplete;
  window.SetPhase(1);
  EXPECT_EQ(window.GetChildren().size(), 3u);
  window.phase = OAlchemicalDevicePotionEffect::kFading;
  window.SetPhase(2);
  for (int i = 0; i < 30; ++i) window.Update();
  EXPECT_FLOAT_EQ(window.GetImage(0)->GetAlpha(), 0.5f);
  for (int i = 0; i < 29; ++i) window.Update();
  EXPECT_EQ(window.phase, OAlchemicalDevicePotionEffect::kFading);
  window.Update();
  EXPECT_EQ(window.phase, OAlchemicalDevicePotionEffect::kFaded);
  EXPECT_TRUE(window.GetChildren().empty());
}

TEST_F(PotionWindowTest, WithoutPicturesThePotionIsCompleteAtOnce) {
  TXmlNode animation;
  ASSERT_TRUE(animation.ParseString("<animation delay='10'><images/></animation>"));
  OAlchemicalDevicePotionEffect window;
  window.Load(&animation);
  Start(window);
  window.Update();
  EXPECT_EQ(window.phase, OAlchemicalDevicePotionEffect::kComplete);
}

}  // namespace
