#pragma once
// Shared by the travel and Vethra tests: the fixture tree under
// tests/fixtures/travel as the content root (worlds "home", "vethra" with
// the scenes "0_0_0", "0_1_1", "1_2_0" and "rim", and "old_keep"; both
// navigator kinds; the Vethra map of four parts and a 3 by 2 grid of 100 by
// 80 cells at (250, 150)), a renderer for the scripts' windows, the game's
// window types, and a game window to play in.

#include <gtest/gtest.h>

#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/GWindowTypes.h"
#include "game/SceneTestUtil.h"
#include "sdk/TRenderer.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "tools/panel/GGamePanel.h"

inline str TravelFixturesDir() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind("/tools/")) + "/fixtures/travel";
}

class TravelFixture : public SceneFixture {
 protected:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    UseRoot(TravelFixturesDir());
    ResetGame();
    TWindowManager* wm = TWindowManager::GetInstance();
    if (!wm->HasWindowType("GTravelSelection")) RegisterWindowTypes(wm);
  }
  void TearDown() override {
    delete mWnd;
    mWnd = nullptr;
    TWindowManager::DestroyInstance();
    SceneFixture::TearDown();
  }
  // A game window as the game's script makes it, with its panel.
  GGameWnd* MakeWindow() {
    GGameWnd* wnd = new GGameWnd();
    TWindowStyle style;
    wnd->Init(style);
    GGamePanel* panel = new GGamePanel();
    panel->SetName("game_panel");
    wnd->AdoptChild(panel);
    wnd->PostChildrenInit(style);
    return wnd;
  }
  // A new game in `scene` of `world`, faded in and playing.
  GScene* Play(const str& world = "home", const str& scene = "") {
    OGame* game = OGame::GetInstance();
    if (world != game->GetCurrentWorldId()) {
      EXPECT_TRUE(game->GoToWorld(world));
    }
    if (!scene.empty()) {
      EXPECT_TRUE(game->SetCurrentScene(scene));
    }
    mWnd = MakeWindow();
    EXPECT_TRUE(mWnd->StartGame(-1));
    Beat(GScene::kFadeTicks);
    GScene* current = mWnd->GetCurrentScene();
    EXPECT_TRUE(current && current->GetState() == GScene::kActive);
    return current;
  }
  void Beat(int n = 1) {
    for (int i = 0; i < n; ++i) mWnd->OnTaskAnimate();
  }
  static void RunLua(const str& code) {
    ASSERT_TRUE(TWindowManager::GetInstance()->GetScript()->DoLuaString(code)) << code;
  }
  GGameWnd* mWnd = nullptr;
};
