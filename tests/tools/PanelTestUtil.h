#pragma once
// Shared by the panel, inventory, magic and book-button tests: the fixture
// tree tests/fixtures/panel as the content root, the window types
// registered, and a clean slate of the shared objects the panel reaches.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/GMousePointer.h"
#include "game/GWindowTypes.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundManager.h"
#include "items/IItem.h"
#include "items/OComboGuide.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/panel/GGamePanel.h"
#include "visual/LuaUtils.h"

inline str PanelFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/panel";
}

class PanelTest : public testing::Test {
 protected:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(PanelFixturesDir());
    Reset();
    RegisterWindowTypes(TWindowManager::GetInstance());
  }
  void TearDown() override {
    TWindowManager::GetInstance()->DeletePending();
    Reset();
    TPlatform::SetContentRoot(mOldRoot);
  }
  static void Reset() {
    GMousePointer::DestroyInstance();
    OMagicRegistry::DeleteInstance();
    OItemsRegistry::DeleteInstance();
    OFlagsRegistry::DeleteInstance();
    OMissionsManager::DeleteInstance();
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
    OSoundManager::DeleteInstance();
    OGame::DeleteInstance();
    OComboGuide::DeleteInstance();
    OGameConfig::DeleteInstance();
  }
  // The fixture's panel, built by its script as the game builds its own.
  static std::unique_ptr<GGamePanel> Build(const char* script = "scripts/panel.lua") {
    return std::unique_ptr<GGamePanel>(LoadWindowFromScript<GGamePanel>(script, "game_panel"));
  }
  // A pointer that can hold items, as the application window sets it up.
  static GMousePointer* ReadyPointer() {
    GMousePointer* pointer = GMousePointer::GetInstance();
    TWindowStyle style;
    pointer->Init(style);
    return pointer;
  }
  static IItem* Held() { return GMousePointer::PeekManager()->GetHeldItem(); }
  // The item made for the hand and held.
  static IItem* Give(const str& name) {
    IItem* item = OItemFactory::CreateForPointer(name, nullptr);
    if (!item) return nullptr;
    item->CreateObject();
    GMousePointer::GetInstance()->HoldItem(item);
    return item;
  }
  static const std::vector<str>& Events() { return OMissionsManager::GetInstance()->GetAsked(); }
  // The events sent after the first n, joined with ", ".
  static str EventsSince(size_t n) {
    str out;
    for (size_t i = n; i < Events().size(); ++i) out += (out.empty() ? "" : ", ") + Events()[i];
    return out;
  }

  str mOldRoot;
};

// With the fixture's panel built, of kind 0, and a pointer that holds items.
class BuiltPanelTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    ReadyPointer();
    mPanel = Build();
    ASSERT_TRUE(mPanel);
    mPanel->SetKind(0);
  }
  void TearDown() override {
    mPanel.reset();
    PanelTest::TearDown();
  }

  std::unique_ptr<GGamePanel> mPanel;
};
