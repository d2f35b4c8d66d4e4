#pragma once
// Windows that bring visual objects into the window tree: a wrapper whose
// owner draws its objects through a client, and a window that shows one
// object named by its style.

#include "GVDrawList.h"
#include "sdk/TWindow.h"

class GVObject;
class GVObjectWrapperClient;

class GVObjectWrapper : public TWindow {
  TWINDOW_CLASS(GVObjectWrapper, TWindow)
 public:
  ~GVObjectWrapper() override = default;
  void PostDraw() override;

  GVObjectWrapperClient* client = nullptr;  // not owned; set by the owner
};

// Style keys: "gvobject_name", "gvobject_state", "dx", "dy", "rotation" (degrees).
class GVLuaObject : public TWindow {
  TWINDOW_CLASS(GVLuaObject, TWindow)
 public:
  ~GVLuaObject() override;
  void PostChildrenInit(TWindowStyle& style) override;
  void PostDraw() override;
  GVObject* GetObject() const { return mObject; }
  GVDrawList& GetDrawList() { return mDrawList; }
  float GetRotation() const { return mRotation; }

 private:
  GVObject* mObject = nullptr;  // owned
  GVDrawList mDrawList;
  float mRotation = 0;  // radians
};
