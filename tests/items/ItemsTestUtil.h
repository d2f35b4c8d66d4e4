#pragma once
// Shared by the item tests: the fixture tree tests/fixtures/items as the
// content root, a clean slate of the shared objects items reach, an items
// manager that records what items ask of their scene, and a bare item kind
// whose type number and answers a test chooses.

#include <gtest/gtest.h>

#include <vector>

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "game/OPopupQueue.h"
#include "game/OSoundManager.h"
#include "items/OComboGuide.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TSound.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "sdk/str.h"

// Absolute: a build that names sources by relative paths (ccache's base
// directory) would give __FILE__ a relative one, and paths read from the
// content are resolved against this root.
inline str ItemsFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/items";
}

class ItemsTest : public testing::Test {
 protected:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(ItemsFixturesDir());
    Reset();
  }
  void TearDown() override {
    Reset();
    TPlatform::SetContentRoot(mOldRoot);
  }
  static void Reset() {
    GMousePointer::DestroyInstance();
    OItemsRegistry::DeleteInstance();
    OFlagsRegistry::DeleteInstance();
    OMissionsManager::DeleteInstance();
    OSoundManager::DeleteInstance();
    // The rules hold nodes of the configuration: they go first.
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
    OComboGuide::DeleteInstance();
    // The game keeps the configuration it was made with: both go together.
    OGame::DeleteInstance();
    OGameConfig::DeleteInstance();
  }
  // A pointer that can hold items, as the application window sets it up.
  static GMousePointer* ReadyPointer() {
    GMousePointer* pointer = GMousePointer::GetInstance();
    TWindowStyle style;
    pointer->Init(style);
    return pointer;
  }
  // What a test's own scene windows made: the hint, popup, timer and
  // indicator services.
  static void DeleteSceneServices() {
    OHintsManager::DeleteInstance();
    OPopupQueue::DeleteInstance();
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
  }
  static const std::vector<str>& Events() { return OMissionsManager::GetInstance()->GetAsked(); }
  static str Registry(const str& name) {
    const OItemsRegistry::States* states = OItemsRegistry::GetInstance()->GetStates(name);
    if (!states) return "none";
    str text;
    for (int32_t v : *states) text += (text.empty() ? "" : ",") + str::format("%d", int(v));
    return text;
  }

  str mOldRoot;
};

// Entries added to the configuration's items guide for one test; the
// configuration is deleted with the test.
inline void AddToItemsGuide(const str& entries) {
  TXmlNode parsed;
  ASSERT_TRUE(parsed.ParseString("<x>" + entries + "</x>"));
  TXmlNode* guide = OGameConfig::GetInstance()->GetItemsGuideEntries();
  while (parsed.GetChildCount() > 0) guide->AdoptChild(parsed.OrphanChild(parsed.GetChildAt(0)));
}

// An items manager outside any scene with a masks manager of its own; it
// logs the particle effects it is asked for (with how many game events had
// been sent by then) and may be given an item order.
class RecordingItemsManager : public OItemsManager {
 public:
  RecordingItemsManager() : OItemsManager(nullptr) {}
  // The masks go first, as with a scene: the items must not reach them.
  ~RecordingItemsManager() override { ReleaseMasks(); }
  GMasksManager* GetMasksManager() override { return &masks; }
  TSpriteRef AddParticleEffect(TXmlNode* node, float x, float y, bool onTop) override {
    if (node) {
      log.push_back(str::format("%s at %g,%g top=%d after %d events", node->GetAttribute("file").c_str(), x,
                                y, int(onTop), int(OMissionsManager::GetInstance()->GetAsked().size())));
      soundsBefore.push_back(TSoundManager::GetInstance()->GetPlayLog().size());
    }
    return TSpriteRef();
  }
  const std::vector<str>* GetItemOrder() const override { return order.empty() ? nullptr : &order; }

  GMasksManager masks;
  std::vector<str> log;
  // How many sounds had been started when each effect of the log started.
  std::vector<size_t> soundsBefore;
  std::vector<str> order;
};

// A bare item: its type number is the test's choice, and it counts what it
// is told.
class ProbeItem : public OItem {
 public:
  ProbeItem(const str& name, IItemsManager* owner, int32_t typeId = ItemTypeId::OItem, bool inScene = true)
      : OItem(name, owner, "", ""), typeId(typeId), inScene(inScene) {}
  ~ProbeItem() override { ++deleted; }
  int32_t GetTypeId() const override { return typeId; }
  void OnStateChange(GVObject*, TState, TState&) override {}
  void OnStateEnd(GVObject*, TState) override {}
  bool IsInScene() const override { return inScene; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return !inScene; }
  bool OnMaskClick(IMask*) override { return false; }
  void ReleaseMask() override { ++released; }
  void Detach() override { ++detached; }
  void SaveState() override {}
  void Draw() override { ++drawn; }
  bool CanBeReturned() const override { return returnable; }

  int32_t typeId;
  bool inScene;
  bool returnable = true;
  int detached = 0, released = 0, drawn = 0;
  inline static int deleted = 0;
};

// The named item made for the hand with `owner` and held, as a producer or a
// combination rule makes one; what was held before is deleted. An empty
// name leaves the hand empty. Null, and a failure, when nothing is made.
inline IItem* HoldNew(const str& name, IItemsManager* owner) {
  OMousePointerManager* pointer = GMousePointer::PeekManager();
  if (!pointer) {
    ADD_FAILURE() << "no pointer to hold " << name;
    return nullptr;
  }
  pointer->DeleteHeldItem();
  if (name.empty()) return nullptr;
  IItem* item = OItemFactory::CreateForPointer(name, owner);
  if (!item) {
    ADD_FAILURE() << "no item \"" << name << "\" for the hand";
    return nullptr;
  }
  item->CreateObject();
  return item;
}
