// The cooking items: the dish's rating, products, tools, stages, clearing
// and saved state; the board's four kinds of click and its record in the
// drop-zone registry; what the cut, dust and tool pieces give back; and the
// cooking scene that the dishes report to.

#include "ItemsTestUtil.h"
#include "game/GFullScreenGameScene.h"
#include "game/ODropZonesRegistry.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/OCookCutItem.h"
#include "items/OCookDeskItem.h"
#include "items/OCookDishItem.h"
#include "items/OItemFactory.h"
#include "minigames/cook/GCookScene.h"
#include "visual/TProgressBar.h"
#include "rules/hints/OHintsManager.h"
#include "sdk/TReport.h"

namespace {
// The products every test dish knows: "a" twice, so that it can be applied
// twice, and b to e and z; all show the layer "layer". "keep" stays in the
// hand, "swap" gives "gem" back, "jam" needs an "a" left to apply, "bare"
// has no layer in the visual, and the cut leek is a product too.
const char* const kProducts =
    "<products><p id='a' name='a' layer='layer'/><p id='a' name='a' layer='layer'/>"
    "<p id='b' name='b' layer='layer'/><p id='c' name='c' layer='layer'/><p id='d' name='d' layer='layer'/>"
    "<p id='e' name='e' layer='layer'/><p id='z' name='z' layer='layer'/>"
    "<p id='k' name='keep' layer='layer' keep='true'/><p id='s' name='swap' layer='layer' return='gem'/>"
    "<p id='j' name='jam' layer='layer' link='a'/><p id='x' name='bare' layer='missing'/>"
    "<p id='c' name='leek_cut' layer='layer'/></products>";

class CookItemsTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    pointer = ReadyPointer()->GetManager();
    // Products and tools the tests hand over.
    Guide(
        "<a><gvobject name='item_box'>anim/</gvobject></a><b><gvobject name='item_box'>anim/</gvobject></b>"
        "<z><gvobject name='item_box'>anim/</gvobject></z><keep><gvobject "
        "name='item_box'>anim/</gvobject></keep>"
        "<swap><gvobject name='item_box'>anim/</gvobject></swap>"
        "<jam><gvobject name='item_box'>anim/</gvobject></jam><bare><gvobject "
        "name='item_box'>anim/</gvobject></bare>"
        "<whisk type='cook_tool'><gvobject name='item_box'>anim/</gvobject></whisk>"
        "<ladle type='cook_tool'><gvobject name='item_box'>anim/</gvobject></ladle>"
        "<soup><gvobject name='item_box'>anim/</gvobject></soup>");
  }
  void TearDown() override {
    pointer->DeleteHeldItem();
    manager.Clear();
    GMousePointer::DestroyInstance();
    DeleteSceneServices();
    OMinigameRegistry::DeleteInstance();
    ODropZonesRegistry::DeleteInstance();
    ItemsTest::TearDown();
  }
  // Entries added to the items guide for one test.
  static void Guide(const str& entries) { AddToItemsGuide(entries); }
  // A new dish entry with these recipes (the children of "dishes") and
  // attributes of "dishes", by that name or a new one; its name.
  str Dish(const str& recipes, const str& dishesAttributes = "", const str& named = "") {
    str name = named.empty() ? str::format("dish%d", ++mDishes) : named;
    Guide("<" + name + " type='cook_dish'><gvobject name='plate'>anim/</gvobject>" + kProducts +
          "<tools><t name='whisk'/><t name='ladle' return_good='soup'/></tools><dishes " + dishesAttributes +
          ">" + recipes + "</dishes></" + name + ">");
    return name;
  }
  // The dish made for `owner`'s scene and started, its applied products
  // and stage read back from the cooking scene's registry node.
  OCookDishItem* Start(const str& name, const std::vector<str>& applied, int stage = 0,
                       IItemsManager* owner = nullptr) {
    TXmlNode* saved =
        OMinigameRegistry::GetInstance()->CreateNode("cook")->CreateChild("plates")->CreateChild(name);
    saved->SetAttribute("ccd", "-1");
    saved->SetAttribute("cs", str::format("%d", stage));
    saved->SetAttribute("cl", "good");
    TXmlNode* aps = saved->CreateChild("aps");
    for (const str& product : applied) aps->CreateChild("ap")->SetAttribute("name", product);
    owner = owner ? owner : &manager;
    IItem* item = OItemFactory::CreateForScene(name, owner);
    EXPECT_TRUE(IsCookDishItem(item));
    item->CreateObject();
    if (owner == &manager) manager.AddItem(item);
    item->OnSceneStart();
    return static_cast<OCookDishItem*>(item);
  }
  IItem* Give(const str& name) {
    pointer->DeleteHeldItem();
    IItem* item = OItemFactory::CreateForPointer(name, &manager);
    EXPECT_NE(item, nullptr) << name;
    item->CreateObject();
    EXPECT_EQ(pointer->GetHeldItem(), item);
    return item;
  }
  static GVObject* Layer(IItem* item, const char* name) { return item->GetObject()->GetChild(name); }
  static str Held() {
    IItem* held = GMousePointer::GetInstance()->GetHeldItem();
    return held ? held->GetName() : str("none");
  }

  RecordingItemsManager manager;
  OMousePointerManager* pointer = nullptr;
  int mDishes = 0;
};

