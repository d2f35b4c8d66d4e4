#pragma once
// Shared by the alchemical device tests: the fixture tree
// tests/fixtures/alchemy as the content root, a clean slate of the shared
// objects the device reaches, an items manager outside any scene with the
// device's mask, a filled panel and a host window for the potion.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "game/ODropZonesRegistry.h"
#include "game/OItemMask.h"
#include "items/ItemsTestUtil.h"
#include "rules/hints/OHintsManager.h"
#include "rules/hints/OSimpleHint.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TWindowManager.h"
#include "tools/alchemy/GAlchemicalDevicePanel.h"
#include "tools/alchemy/OAlchemicalDeviceItem.h"
#include "tools/alchemy/OAlchemicalDevicePotionEffect.h"

// Failures show text as text.
inline void PrintTo(const str& text, std::ostream* os) {
  *os << '"' << static_cast<const std::string&>(text) << '"';
}

inline str AlchemyFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/alchemy";
}

class AlchemyTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    TPlatform::SetContentRoot(AlchemyFixturesDir());
    ResetTools();
    manager.reset(new RecordingItemsManager());
    mask = new OItemMask("device_mask", nullptr, "", &manager->masks);
    manager->masks.AddMask(mask);
    host.reset(new TWindow());
    panel.reset(new GAlchemicalDevicePanel());
    panel->Fill();
  }
  void TearDown() override {
    // The device draws on its panel and host: it goes first.
    delete device;
    device = nullptr;
    panel.reset();
    host.reset();
    manager.reset();
    ResetTools();
    TWindowManager::GetInstance()->DeletePending();
    ItemsTest::TearDown();
  }
  static void ResetTools() {
    GMousePointer::DestroyInstance();
    ODropZonesRegistry::DeleteInstance();
    OHintsManager::DestroyInstance();
    Reset();
  }

  // The same tree with particles off and every recipe unlocked.
  // Only the configuration comes from there: its documents are the tree's own.
  static void UseQuietTree() {
    OGameConfig::DeleteInstance();
    TPlatform::SetContentRoot(AlchemyFixturesDir() + "/quiet");
    OGameConfig::GetInstance();
    TPlatform::SetContentRoot(AlchemyFixturesDir());
  }
  // The device's configuration, which a test may change before MakeDevice.
  static TXmlNode* Guide() { return OItemFactory::FindGuideNode("alchemical_device"); }
  // The device as its scene makes it: created, bound to the panel, then its
  // visual made. Records given are first put into the registry.
  OAlchemicalDeviceItem* MakeDevice(const std::vector<ODropZonesRegistry::Record>& records = {}) {
    for (const ODropZonesRegistry::Record& r : records)
      ODropZonesRegistry::GetInstance()->Set("alchemical_device", r.item, r.x, r.y);
    device = OAlchemicalDeviceItem::Create("alchemical_device", Guide(), manager.get(), host.get());
    device->LoadIntoPanel(panel.get());
    device->CreateObject();
    return device;
  }
  void Light() { OFlagsRegistry::GetInstance()->SetValue("device_lit", "true"); }
  // The named item held, as if taken; an empty name empties the hand.
  IItem* Hold(const str& name) {
    ReadyPointer();
    return HoldNew(name, manager.get());
  }
  static str Held() {
    OMousePointerManager* hand = GMousePointer::PeekManager();
    IItem* held = hand ? hand->GetHeldItem() : nullptr;
    return held ? held->GetName() : str("none");
  }
  // Holds the item and clicks the device with it.
  void Drop(const str& name) {
    Hold(name);
    device->OnMaskClick(mask);
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) {
      device->Update();
      panel->Update();
    }
  }
  // Until the fall of the item dropped last is over.
  void FallAll() {
    for (int i = 0; i < 100 && device->GetState() == OAlchemicalDeviceItem::kFalling; ++i) Tick(1);
  }
  // The text keys of the hints queued so far, joined with spaces.
  static str Hints() {
    str text;
    for (IHint* hint : OHintsManager::GetInstance()->GetQueue())
      if (OSimpleHint* simple = dynamic_cast<OSimpleHint*>(hint))
        text += (text.empty() ? "" : " ") + simple->GetTextKey();
    return text;
  }
  // The sounds played after the first `from`, by file name, joined with
  // spaces; the boiling, which starts at random, is left out.
  static str Sounds(size_t from = 0) {
    const std::vector<TSoundManager::PlayRecord>& log = TSoundManager::GetInstance()->GetPlayLog();
    str text;
    for (size_t i = from; i < log.size(); ++i) {
      str path = log[i].path;
      size_t slash = path.rfind('/');
      str file = slash == str::npos ? path : path.substr(slash + 1);
      if (file != "boil.wav") text += (text.empty() ? "" : " ") + file;
    }
    return text;
  }
  static size_t SoundCount() { return TSoundManager::GetInstance()->GetPlayLog().size(); }
  // The names in the panel's cells, "-" for an empty cell.
  str Cells() const {
    str text;
    for (GAlchemicalDeviceCell* cell : panel->GetCells())
      text += (text.empty() ? "" : " ") + (cell->GetItem() ? cell->GetItem()->GetName() : str("-"));
    return text;
  }
  static str Records() {
    const ODropZonesRegistry::Records* records = ODropZonesRegistry::GetInstance()->Find("alchemical_device");
    if (!records) return "none";
    str text;
    for (const ODropZonesRegistry::Record& r : *records)
      text += (text.empty() ? "" : " ") +
              (r.x || r.y ? str::format("%s@%d,%d", r.item.c_str(), r.x, r.y) : r.item);
    return text;
  }

  std::unique_ptr<RecordingItemsManager> manager;
  OItemMask* mask = nullptr;
  std::unique_ptr<TWindow> host;
  std::unique_ptr<GAlchemicalDevicePanel> panel;
  OAlchemicalDeviceItem* device = nullptr;
};
