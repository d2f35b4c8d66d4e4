#pragma once
// The scene picker ("PickSceneWindow"), a tool for testing content: lists the
// worlds of the configuration and, for a chosen world, its scenes; a scene's
// button jumps there, and "getitem" puts the item typed into "itemedit" in
// the player's hand. Its script binds the buttons to the Lua functions
// "ShowScenes(world)" and "GoToScene(scene)", and defines "ClearScenes()".
// The through-space mode window ("ThroughSpaceModeWnd") is a plain window
// class scripts can create and recognise.

#include <cstdint>
#include <utility>
#include <vector>

#include "game/LuaBinding.h"
#include "sdk/TWindow.h"

class TText;

class GPickSceneWnd : public TWindow {
  TWINDOW_CLASS(GPickSceneWnd, TWindow)
 public:
  GPickSceneWnd();
  ~GPickSceneWnd() override;

  void PostChildrenInit(TWindowStyle& style) override;
  bool OnMessage(const TMessage& message) override;
  bool OnMouseDown(const TPoint& local) override;

  // Lua "ShowScenes": lists the scenes of world `index`.
  void ShowScenes(int index);
  // Lua "GoToScene": jumps to scene `index` of the world shown.
  void GoToScene(int index);

  // {world id, folder} in the order of worlds/destinations.
  const std::vector<std::pair<str, str>>& GetWorlds() const { return mWorlds; }
  const std::vector<str>& GetScenes() const { return mScenes; }
  int GetShownWorld() const { return mShownWorld; }

 private:
  // Puts the typed item in the hand; false when nothing was given.
  bool GiveItem();

  std::vector<std::pair<str, str>> mWorlds;
  std::vector<str> mScenes;
  int32_t mShownWorld = -1;
  TText* mItemField = nullptr;
  LuaNameSet mLuaNames;
};

class GThroughSpaceModeWnd : public TWindow {
  TWINDOW_CLASS(GThroughSpaceModeWnd, TWindow)
 public:
  GThroughSpaceModeWnd() = default;

 private:
  int32_t mUnused = 0;
};
