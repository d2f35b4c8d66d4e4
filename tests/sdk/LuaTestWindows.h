#pragma once
// A root modal to build windows into, and the player's hand: events through
// the window manager as the platform delivers them.

#include <gtest/gtest.h>

#include <lua.hpp>
#include <vector>

#include "sdk/CoreTestUtil.h"
#include "sdk/TEvent.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"

// Remembers the messages that bubble up to it; takes them when told to.
class TMessageCatcher : public TWindow {
  TWINDOW_CLASS(TMessageCatcher, TWindow)
 public:
  bool OnMessage(const TMessage& m) override {
    kinds.push_back(m.kind);
    senders.push_back(m.senderName);
    return take;
  }
  std::vector<int> kinds;
  std::vector<str> senders;
  bool take = true;
};

class WindowTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatform::SetContentRoot(CoreFixturesDir());
    wm = TWindowManager::GetInstance();
    wm->AddWindowType("MessageCatcher", &TMessageCatcher::Create);
    root = new TModalWindow();
    root->SetName("root");
    root->SetWindowSize(800, 600);
    wm->PushModal(root);
    L = wm->GetScript()->GetState();
    top = lua_gettop(L);
  }
  void TearDown() override {
    EXPECT_EQ(lua_gettop(L), top) << "values left on the game's Lua stack";
    wm->PopModal(root);  // and every modal above it
    wm->DeletePending();
  }

  void Mouse(uint32_t type, int x, int y) {
    TEvent e;
    e.type = type;
    e.point = TPoint(float(x), float(y));
    wm->HandleEvent(e);
  }
  void Press(int x, int y) {
    Mouse(TEvent::kMouseMove, x, y);
    Mouse(TEvent::kMouseDown, x, y);
  }
  void Release(int x, int y) {
    Mouse(TEvent::kMouseMove, x, y);
    Mouse(TEvent::kMouseUp, x, y);
  }
  void Click(int x, int y) {
    Press(x, y);
    Release(x, y);
  }
  void Key(uint32_t type, int key) {
    TEvent e;
    e.type = type;
    e.key = key;
    wm->HandleEvent(e);
  }
  // Types as the platform reports a key: its key down, then its character.
  void Type(const std::vector<int>& chars) {
    for (int ch : chars) {
      Key(TEvent::kKeyDown, (ch >= 'A' && ch <= 'Z') ? ch - 'A' + 'a' : ch);
      Key(TEvent::kChar, ch);
    }
  }

  double LuaNumber(const char* global) {
    lua_getfield(L, LUA_GLOBALSINDEX, global);
    double v = lua_tonumber(L, -1);
    lua_pop(L, 1);
    return v;
  }
  str LuaString(const char* global) {
    lua_getfield(L, LUA_GLOBALSINDEX, global);
    str v = lua_isstring(L, -1) ? str(lua_tostring(L, -1)) : str("<nil>");
    lua_pop(L, 1);
    return v;
  }
  bool IsGlobalNilHelper(const char* global) { return wm->GetScript()->IsGlobalNil(global); }
  str TopName() const {
    TModalWindow* m = wm->GetTopModalWindow();
    return m ? m->GetName() : str("<none>");
  }

  TWindowManager* wm = nullptr;
  TModalWindow* root = nullptr;
  lua_State* L = nullptr;
  int top = 0;
};

template <class T>
T* As(TWindow* w) {
  return w && w->IsKindOf(T::ClassId()) ? static_cast<T*>(w) : nullptr;
}