// ---- the dish ----

TEST_F(CookItemsTest, TheRatingFollowsTheBestFittingRecipe) {
  struct Case {
    const char* recipes;
    std::vector<str> applied;
    int rating, recipe;
  } cases[] = {
      {"<d ingredients='a,b,c,d'/>", {}, -1, -1},
      {"<d ingredients='a,b,c,d'/>", {"a"}, 25, 0},
      {"<d ingredients='a,b,c,d'/>", {"a", "b", "c"}, 75, 0},
      {"<d ingredients='a,b,c'/>", {"a"}, 33, 0},
      // In order: the first of four is right where it stands, the second
      // is not.
      {"<d ingredients='a,b,c,d' order='true'/>", {"a"}, 25, 0},
      {"<d ingredients='a,b,c,d' order='true'/>", {"b"}, 0, 0},
      // Equal matches: the recipe listed first.
      {"<d ingredients='a,b,c'/><d ingredients='a,b'/>", {"a", "b"}, 66, 0},
      {"<d ingredients='c,d'/><d ingredients='a,b'/>", {"a", "b"}, 100, 1},
      // A product of no ingredient of the best recipe spoils it.
      {"<d ingredients='a,b,c,d,e'/>", {"a", "b", "z"}, 0, 0},
      // A product twice counts twice only when the ingredient is listed twice.
      {"<d ingredients='a,b'/>", {"a", "a"}, 0, 0},
      {"<d ingredients='a,a,b'/>", {"a", "a"}, 66, 0},
      // More products than ingredients.
      {"<d ingredients='a'/>", {"a", "b"}, 0, 0},
      // The list ends at the first empty piece.
      {"<d ingredients='a,,b'/>", {"a"}, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recipes);
    OCookDishItem* dish = Start(Dish(c.recipes), c.applied);
    EXPECT_EQ(dish->GetApplied().size(), c.applied.size());
    EXPECT_EQ(dish->GetRating(), c.rating);
    EXPECT_EQ(dish->GetCurrentRecipe(), c.recipe);
  }
  // A finished or failed dish rates at once.
  EXPECT_EQ(Start(Dish("<d ingredients='a,b'/>"), {"a"}, OCookDishItem::kDone)->GetRating(), 100);
  EXPECT_EQ(Start(Dish("<d ingredients='a,b'/>"), {"a"}, OCookDishItem::kFailed)->GetRating(), 0);
}

