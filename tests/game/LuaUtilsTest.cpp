// The script window loader, window casts, the shared generator and the Lua
// stack guard.

#include <gtest/gtest.h>

#include <lua.hpp>

#include "StartupTestUtil.h"
#include "game/GWindowTypes.h"
#include "sdk/TModalWindow.h"
#include "sdk/TRandom.h"
#include "sdk/TScript.h"
#include "sdk/TSlider.h"
#include "sdk/TWindowManager.h"
#include "tools/panel/GGamePanel.h"
#include "visual/LuaUtils.h"

namespace {
class LuaUtilsTest : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    wm = TWindowManager::GetInstance();
    if (!wm->HasWindowType("GamePanel")) RegisterWindowTypes(wm);
    stackBefore = wm->GetModalStack();
  }
  void TearDown() override {
    wm->DeletePending();
    StartupTest::TearDown();
  }
  TWindowManager* wm = nullptr;
  std::vector<TModalWindow*> stackBefore;
};
}  // namespace

TEST_F(LuaUtilsTest, WindowCastFollowsClassIdentity) {
  GGamePanel panel;
  TSlider slider;
  TWindow plain;
  EXPECT_EQ(WindowCast<GGamePanel>(&panel), &panel);
  EXPECT_EQ(WindowCast<TWindow>(&panel), &panel);
  EXPECT_EQ(WindowCast<TSlider>(&panel), nullptr);
  EXPECT_EQ(WindowCast<TSlider>(&slider), &slider);
  EXPECT_EQ(WindowCast<GGamePanel>(&plain), nullptr);
  EXPECT_EQ(WindowCast<GGamePanel>(static_cast<TWindow*>(nullptr)), nullptr);
}

TEST_F(LuaUtilsTest, LoaderTakesOutTheChildOfTheWantedClassAndDropsItsModal) {
  struct Case {
    const char* script;
    const char* child;
    bool typed;  // ask for a GGamePanel
    bool found;
  } cases[] = {
      {"scripts/panel.lua", "game_panel", true, true},
      {"scripts/panel.lua", "plain", false, true},  // the generic loader takes any window
      {"scripts/panel.lua", "plain", true, false},  // of another class: as if missing
      {"scripts/panel.lua", "nowhere", false, false},
      {"scripts/broken.lua", "game_panel", false, false},
      {"scripts/absent.lua", "game_panel", false, false},
  };
  for (const Case& c : cases) {
    TWindow* w = c.typed ? LoadWindowFromScript<GGamePanel>(c.script, c.child)
                         : LoadWindowFromScript(c.script, c.child);
    EXPECT_EQ(w != nullptr, c.found) << c.script << " " << c.child;
    EXPECT_EQ(wm->GetModalStack(), stackBefore) << c.script << " " << c.child;
    if (w) {
      EXPECT_EQ(w->GetName(), c.child);
      EXPECT_EQ(w->GetParent(), nullptr);  // the caller's now
      delete w;
    }
    wm->DeletePending();
  }
}

TEST_F(LuaUtilsTest, LoaderPopsItsOwnModalEvenWhenTheScriptLeftOneOpen) {
  TWindow* w = LoadWindowFromScript("scripts/leaves_modal.lua", "wanted");
  ASSERT_NE(w, nullptr);
  delete w;
  for (TModalWindow* m : wm->GetModalStack()) EXPECT_NE(m->GetName(), "temp_modal");
  EXPECT_EQ(wm->GetModalStack(), stackBefore);
}

TEST_F(LuaUtilsTest, SharedRandomIsMadeOnceUntilDropped) {
  DeleteSharedRandom();
  TRandom* first = GetSharedRandom();
  EXPECT_EQ(GetSharedRandom(), first);
  // Seeded with the platform clock at its making.
  TRandom expected(TPlatform::GetInstance()->Timer());
  EXPECT_EQ(first->Next(), expected.Next());
  DeleteSharedRandom();
  TPlatform::GetInstance()->Tick(16);
  TRandom* second = GetSharedRandom();
  TRandom reseeded(TPlatform::GetInstance()->Timer());
  EXPECT_EQ(second->Next(), reseeded.Next());
  DeleteSharedRandom();
}

TEST_F(LuaUtilsTest, StackGuardRestoresTheTopAndArgToStrTakesArgumentOne) {
  lua_State* L = wm->GetScript()->GetState();
  int top = lua_gettop(L);
  {
    LuaStackGuard guard(L);
    lua_pushnumber(L, 1);
    lua_pushstring(L, "left behind");
  }
  EXPECT_EQ(lua_gettop(L), top);

  // A fresh thread stands for a call's stack: argument 1 is index 1.
  lua_State* co = lua_newthread(L);
  EXPECT_EQ(LuaArgToStr(co), "");
  lua_pushstring(co, "Ann");
  EXPECT_EQ(LuaArgToStr(co), "Ann");
  lua_pop(L, 1);
}
