#include "ItemsTestUtil.h"
#include "game/OItemMask.h"
#include "items/OItemFactory.h"
#include "items/OSimpleItem.h"
#include "rules/actions/IAction.h"
#include "sdk/TReport.h"

namespace {
class SimpleItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    manager.reset(new RecordingItemsManager());
    mask = new OItemMask("lamp_mask", nullptr, "", &manager->masks);
    manager->masks.AddMask(mask);
  }
  void TearDown() override {
    // Items on the pointer go with the pointer, the others with the manager.
    GMousePointer::DestroyInstance();
    manager.reset();
    ItemsTest::TearDown();
  }
  // The lamp of the fixture guide, made for the scene and given its visual.
  OSimpleItem* SceneLamp() {
    IItem* item = OItemFactory::CreateForScene("lamp", manager.get());
    EXPECT_NE(item, nullptr);
    manager->AddItem(item);
    item->CreateObject();
    return static_cast<OSimpleItem*>(item);
  }
  static str StateOf(IItem* item) { return item->GetObject()->GetChild("main")->GetState().ToStr(); }

  std::unique_ptr<RecordingItemsManager> manager;
  OItemMask* mask = nullptr;
};

TEST_F(SimpleItemTest, LoaderReadsTheGuideEntryButNeitherPlaceNorVisual) {
  TXmlNode* node = OItemFactory::FindGuideNode("lamp");
  std::unique_ptr<OSimpleItem> item(OSimpleItem::CreateFromXml("lamp", node, manager.get()));
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetCaptionKey(), "cap_lamp");
  EXPECT_EQ(item->GetSceneX(), 100);
  EXPECT_EQ(item->GetSceneY(), 50);
  EXPECT_EQ(item->GetVisualFolder(), "anim/");
  EXPECT_EQ(item->GetVisualPath(), "item_box");
  EXPECT_EQ(item->GetSceneMaskName(), "lamp_mask");
  EXPECT_EQ(item->GetOnPointerFlag(), "lamp_held");
  const char* files[] = {"particles/put.lua", "particles/get.lua", "particles/zone_put.lua",
                         "particles/zone_get.lua"};
  for (int i = 0; i < OSimpleItem::kParticleCount; ++i) {
    ASSERT_NE(item->GetParticleNode(i), nullptr);
    EXPECT_EQ(item->GetParticleNode(i)->GetAttribute("file"), files[i]);
  }
  EXPECT_EQ(item->GetObject(), nullptr);
  EXPECT_EQ(Registry("lamp"), "none");

  std::unique_ptr<OSimpleItem> gem(
      OSimpleItem::CreateFromXml("gem", OItemFactory::FindGuideNode("gem"), nullptr));
  ASSERT_TRUE(gem);
  EXPECT_EQ(gem->GetParticleNode(OSimpleItem::kSceneGet), nullptr);
  EXPECT_EQ(gem->GetSceneX(), 0);
  EXPECT_EQ(gem->GetCaptionKey(), "");
}

TEST_F(SimpleItemTest, AnEntryWithoutVisualIsReportedAndSkipped) {
  size_t before = ReportCount();
  EXPECT_EQ(OItemFactory::CreateForPointer("ghost", manager.get()), nullptr);
  EXPECT_EQ(ReportCount(), before + 1);
}

TEST_F(SimpleItemTest, SceneCreatorFollowsTheRegistry) {
  struct Case {
    std::vector<int32_t> states;
    bool present;  // whether there is an entry at all
    bool made;
  } cases[] = {
      {{}, false, true},
      {{0}, true, true},
      {{1}, true, false},
      {{2}, true, false},
      {{3}, true, false},
      {{4}, true, false},
      {{0, 7}, true, true},
      {{2, 0}, true, false},
      // A hand-made save may leave the list empty: no place is no move.
      {{}, true, true},
  };
  for (const Case& c : cases) {
    OItemsRegistry::DeleteInstance();
    if (c.present) OItemsRegistry::GetInstance()->SetStates("gem", c.states);
    std::unique_ptr<IItem> item(OItemFactory::CreateForScene("gem", manager.get()));
    EXPECT_EQ(item != nullptr, c.made) << (c.states.empty() ? -1 : c.states[0]);
  }
}