TEST_F(CookItemsTest, AProductShowsItsLayerAndLeavesTheHandOrNot) {
  struct Case {
    const char* product;
    bool applied;
    const char* handAfter;
  } cases[] = {
      {"a", true, "none"},
      {"keep", true, "keep"},
      {"swap", true, "gem"},
      // Applied only while an "a" is left to apply.
      {"jam", true, "none"},
      {"bare", false, "bare"},
      {"gem", false, "gem"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    OCookDishItem* dish = Start(Dish("<d ingredients='a,b,c'/>"), {});
    GVObject* layer = Layer(dish, "layer");
    EXPECT_FALSE(layer->visible) << "hidden when the scene starts";
    Give(c.product);
    EXPECT_TRUE(dish->OnMaskClick(nullptr));
    EXPECT_EQ(dish->GetApplied().size(), c.applied ? 1u : 0u);
    EXPECT_EQ(bool(layer->visible), c.applied);
    if (c.applied) {
      EXPECT_EQ(layer->deltaZ, 1.0f);
    }
    EXPECT_EQ(Held(), c.handAfter);
  }
  OCookDishItem* dish = Start(Dish("<d ingredients='a,b,c'/>"), {"a", "a"});
  Give("jam");
  dish->OnMaskClick(nullptr);
  EXPECT_EQ(Held(), "jam") << "no \"a\" left: the jam stays in the hand";
  Give("b");
  dish->OnMaskClick(nullptr);
  EXPECT_EQ(Registry("b"), "4") << "used up in the dropped place";
}

TEST_F(CookItemsTest, ANomixRecipeIsDoneAtAHundredAndFadesItsLayerIn) {
  OCookDishItem* dish = Start(
      Dish("<d ingredients='a,b' layer_good='good' complete_dish='pie' nomix='true'/>", "appear_step='0.25'"),
      {"a"});
  Give("b");
  dish->OnMaskClick(nullptr);
  EXPECT_EQ(dish->GetStage(), OCookDishItem::kDone);
  EXPECT_EQ(dish->GetCompleteDish(), "pie");
  EXPECT_EQ(dish->GetCurrentLayer(), "good");
  GVObject* good = Layer(dish, "good");
  EXPECT_TRUE(good->visible);
  EXPECT_EQ(good->deltaZ, 100.0f);
  EXPECT_EQ(good->alpha, 0.0f);
  for (int i = 0; i < 3; ++i) dish->Update();
  EXPECT_EQ(good->alpha, 0.75f);
  dish->Update();
  EXPECT_EQ(good->alpha, 1.0f) << "the fourth step of 0.25";
  Give("a");
  dish->OnMaskClick(nullptr);
  EXPECT_EQ(Held(), "a") << "a finished dish takes no products";
}

TEST_F(CookItemsTest, AMixingToolFinishesFailsOrAsksForMore) {
  struct Case {
    std::vector<str> applied;
    int stage;
    size_t hints;
  } cases[] = {
      {{"a", "b", "c"}, OCookDishItem::kDone, 0},
      // A third of the dish: 50 is the least to mix.
      {{"a"}, OCookDishItem::kCooking, 1},
      // Wrong, but full enough to mix, and wrong and too little.
      {{"a", "b", "z"}, OCookDishItem::kFailed, 0},
      {{"d", "z", "a", "b", "c"}, OCookDishItem::kFailed, 0},
      {{"d", "z"}, OCookDishItem::kCooking, 1},
      // Fits no recipe at all.
      {{"z"}, OCookDishItem::kCooking, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.applied.size());
    OHintsManager::DeleteInstance();
    OCookDishItem* dish = Start(Dish("<d ingredients='a,b,c' layer_good='good' layer_bad='bad'/>"
                                     "<d ingredients='e,d,b,a,c'/>",
                                     "min_percent_for_mix='50' min_percent_hint='more'"),
                                c.applied);
    Give("whisk");
    EXPECT_TRUE(dish->OnMaskClick(nullptr));
    EXPECT_EQ(dish->GetStage(), c.stage);
    EXPECT_EQ(OHintsManager::GetInstance()->GetQueue().size(), c.hints);
    EXPECT_EQ(Held(), "whisk");
  }
}

TEST_F(CookItemsTest, AToolWithAReturnTradesItselfOnAFinishedDish) {
  OCookDishItem* dish = Start(Dish("<d ingredients='a'/>"), {}, OCookDishItem::kDone);
  Give("ladle");
  EXPECT_TRUE(dish->OnMaskClick(nullptr));
  EXPECT_EQ(Held(), "soup");
  EXPECT_EQ(Registry("ladle"), "0") << "the ladle back in its scene";
  dish = Start(Dish("<d ingredients='a'/>"), {});
  Give("ladle");
  dish->OnMaskClick(nullptr);
  EXPECT_EQ(Held(), "ladle") << "nothing to trade while cooking";
}

TEST_F(CookItemsTest, AStageWithoutItsLayerIsRecordedAndShowsNothing) {
  OCookDishItem* dish = Start(Dish("<d ingredients='a'/>"), {});
  dish->SetStage("no_such_layer", OCookDishItem::kFailed, "pie");
  EXPECT_EQ(dish->GetStage(), OCookDishItem::kFailed);
  EXPECT_EQ(dish->GetCurrentLayer(), "no_such_layer");
  dish->Update();
  EXPECT_FALSE(Layer(dish, "good")->visible || Layer(dish, "bad")->visible);
}

TEST_F(CookItemsTest, ClearingEmptiesTheDishAndGivesTheCutPiecesBack) {
  OCookDishItem* dish = Start(Dish("<d ingredients='c,b' layer_good='good'/>"), {});
  Give("leek_cut");
  dish->OnMaskClick(nullptr);
  Give("b");
  dish->OnMaskClick(nullptr);
  dish->SetStage("good", OCookDishItem::kDone, "pie");
  dish->Clear();
  EXPECT_EQ(dish->GetStage(), OCookDishItem::kCooking);
  EXPECT_TRUE(dish->GetApplied().empty() && dish->GetCurrentLayer().empty() &&
              dish->GetCompleteDish().empty());
  EXPECT_FALSE(Layer(dish, "layer")->visible || Layer(dish, "good")->visible);
  EXPECT_TRUE(Layer(dish, "main")->visible) << "the plate stays";
  IItem* leek = manager.FindItem("leek");
  ASSERT_NE(leek, nullptr) << "the cut leek's clear return, in the scene's list";
  EXPECT_EQ(Registry("leek"), "0");
  dish->Clear();
  EXPECT_EQ(manager.GetItems().size(), 2u) << "given back once";
}

TEST_F(CookItemsTest, TheSavedNodeBringsTheDishBack) {
  str name = Dish("<d ingredients='a,b,c' layer_good='good'/>");
  OCookDishItem* dish = Start(name, {});
  Give("leek_cut");
  dish->OnMaskClick(nullptr);
  Give("a");
  dish->OnMaskClick(nullptr);
  dish->GetRating();
  TXmlNode node(name);
  dish->SaveState(&node);
  EXPECT_EQ(node.GetAttribute("ccd"), "0");
  EXPECT_EQ(node.GetAttribute("cs"), "0");
  TXmlNode* aps = node.GetChild("aps");
  ASSERT_NE(aps, nullptr);
  ASSERT_EQ(aps->GetChildCount(), 2u);
  EXPECT_EQ(aps->GetChildAt(0)->GetAttribute("name"), "leek_cut");
  EXPECT_EQ(aps->GetChildAt(0)->GetAttribute("clear"), "leek");

  TXmlNode* plates = OMinigameRegistry::GetInstance()->CreateNode("cook")->CreateChild("plates");
  plates->AdoptChild(node.Clone());
  OCookDishItem* again = static_cast<OCookDishItem*>(OItemFactory::CreateForScene(name, &manager));
  again->CreateObject();
  manager.AddItem(again);
  again->OnSceneStart();
  EXPECT_EQ(again->GetApplied().size(), 2u);
  EXPECT_EQ(again->GetCurrentRecipe(), 0);
  again->Clear();
  EXPECT_NE(manager.FindItem("leek"), nullptr) << "the clear return came back with the save";

  // Finished in the save: the layer shows at once, no fade.
  OCookDishItem* done = Start(Dish("<d ingredients='a'/>"), {"a"}, OCookDishItem::kDone);
  EXPECT_TRUE(Layer(done, "good")->visible);
  EXPECT_EQ(Layer(done, "good")->alpha, 1.0f);
  EXPECT_EQ(Layer(done, "good")->deltaZ, 100.0f);
  EXPECT_TRUE(done->GetApplied().empty()) << "a finished dish keeps its layer, not its products";
  // A recipe number the dish does not have is none.
  TXmlNode* bad = OMinigameRegistry::GetInstance()->GetNode("cook")->GetChild("plates")->GetChildAt(0);
  bad->SetAttribute("ccd", "7");
  done->OnSceneStart();
  EXPECT_EQ(done->GetCurrentRecipe(), -1);
}

TEST_F(CookItemsTest, WithoutASavedNodeTheDishStartsEmptyOrReady) {
  str name = Dish("<d id='pie' ingredients='a' layer_good='good'/>", "start_ready='pie'");
  OMinigameRegistry::GetInstance()->DeleteNode("cook");
  IItem* item = OItemFactory::CreateForScene(name, &manager);
  item->CreateObject();
  manager.AddItem(item);
  item->OnSceneStart();
  OCookDishItem* ready = static_cast<OCookDishItem*>(item);
  EXPECT_EQ(ready->GetStage(), OCookDishItem::kDone);
  EXPECT_TRUE(Layer(ready, "good")->visible);
}

// ---- the scene the dishes report to ----

// A scene of the kind, its item list, and a registry left clean.
template <class Scene>
struct Kitchen {
  Scene scene;
  Kitchen() {
    scene.SetMasksManager(new GMasksManager(&scene));
    scene.GetBackgroundLayer()->AdoptChild(scene.GetMasksManager());
    scene.SetItemsManager(new OItemsManager(&scene));
  }
};

TEST_F(CookItemsTest, OnlyACookingSceneHearsOfTheDishes) {
  str name = Dish("<d ingredients='a,b' layer_good='good' nomix='true'/>");
  {
    Kitchen<GFullScreenGameScene> hall;
    OCookDishItem* dish = Start(name, {}, 0, hall.scene.GetItemsManager());
    hall.scene.GetItemsManager()->AddItem(dish);
    Give("a");
    EXPECT_TRUE(dish->OnMaskClick(nullptr));
    EXPECT_EQ(dish->GetApplied().size(), 1u) << "applied all the same";
  }
  Kitchen<GCookScene> kitchen;
  OItemsManager* items = kitchen.scene.GetItemsManager();
  str mixerName = Dish("<d ingredients='a,b' layer_good='good' nomix='true'/>", "", GCookScene::kMixingPlate);
  OCookDishItem* dish = Start(name, {}, 0, items);
  items->AddItem(dish);
  OCookDishItem* mixer = Start(mixerName, {}, 0, items);
  items->AddItem(mixer);
  OMinigameRegistry::GetInstance()->DeleteNode("cook");
  TProgressBar* bar = new TProgressBar();
  bar->SetName("progress_bar_king_cook");
  kitchen.scene.AdoptChild(bar);
  TWindowStyle style;
  kitchen.scene.Init(style);
  ASSERT_EQ(kitchen.scene.GetMixingPlate(), mixer);
  EXPECT_EQ(bar->GetValue(), 300.0f);

  Give("a");
  dish->OnMaskClick(nullptr);
  EXPECT_EQ(bar->GetValue(), 300.0f) << "half a dish on another plate moves nothing";
  size_t sounds = TSoundManager::GetInstance()->GetPlayLog().size();
  Give("a");
  mixer->OnMaskClick(nullptr);
  EXPECT_EQ(bar->GetValue(), 250.0f);
  Give("b");
  mixer->OnMaskClick(nullptr);
  EXPECT_EQ(bar->GetValue(), 200.0f);
  const std::vector<TSoundManager::PlayRecord>& log = TSoundManager::GetInstance()->GetPlayLog();
  ASSERT_EQ(log.size(), sounds + 1);
  EXPECT_EQ(log.back().path, "audio/sfx/minigames/cook/dish_end_right.ogg") << "the mixer's dish is right";
}

TEST_F(CookItemsTest, TheCookingSceneKeepsItsDishesUnderCookPlates) {
  Kitchen<GCookScene> kitchen;
  str first = Dish("<d ingredients='a'/>"), second = Dish("<d ingredients='a'/>");
  OCookDishItem* lying = Start(first, {}, 0, kitchen.scene.GetItemsManager());
  kitchen.scene.GetItemsManager()->AddItem(lying);
  OItemsManager* items = kitchen.scene.GetItemsManager();
  items->AddItem(OItemFactory::CreateForScene("leek", items));
  pointer->DeleteHeldItem();
  IItem* held = OItemFactory::CreateForPointer(second, items);
  held->CreateObject();
  // The configured plates: one that is no dish, one missing from the scene.
  TXmlNode state;
  ASSERT_TRUE(state.ParseString("<state><plates><p id='leek'/><p id='" + first + "'/><p id='gone'/></plates></state>"));
  kitchen.scene.SetStateNode(&state);
  TWindowStyle style;
  kitchen.scene.Init(style);
  kitchen.scene.SaveState();
  TXmlNode* cook = OMinigameRegistry::GetInstance()->GetNode("cook");
  ASSERT_NE(cook, nullptr);
  TXmlNode* plates = cook->GetChild("plates");
  ASSERT_NE(plates, nullptr);
  ASSERT_EQ(plates->GetChildCount(), 2u) << "the dishes only";
  EXPECT_EQ(plates->GetChildAt(0)->GetName(), second) << "the dish in the hand first";
  EXPECT_EQ(plates->GetChildAt(1)->GetName(), first);
  EXPECT_NE(plates->GetChildAt(1)->GetChild("aps"), nullptr);
}

// ---- the board ----

class CookDeskTest : public CookItemsTest {
 protected:
  OCookDeskItem* Board() {
    IItem* item = OItemFactory::CreateForScene("board", &manager);
    EXPECT_NE(item, nullptr);
    item->CreateObject();
    manager.AddItem(item);
    return static_cast<OCookDeskItem*>(item);
  }
  // The board's record: "name x y" per record.
  static std::vector<str> Record() {
    std::vector<str> out;
    if (const ODropZonesRegistry::Records* records = ODropZonesRegistry::GetInstance()->Find("board"))
      for (const ODropZonesRegistry::Record& r : *records)
        out.push_back(str::format("%s %d %d", r.item.c_str(), int(r.x), int(r.y)));
    return out;
  }
  void Lay(OCookDeskItem* board, const str& item) {
    Give(item);
    EXPECT_TRUE(board->OnMaskClick(nullptr));
  }
  static str Name(IItem* item) { return item ? item->GetName() : str("-"); }
};

TEST_F(CookDeskTest, AToolCutsTheProductIntoItsPieces) {
  struct Case {
    const char* product;
    const char *product_after, *cut, *dust;
  } cases[] = {
      {"leek", "-", "leek_cut", "leek_dust"},
      {"stalk", "-", "-", "stalk_dust"},
      // A cut that is a product lies in the product place.
      {"pea", "pea_cut", "-", "-"},
      // A cut that cannot be made: the product goes all the same.
      {"bean", "-", "-", "bean_dust"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    ODropZonesRegistry::GetInstance()->Clear();
    OCookDeskItem* board = Board();
    Lay(board, c.product);
    EXPECT_EQ(Held(), "none");
    EXPECT_EQ(Name(board->GetProduct()), c.product);
    Give("knife");
    board->OnMaskClick(nullptr);
    EXPECT_EQ(Held(), "knife") << "the tool stays in the hand";
    EXPECT_EQ(Name(board->GetProduct()), c.product_after);
    EXPECT_EQ(Name(board->GetCut()), c.cut);
    EXPECT_EQ(Name(board->GetDust()), c.dust);
    EXPECT_EQ(board->FindItem(c.product), nullptr) << "the product is gone";
    manager.RemoveItem(board);
    delete board;
  }
}

TEST_F(CookDeskTest, PiecesFadeInOverTenTicksWhereTheyLie) {
  OCookDeskItem* board = Board();
  Lay(board, "leek");
  GVObject* product = board->GetProduct()->GetObject();
  EXPECT_EQ(product->deltaX, 100.0f) << "laid where the board lies";
  EXPECT_EQ(Registry("leek"), "4");
  Give("knife");
  board->OnMaskClick(nullptr);
  IItem* cut = board->GetCut();
  EXPECT_EQ(cut->GetObject()->deltaX, 120.0f) << "at its own scene position";
  EXPECT_EQ(Registry("leek_cut"), "0");
  GVObject* main = cut->GetMainObject();
  EXPECT_EQ(main->alpha, 0.0f);
  for (int i = 0; i < 9; ++i) board->Update();
  EXPECT_LT(main->alpha, 1.0f);
  board->Update();
  EXPECT_EQ(main->alpha, 1.0f);
  EXPECT_EQ(board->GetDust()->GetMainObject()->alpha, 1.0f);
}

TEST_F(CookDeskTest, AnEmptyHandTakesTheCutFirstThenTheDust) {
  OCookDeskItem* board = Board();
  Lay(board, "leek");
  Give("knife");
  board->OnMaskClick(nullptr);
  pointer->DeleteHeldItem();
  board->Draw();              // a frame places the pieces for the hit test
  pointer->MoveTo(135, 115);  // over the cut and the dust
  board->OnMaskClick(nullptr);
  EXPECT_EQ(Held(), "leek_cut");
  EXPECT_EQ(board->GetCut(), nullptr);
  EXPECT_EQ(board->FindItem("leek_cut"), nullptr);
  EXPECT_EQ(Record()[1], "__product_cut__ 0 0") << "written at once";
  pointer->DeleteHeldItem();
  board->OnMaskClick(nullptr);
  EXPECT_EQ(Held(), "leek_dust");
  pointer->DeleteHeldItem();
  pointer->MoveTo(5, 5);
  board->OnMaskClick(nullptr);
  EXPECT_EQ(Held(), "none") << "nothing under the pointer";
}

TEST_F(CookDeskTest, WhatTheBoardTakesFromTheHand) {
  OCookDeskItem* board = Board();
  Give("knife");
  board->OnMaskClick(nullptr);
  EXPECT_EQ(Held(), "knife") << "a tool without a product";
  Lay(board, "gem");
  EXPECT_EQ(Held(), "gem") << "no product of the board";
  Lay(board, "leek_dust");
  EXPECT_EQ(Name(board->GetDust()), "leek_dust") << "a piece of the table goes into its place";
  EXPECT_EQ(board->GetDust()->GetObject()->deltaX, 130.0f);
  Lay(board, "leek");
  EXPECT_EQ(Held(), "leek") << "no product beside pieces";
  Lay(board, "pea_cut");
  EXPECT_EQ(Name(board->GetProduct()), "pea_cut") << "unless the product is a cut that is a product";
  EXPECT_EQ(Registry("pea_cut"), "4");
  Lay(board, "stalk");
  EXPECT_EQ(Held(), "stalk") << "the product place is taken";
  EXPECT_EQ(Record(), (std::vector<str>{"pea_cut 100 100", "__product_cut__ 0 0", "leek_dust 130 112"}));
}

TEST_F(CookDeskTest, TheRecordBringsThePiecesBack) {
  struct Case {
    std::vector<ODropZonesRegistry::Record> records;
    const char *product, *cut, *dust;
    float productX;
  } cases[] = {
      {{{"__product__", 0, 0}, {"__product_cut__", 0, 0}, {"__product_dust__", 0, 0}}, "-", "-", "-", 0},
      {{{"leek", 7, 8}, {"leek_cut", 30, 40}, {"stalk_dust", 50, 60}}, "leek", "leek_cut", "stalk_dust", 7},
      // A cut in the product place goes to its own scene position.
      {{{"pea_cut", 7, 8}}, "pea_cut", "-", "-", 150},
      // A short list is read as far as it goes.
      {{{"__product__", 0, 0}, {"leek_cut", 30, 40}}, "-", "leek_cut", "-", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records[0].item);
    ODropZonesRegistry* registry = ODropZonesRegistry::GetInstance();
    registry->Clear();
    for (const ODropZonesRegistry::Record& r : c.records) registry->Set("board", r.item, r.x, r.y);
    OCookDeskItem* board = Board();
    EXPECT_EQ(Name(board->GetProduct()), c.product);
    EXPECT_EQ(Name(board->GetCut()), c.cut);
    EXPECT_EQ(Name(board->GetDust()), c.dust);
    if (board->GetProduct()) {
      EXPECT_EQ(board->GetProduct()->GetObject()->deltaX, c.productX);
    }
    if (board->GetCut()) {
      EXPECT_EQ(board->GetCut()->GetObject()->deltaY, 40.0f) << "at the saved position";
    }
    EXPECT_EQ(Record().size(), 3u) << "written back whole";
    board->CreateObject();
    EXPECT_EQ(board->GetHeldItems().size(), size_t(board->GetProduct() != nullptr) +
                                                (board->GetCut() != nullptr) + (board->GetDust() != nullptr))
        << "a second visual does not lay the pieces twice";
    manager.RemoveItem(board);
    delete board;
  }
}

// ---- the pieces ----

TEST_F(CookItemsTest, HeldDustAndToolsGiveBackWhatTheyCameFrom) {
  IItem* dust = Give("leek_dust");
  static_cast<OCookDustItem*>(dust)->ReplaceByResult();
  EXPECT_EQ(Held(), "none");
  EXPECT_EQ(Registry("leek_dust"), "0");
  ASSERT_NE(manager.FindItem("leek"), nullptr) << "its clear return, in the scene's list";
  EXPECT_EQ(Registry("leek"), "0");

  dust = Give("stalk_dust");
  size_t items = manager.GetItems().size();
  static_cast<OCookDustItem*>(dust)->ReplaceByResult();
  EXPECT_EQ(Held(), "none");
  EXPECT_EQ(manager.GetItems().size(), items) << "nothing to give back";

  IItem* knife = Give("knife");
  static_cast<OCookToolItem*>(knife)->ReplaceByResult();
  EXPECT_EQ(Held(), "spoon");
  IItem* spoon = GMousePointer::GetInstance()->GetHeldItem();
  static_cast<OCookToolItem*>(spoon)->ReplaceByResult();
  EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), spoon) << "its own name: it stays";
}

