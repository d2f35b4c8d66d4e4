#pragma once
// Shared by the action and hint tests: the fixture tree
// tests/fixtures/rules/hints as content root, the window types registered, a
// bare scene with a layer for hint windows that counts its pauses, and every
// shared object the rules reach deleted before and after each test.

#include <gtest/gtest.h>

#include <lua.hpp>
#include <string>

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/GWindowTypes.h"
#include "game/LuaBinding.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OSoundManager.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TStringTable.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"

inline str HintFixturesDir(const char* tree = "hints") {
  return str(TOLVANE_TEST_FIXTURES) + "/rules/" + tree;
}

// A scene reduced to what hint windows need: a layer and a pause flag.
class HintTestScene : public GScene {
 public:
  HintTestScene() {
    mLayer = new TWindow();
    mLayer->SetWindowSize(800, 600);
    GetSceneLayer()->AdoptChild(mLayer);
    mState = kActive;
    mPaused = false;
  }
  // As every scene does: its layer, and a hint window in it, go with it.
  ~HintTestScene() override {
    if (OHintsManager::HasInstance() && OHintsManager::GetInstance()->GetScene() == this)
      OHintsManager::GetInstance()->DetachScene();
  }
  TWindow* GetLayer() override { return mLayer; }
  void Pause() override {
    ++pauses;
    GScene::Pause();
  }
  void Resume() override {
    ++resumes;
    GScene::Resume();
  }
  int pauses = 0, resumes = 0;

 private:
  TWindow* mLayer;
};

class HintTest : public testing::Test {
 protected:
  void SetUp() override {
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(HintFixturesDir());
    Reset();
    TWindowManager* wm = TWindowManager::GetInstance();
    if (!wm->HasWindowType("GBigHint")) RegisterWindowTypes(wm);
    TStringTable* strings = TPlatform::GetInstance()->GetStringTable();
    strings->Set("coin_text", "A coin.");
    strings->Set("feather_text", "A feather.");
    // The documents the fixture does not name are reported once, here.
    OGameConfig::GetInstance();
  }
  void TearDown() override {
    Reset();
    TWindowManager::GetInstance()->DeletePending();
    TPlatform::SetContentRoot(mOldRoot);
  }
  static void Reset() {
    OHintsManager::DestroyInstance();
    OMissionsManager::DestroyInstance();
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
    OItemsRegistry::DeleteInstance();
    GMousePointer::DestroyInstance();
    OFlagsRegistry::DeleteInstance();
    OGame::DeleteInstance();
    OGameConfig::DeleteInstance();
  }
  static OHintsManager* Hints() { return OHintsManager::GetInstance(); }
  static str Flag(const str& name) { return OFlagsRegistry::GetInstance()->GetValue(name); }
  static std::unique_ptr<TXmlNode> Parse(const str& text) {
    std::unique_ptr<TXmlNode> node(new TXmlNode());
    EXPECT_TRUE(node->ParseString(text));
    return node;
  }
  // Runs a Lua chunk in the window manager's script; false when it fails.
  static bool Lua(const char* code) {
    lua_State* L = LuaBinding::GetState();
    return luaL_dostring(L, code) == 0;
  }
  static bool LuaGlobalIsNil(const char* name) {
    lua_State* L = LuaBinding::GetState();
    lua_getglobal(L, name);
    bool nil = lua_isnil(L, -1);
    lua_pop(L, 1);
    return nil;
  }

  str mOldRoot;
};
