#pragma once
// One voice in the decision of the pointer's look. The manager passes every
// pointer event to all controllers, then activates the first that wants the
// pointer; only that one sets the look.

#include "IMousePointerEventListener.h"
#include "visual/TState.h"

class GVObject;

class IMousePointerController : public IMousePointerEventListener {
 public:
  explicit IMousePointerController(GVObject* pointer);
  ~IMousePointerController() override = default;

  virtual void SetActive(bool active) { mActive = active; }
  virtual bool WantsPointer() = 0;
  // Sets the look when active and wanted.
  virtual void Apply() = 0;
  virtual void StoreMode(int mode) { mMode = mode; }
  virtual void OnPointerStateEnd(TState state) {}
  virtual void OnTick() {}
  virtual void OnDraw() {}

  bool IsActive() const { return mActive; }
  int GetMode() const { return mMode; }
  // Set to ask the manager for a new pick on the next tick.
  bool changed = false;

 protected:
  // Puts the "main" child into the named state when this controller is the
  // active, wanting one; a look already shown is not restarted.
  void ApplyState(const char* name);

  GVObject* mPointer;
  GVObject* mMain;
  bool mActive = false;
  int mMode = 0;
};