TEST_F(CookItemsTest, ADustPieceFromTheBoardGivesBackIntoTheScenesList) {
  Kitchen<GCookScene> kitchen;
  OItemsManager* items = kitchen.scene.GetItemsManager();
  IItem* board = OItemFactory::CreateForScene("board", items);
  board->CreateObject();
  items->AddItem(board);
  Give("bean");
  board->OnMaskClick(nullptr);
  Give("knife");
  board->OnMaskClick(nullptr);
  pointer->DeleteHeldItem();
  board->Draw();
  pointer->MoveTo(175, 135);
  board->OnMaskClick(nullptr);
  IItem* dust = GMousePointer::GetInstance()->GetHeldItem();
  ASSERT_EQ(Held(), "bean_dust");
  static_cast<OCookDustItem*>(dust)->ReplaceByResult();
  EXPECT_NE(items->FindItem("gem"), nullptr);
  EXPECT_EQ(static_cast<OCookDeskItem*>(board)->FindItem("gem"), nullptr);
}

TEST_F(CookItemsTest, CutAndDustShowWholeInAnInventoryCell) {
  struct Case {
    const char* item;
    float scaling;
  } cases[] = {{"leek_cut", 1}, {"leek_dust", 1}, {"knife", 0.5f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    IItem* item = Give(c.item);
    item->GetObject()->scaling = 0.5f;
    item->MoveToInventory();
    EXPECT_EQ(item->GetObject()->scaling, c.scaling);
  }
  std::unique_ptr<IItem> leek(OItemFactory::CreateForPointer("leek_cut", &manager));
  std::unique_ptr<IItem> pea(OItemFactory::CreateForPointer("pea_cut", &manager));
  EXPECT_FALSE(static_cast<OCookCutItem*>(leek.get())->IsProduct());
  EXPECT_TRUE(static_cast<OCookCutItem*>(pea.get())->IsProduct());
  EXPECT_EQ(static_cast<OCookCutItem*>(leek.get())->GetClearReturn(), "leek");
}
}  // namespace
