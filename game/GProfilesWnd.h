#pragma once
// The profiles window ("ProfilesWindow"): lists the players, lets the player
// pick one (a second click on the same name confirms it), asks before
// deleting one, and makes the chosen player current with that player's
// saves. Built by "scripts/chooseplayer.lua" inside the modal "profiles".
// The enter-name window ("EnterName") is where a new player's name is typed;
// its script creates the player through the users manager's Lua functions.

#include <cstdint>

#include "game/GSlotColumn.h"
#include "game/LuaBinding.h"
#include "sdk/TWindow.h"

class GSlidingPanel;
class TText;

class GProfilesWnd : public TWindow {
  TWINDOW_CLASS(GProfilesWnd, TWindow)
 public:
  GProfilesWnd();
  ~GProfilesWnd() override;

  void PostChildrenInit(TWindowStyle& style) override;
  bool OnTaskAnimate() override;
  bool OnMessage(const TMessage& message) override;

  // Lua "onListChanged": reads the players again, the current one selected.
  virtual void ReloadList();
  // Keeps the last page full, shows the players from first on and the
  // selected one's name.
  void Refresh();
  // Makes the selected player current (with that player's saves) and closes.
  void Confirm();

  const GSlotColumn& GetColumn() const { return mColumn; }
  int GetMaxPlayers() const { return mMaxPlayers; }

 private:
  void ReadPlayers();
  // "btnNew" only while there is room for a player, "btnDelete" only while
  // deleting leaves one.
  void SetUpButtons();

  GSlotColumn mColumn{"profile%d"};
  int32_t mMaxPlayers = 10;
  TText* mSelectedLabel = nullptr;
  GSlidingPanel* mPanel = nullptr;
  LuaNameSet mLuaNames;
};

class GEnterNameWnd : public TWindow {
  TWINDOW_CLASS(GEnterNameWnd, TWindow)
 public:
  GEnterNameWnd() = default;
  void PostChildrenInit(TWindowStyle& style) override;
  bool OnMouseDown(const TPoint& local) override;
  TText* GetNameField() const { return mNameField; }

 private:
  TText* mNameField = nullptr;
};
