#pragma once
// The eleven things scenes, items and tools tell the pointer. Every
// operation does nothing by default, so a listener overrides only the events
// it cares about.

class IItem;

class IMousePointerEventListener {
 public:
  virtual ~IMousePointerEventListener() = default;
  // What the scene offers under the pointer: 0 nothing, 1 a passage, 2 a
  // thing to look at, 3 an item to take, 4 an item behind a passage, 5 a
  // dialog, 6 a quest-book page to turn, 7 a border.
  virtual void SetSceneMode(int mode) {}
  // 0 the standard pointer, anything else the game's own.
  virtual void SetMode(int mode) {}
  // False forces the plain pointer inside a scene.
  virtual void SetInGameMode(bool inGame) {}
  virtual void OnItemDropped() {}
  virtual void HoldItem(IItem* item) {}
  virtual void ReleaseItem() {}
  virtual void OnPointerMove(int x, int y) {}
  virtual void SetVisible(bool visible) {}
  virtual void SetMapMode(bool map) {}
  virtual void SetHintMode(bool hint) {}
  virtual void Shake(bool shake) {}
};
