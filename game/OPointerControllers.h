#pragma once
// The thirteen controllers that decide the pointer's look. The manager keeps
// them in a fixed order that is their priority: a hidden pointer beats
// everything, the standard pointer beats every game look, the idle look is
// the fallback and always wants the pointer.

#include <vector>

#include "IMousePointerController.h"

class IItem;
class OMousePointerManager;

// Appends the thirteen controllers to the manager in their order of priority.
void AddMousePointerControllers(OMousePointerManager* manager);

// 1: SetVisible(false) gives the pointer the look "stItem" whatever else is
// going on.
class OMousePointerVisibleController : public IMousePointerController {
 public:
  explicit OMousePointerVisibleController(GVObject* pointer) : IMousePointerController(pointer) {}
  void SetVisible(bool visible) override { StoreMode(visible ? 0 : 1); }
  bool WantsPointer() override { return mMode == 1; }
  void Apply() override { ApplyState("stItem"); }
};

// 2: the standard pointer while the mode is 0. Also the base of the in-game
// mode and shaking controllers, which share its mode rule.
class OMousePointerModeController : public IMousePointerController {
 public:
  explicit OMousePointerModeController(GVObject* pointer, int mode = 0) : IMousePointerController(pointer) {
    mMode = mode;
  }
  void SetMode(int mode) override { StoreMode(mode); }
  bool WantsPointer() override { return mMode == 0; }
  void Apply() override {
    if (mMode == 0) ApplyState("stNormal");
  }
};

// The controllers that react to what the scene offers under the pointer.
// Each keeps only the scene modes it knows and takes any other as 0.
class OMousePointerSceneController : public IMousePointerController {
 public:
  explicit OMousePointerSceneController(GVObject* pointer) : IMousePointerController(pointer) {}
  void SetSceneMode(int mode) override { StoreMode(Knows(mode) ? mode : 0); }
  bool WantsPointer() override { return mMode != 0; }

 protected:
  virtual bool Knows(int mode) const = 0;
};

// 12: an item to take (3) or a dialog (5).
class OMousePointerGetItemController : public OMousePointerSceneController {
 public:
  explicit OMousePointerGetItemController(GVObject* pointer) : OMousePointerSceneController(pointer) {}
  void Apply() override;

 protected:
  bool Knows(int mode) const override { return mode == 3 || mode == 5; }
};

// 3: a quest-book page to turn (6).
class OMousePointerQuestBookTurnController : public OMousePointerGetItemController {
 public:
  explicit OMousePointerQuestBookTurnController(GVObject* pointer)
      : OMousePointerGetItemController(pointer) {}
  void Apply() override;

 protected:
  bool Knows(int mode) const override { return mode == 6; }
};

// 6: a border of the scene (7).
class OMousePointerBorderController : public OMousePointerSceneController {
 public:
  explicit OMousePointerBorderController(GVObject* pointer) : OMousePointerSceneController(pointer) {}
  void Apply() override;

 protected:
  bool Knows(int mode) const override { return mode == 7; }
};

// 9: a passage (1), a thing to look at (2) or an item behind a passage (4).
class OMousePointerPassageController : public OMousePointerSceneController {
 public:
  explicit OMousePointerPassageController(GVObject* pointer) : OMousePointerSceneController(pointer) {}
  void Apply() override;

 protected:
  bool Knows(int mode) const override { return mode == 1 || mode == 2 || mode == 4; }
};

// 4: the map pointer while the map mode is on.
class OMousePointerMapController : public IMousePointerController {
 public:
  explicit OMousePointerMapController(GVObject* pointer) : IMousePointerController(pointer) { mMode = 1; }
  void SetMapMode(bool map) override { StoreMode(map ? 0 : 1); }
  bool WantsPointer() override { return mMode == 0; }
  void Apply() override { ApplyState("stMap"); }
};

// 5: the plain pointer inside a scene that switched in-game mode off.
class OMousePointerInGameModeController : public OMousePointerModeController {
 public:
  explicit OMousePointerInGameModeController(GVObject* pointer) : OMousePointerModeController(pointer, 1) {}
  void SetMode(int mode) override {}
  void SetInGameMode(bool inGame) override { StoreMode(inGame ? 1 : 0); }
};

// 7: jitters the pointer for a while when told to shake.
class OMousePointerShakingController : public OMousePointerModeController {
 public:
  // Ticks a shake lasts.
  enum { kTickLimit = 30 };

  OMousePointerShakingController(GVObject* pointer, OMousePointerManager* manager)
      : OMousePointerModeController(pointer), mManager(manager) {}
  void Apply() override {
    if (mMode == 0) ApplyState("stShaking");
  }
  void Shake(bool shake) override;
  void OnTick() override;

 private:
  void PlacePointer(int dx, int dy);

  int mTickCount = 0;
  int mOffsetX = 0, mOffsetY = 0;
  OMousePointerManager* mManager;
};

// 8: the plain pointer while a hint is shown.
class OMousePointerHintController : public IMousePointerController {
 public:
  explicit OMousePointerHintController(GVObject* pointer) : IMousePointerController(pointer) { mMode = 1; }
  void SetHintMode(bool hint) override { StoreMode(hint ? 0 : 1); }
  bool WantsPointer() override { return mMode == 0; }
  void Apply() override { ApplyState("stNormal"); }
};

// 10: shows and draws the held item. The item is visible exactly while this
// controller is the active one, so a look of higher priority hides it.
class OMousePointerItemController : public IMousePointerController {
 public:
  explicit OMousePointerItemController(GVObject* pointer) : IMousePointerController(pointer) {}
  void HoldItem(IItem* item) override { mItem = item; }
  void ReleaseItem() override;
  void SetActive(bool active) override;
  bool WantsPointer() override { return mItem != nullptr; }
  void Apply() override { ApplyState("stItem"); }
  void OnDraw() override;

  IItem* GetItem() const { return mItem; }

 private:
  IItem* mItem = nullptr;
};

// 11: plays the after-drop animation once when an item left the pointer.
class OMousePointerDropItemController : public IMousePointerController {
 public:
  explicit OMousePointerDropItemController(GVObject* pointer) : IMousePointerController(pointer) {}
  void OnItemDropped() override { StoreMode(1); }
  bool WantsPointer() override { return mMode == 1; }
  void Apply() override;
  void OnTick() override;
  void OnPointerStateEnd(TState state) override;
};

// 13: the fallback. Shows the plain pointer, and an idle animation once the
// pointer has rested long enough.
class OMousePointerIdleController : public IMousePointerController {
 public:
  // Ticks at rest before an idle animation starts (it starts on the next).
  enum { kIdleTicks = 180 };

  explicit OMousePointerIdleController(GVObject* pointer);
  void SetActive(bool active) override;
  void OnPointerMove(int x, int y) override { mIdleCount = kIdleTicks; }
  bool WantsPointer() override { return true; }
  void Apply() override;
  void OnTick() override;

  int GetIdleCount() const { return mIdleCount; }

 private:
  bool IsIdleState(TState state) const;

  int mIdleCount = kIdleTicks;
  std::vector<TState> mIdleStates;
};
