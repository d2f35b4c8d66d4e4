#pragma once
// Decides the pointer's look and carries the held item. Every pointer event
// goes to the controllers in their fixed order; the first that wants the
// pointer is made active and sets the look. The held item belongs to the
// manager while it is held.

#include <utility>
#include <vector>

#include "IMousePointerEventListener.h"
#include "visual/TState.h"

class GVObject;
class IItem;
class IMousePointerController;
class OSceneCaption;

class OMousePointerManager : public IMousePointerEventListener {
 public:
  // The ticks the pointer must rest before the caption comes to it.
  enum { kRestTicks = 10 };

  explicit OMousePointerManager(GVObject* pointer);
  // With these controllers, owned, in place of the standard ones.
  OMousePointerManager(GVObject* pointer, const std::vector<IMousePointerController*>& controllers)
      : mPointer(pointer), mControllers(controllers) {
    PickController();
  }
  ~OMousePointerManager() override;
  OMousePointerManager(const OMousePointerManager&) = delete;
  OMousePointerManager& operator=(const OMousePointerManager&) = delete;

  void SetSceneMode(int mode) override;
  void SetMode(int mode) override;
  void SetInGameMode(bool inGame) override;
  void OnItemDropped() override;
  void HoldItem(IItem* item) override;
  void ReleaseItem() override;
  void SetVisible(bool visible) override;
  void SetMapMode(bool map) override;
  void SetHintMode(bool hint) override;

  // Deletes the held item, if any; the controllers are told it left.
  void DeleteHeldItem();
  // The held item is used up: its registry record says so first (dropped,
  // which no scene builds again), so that the registry, a save and the
  // screen agree that it is gone; then it is deleted.
  void ConsumeHeldItem();
  void Shake();
  void MoveTo(int x, int y);
  void Tick();
  void DrawPass();
  void OnPointerStateEnd(TState state);
  void PickController();

  IItem* GetHeldItem() const { return mHeldItem; }
  // False while SetVisible(false) hides the pointer.
  bool IsVisible() const { return mVisible; }
  int GetX() const { return mPosition.first; }
  int GetY() const { return mPosition.second; }
  int GetRestCounter() const { return mRestCounter; }
  // The current scene's caption; set by the scene, cleared by its destructor.
  void SetCaption(OSceneCaption* caption) { mCaption = caption; }
  OSceneCaption* GetCaption() const { return mCaption; }
  GVObject* GetPointerObject() const { return mPointer; }
  // Takes ownership; controllers are asked in the order they were added.
  void AddController(IMousePointerController* controller);
  const std::vector<IMousePointerController*>& GetControllers() const { return mControllers; }

 private:
  void PlaceHeldItem();

  GVObject* mPointer;
  std::vector<IMousePointerController*> mControllers;
  std::pair<int, int> mPosition{0, 0};
  IItem* mHeldItem = nullptr;
  bool mVisible = true;
  OSceneCaption* mCaption = nullptr;
  int mRestCounter = 0;
};