TEST_F(SimpleItemTest, EachPlaceSetsStateRegistryAndFlag) {
  ReadyPointer();
  OSimpleItem* lamp = SceneLamp();
  EXPECT_EQ(StateOf(lamp), "stScene");
  EXPECT_EQ(mask->GetItem(), lamp);
  EXPECT_EQ(Registry("lamp"), "0");
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("lamp_held"), "false");
  manager->RemoveItem(lamp);

  struct Case {
    int32_t place;
    bool inScene, inInventory, onPointer;
    const char* flag;
  } cases[] = {
      {1, false, false, true, "true"},  {2, false, true, false, "false"}, {3, false, false, false, "false"},
      {4, true, false, false, "false"}, {0, true, false, false, "false"},
  };
  for (const Case& c : cases) {
    lamp->SetPlace(c.place);
    EXPECT_EQ(StateOf(lamp), ItemPlace::GetName(c.place));
    EXPECT_EQ(Registry("lamp"), str::format("%d", int(c.place)));
    EXPECT_EQ(lamp->IsInScene(), c.inScene) << c.place;
    EXPECT_EQ(lamp->IsInInventory(), c.inInventory) << c.place;
    EXPECT_EQ(lamp->IsOnPointer(), c.onPointer) << c.place;
    EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("lamp_held"), c.flag) << c.place;
    // Only the scene place links the mask.
    EXPECT_EQ(mask->GetItem(), c.place == 0 ? lamp : nullptr) << c.place;
    if (c.place == 1) GMousePointer::GetInstance()->ReleaseItem();
  }
  manager->AddItem(lamp);
}

TEST_F(SimpleItemTest, AlchemicalInventoryPutsTheVisualAtTheOriginAndTheSceneBringsItBack) {
  OSimpleItem* lamp = SceneLamp();
  EXPECT_EQ(lamp->GetObject()->deltaX, 100);
  lamp->MoveToAlchemicalInventory();
  EXPECT_EQ(lamp->GetObject()->deltaX, 0);
  EXPECT_EQ(lamp->GetObject()->deltaY, 0);
  lamp->MoveToScene();
  EXPECT_EQ(lamp->GetObject()->deltaX, 100);
  EXPECT_EQ(lamp->GetObject()->deltaY, 50);
}

TEST_F(SimpleItemTest, TakeSendsItemGetBeforeThePlaceChangesAndPutsTheItemInHand) {
  GMousePointer* pointer = ReadyPointer();
  OSimpleItem* lamp = SceneLamp();
  OMissionsManager::GetInstance()->Reset();
  size_t eventsBefore = Events().size();

  EXPECT_FALSE(lamp->OnMaskClick(nullptr));
  EXPECT_TRUE(lamp->OnMaskClick(mask));

  EXPECT_EQ(pointer->GetHeldItem(), lamp);
  EXPECT_TRUE(manager->GetItems().empty());
  EXPECT_EQ(lamp->GetItemsManager(), manager.get());  // still names where it came from
  EXPECT_EQ(mask->GetItem(), nullptr);
  EXPECT_EQ(Registry("lamp"), "1");
  // The particle starts first, then "item_get", then the place (whose flag
  // is the last event).
  ASSERT_EQ(manager->log.size(), 1u);
  EXPECT_EQ(manager->log[0],
            str::format("particles/get.lua at 110,55 top=0 after %d events", int(eventsBefore)));
  std::vector<str> tail(Events().begin() + eventsBefore, Events().end());
  EXPECT_EQ(tail, (std::vector<str>{"item_get lamp", "flag lamp_held=true"}));

  // Taken once: a second click on the same mask finds no item there.
  EXPECT_FALSE(lamp->OnMaskClick(mask));
}

// What a rule sees of the item while "item_get" is handled: a mission that
// answers the event sets a variable, and a listener on the variables reads
// the items registry at that moment.
class RegistryAtFlag : public IFlagsListener {
 public:
  void OnFlagChanged() override {
    if (seen.empty() && OFlagsRegistry::GetInstance()->GetValue("lamp_seen") == "true") {
      const OItemsRegistry::States* states = OItemsRegistry::GetInstance()->GetStates("lamp");
      seen = states && !states->empty() ? str::format("%d", int((*states)[0])) : str("none");
    }
  }
  str seen;
};

TEST_F(SimpleItemTest, TakeAnnouncesWhileTheRegistryHoldsTheScenePlaceAndSoundsAfterTheParticle) {
  std::unique_ptr<TXmlNode> missions(new TXmlNode());
  ASSERT_TRUE(missions->ParseString(
      "<missions><mission name=\"watch\"><tasks><task name=\"see_take\">"
      "<conditions><take type=\"item_get\" item_id=\"lamp\"/></conditions>"
      "<results><r type=\"flag\" flag_name=\"lamp_seen\" flag_value=\"true\"/></results>"
      "</task></tasks></mission></missions>"));
  OGameConfig::GetInstance()->GetMissionsCfg()->AdoptChild(std::move(missions));
  OMissionsManager::DeleteInstance();
  OMissionsManager::GetInstance()->Reset();
  TXmlNode* sounds = OItemFactory::FindGuideNode("lamp")->CreateChild("sounds");
  sounds->CreateChild("get")->SetContent(ItemsFixturesDir() + "/../sounds/beep.wav");
  RegistryAtFlag listener;
  OFlagsRegistry::GetInstance()->SetListener(&listener);

  ReadyPointer();
  OSimpleItem* lamp = SceneLamp();
  size_t sounds0 = TSoundManager::GetInstance()->GetPlayLog().size();
  ASSERT_TRUE(lamp->OnMaskClick(mask));
  OFlagsRegistry::GetInstance()->SetListener(nullptr);

  EXPECT_EQ(listener.seen, "0");
  EXPECT_EQ(Registry("lamp"), "1");
  const std::vector<TSoundManager::PlayRecord>& played = TSoundManager::GetInstance()->GetPlayLog();
  ASSERT_EQ(played.size(), sounds0 + 1);
  EXPECT_EQ(played.back().path.substr(played.back().path.rfind('/') + 1), "beep.wav");
  ASSERT_EQ(manager->soundsBefore.size(), 1u);
  EXPECT_EQ(manager->soundsBefore[0], sounds0);
}

TEST_F(SimpleItemTest, ClickWhileTheHandIsFullChangesNothing) {
  GMousePointer* pointer = ReadyPointer();
  OSimpleItem* lamp = SceneLamp();
  IItem* gem = OItemFactory::CreateForPointer("gem", manager.get());
  gem->CreateObject();  // place 1: the pointer holds it
  ASSERT_EQ(pointer->GetHeldItem(), gem);
  size_t events = Events().size();

  EXPECT_FALSE(lamp->OnMaskClick(mask));
  EXPECT_EQ(pointer->GetHeldItem(), gem);
  EXPECT_EQ(manager->GetItems().size(), 1u);
  EXPECT_EQ(mask->GetItem(), lamp);
  EXPECT_EQ(Registry("lamp"), "0");
  EXPECT_EQ(Events().size(), events);
  EXPECT_TRUE(manager->log.empty());
}

TEST_F(SimpleItemTest, ReturnToSceneRelinksAndAnnouncesEvenWhenSilent) {
  GMousePointer* pointer = ReadyPointer();
  OSimpleItem* lamp = SceneLamp();
  ASSERT_TRUE(lamp->OnMaskClick(mask));
  pointer->ReleaseItem();
  manager->log.clear();
  size_t events = Events().size();

  lamp->ReturnToScene(true);
  manager->InsertInSceneOrder(lamp);
  EXPECT_EQ(Registry("lamp"), "0");
  EXPECT_EQ(mask->GetItem(), lamp);
  EXPECT_TRUE(lamp->OwnsMask(mask));
  EXPECT_EQ(StateOf(lamp), "stScene");
  std::vector<str> tail(Events().begin() + events, Events().end());
  EXPECT_EQ(tail, (std::vector<str>{"flag lamp_held=false", "item_scene_return lamp"}));
  ASSERT_EQ(manager->log.size(), 1u);
  EXPECT_EQ(manager->log[0].substr(0, 26), "particles/put.lua at 110,5");
}

TEST_F(SimpleItemTest, OnlyAnItemMaskIsLinked) {
  RecordingItemsManager other;
  other.masks.AddMask(new OSimpleMask("lamp_mask", nullptr, "", &other.masks));
  IItem* lamp = OItemFactory::CreateForScene("lamp", &other);
  other.AddItem(lamp);
  lamp->CreateObject();
  auto* simple = static_cast<OSimpleItem*>(lamp);
  EXPECT_EQ(simple->GetOwnMask(), nullptr);
  EXPECT_FALSE(lamp->OwnsMask(other.masks.FindMask("lamp_mask")));
  EXPECT_FALSE(lamp->OnMaskClick(other.masks.FindMask("lamp_mask")));
}

TEST_F(SimpleItemTest, DetachAndDeletionUnlinkTheMask) {
  OSimpleItem* lamp = SceneLamp();
  ASSERT_EQ(mask->GetItem(), lamp);
  manager->RemoveItem(lamp);
  EXPECT_EQ(mask->GetItem(), nullptr);
  EXPECT_EQ(lamp->GetOwnMask(), nullptr);
  lamp->MoveToScene();
  ASSERT_EQ(mask->GetItem(), lamp);
  delete lamp;
  EXPECT_EQ(mask->GetItem(), nullptr);
}

TEST_F(SimpleItemTest, UseWithoutActionAnswersFalseSilently) {
  OSimpleItem* lamp = SceneLamp();
  size_t events = Events().size();
  EXPECT_FALSE(lamp->Use(TPoint(1, 1)));
  EXPECT_EQ(Events().size(), events);
}

TEST_F(SimpleItemTest, ActionsRunAfterTheirEvents) {
  ReadyPointer();
  manager->masks.AddMask(new OItemMask("key_mask", nullptr, "", &manager->masks));
  IItem* key = OItemFactory::CreateForScene("key", manager.get());
  manager->AddItem(key);
  key->CreateObject();
  size_t events = Events().size();

  ASSERT_TRUE(key->OnMaskClick(manager->masks.FindMask("key_mask")));
  EXPECT_TRUE(key->Use(TPoint(5, 5)));
  GMousePointer::GetInstance()->ReleaseItem();
  static_cast<OItem*>(key)->ReturnToScene(false);
  manager->InsertInSceneOrder(key);

  std::vector<str> tail(Events().begin() + events, Events().end());
  EXPECT_EQ(tail, (std::vector<str>{"item_get key", "flag key_taken=true", "item_action key",
                                    "flag door=open", "item_scene_return key", "flag key_taken=false"}));
}

// The actions were built for the first scene's masks manager. An item that
// outlives that scene on the pointer must not run them against it: every
// action follows the item to its new owner. (Under AddressSanitizer a stale
// owner shows as a use after free.)
TEST_F(SimpleItemTest, ANewOwnerTakesOverEveryAction) {
  GMousePointer* pointer = ReadyPointer();
  auto first = std::make_unique<RecordingItemsManager>();
  first->masks.AddMask(new OItemMask("map_mask", nullptr, "", &first->masks));
  IItem* map = OItemFactory::CreateForScene("map", first.get());
  first->AddItem(map);
  map->CreateObject();
  ASSERT_TRUE(map->OnMaskClick(first->masks.FindMask("map_mask")));

  static_cast<OItem*>(map)->SetItemsManager(manager.get());
  first.reset();  // the first scene goes
  // Each action now reaches the new scene's masks, not the deleted ones.
  OSimpleItem* simple = static_cast<OSimpleItem*>(map);
  for (IAction* action :
       {simple->GetAction(), simple->GetGetFromSceneAction(), simple->GetReturnToSceneAction()}) {
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->GetOwner(), &manager->masks);
  }
  pointer->ReleaseItem();
  static_cast<OItem*>(map)->ReturnToScene(true);
  manager->InsertInSceneOrder(map);
  EXPECT_EQ(Registry("map"), "0");
}
}  // namespace
