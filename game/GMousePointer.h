#pragma once
// The pointer the game draws in place of the system cursor: a visual object
// from mousepointercfg, drawn over the held item by a window that lies over
// everything else in the application window. One instance for the process.

#include <set>

#include "IMousePointerEventListener.h"
#include "sdk/TWindow.h"
#include "visual/GVDrawList.h"
#include "visual/GVObject.h"

class IItem;
class IItemsManager;
class OMousePointerManager;
class TXmlNode;

class GMousePointer : public TWindow, public GVListener, public IMousePointerEventListener {
  TWINDOW_CLASS(GMousePointer, TWindow)
 public:
  GMousePointer();
  ~GMousePointer() override;

  static GMousePointer* GetInstance();
  // The instance if one was made, without making one.
  static GMousePointer* PeekInstance();
  // Its manager, when the pointer exists and is set up; else null.
  static OMousePointerManager* PeekManager();
  static void DestroyInstance();

  // Once only: loads the pointer object and creates the manager.
  void Init(TWindowStyle& style) override;
  void Draw() override;
  // The pointer lies over everything but never takes input itself.
  bool HitTest(const TPoint& local) const override { return false; }

  void SetSceneMode(int mode) override;
  void SetInGameMode(bool inGame) override;
  void OnItemDropped() override;
  void HoldItem(IItem* item) override;
  void ReleaseItem() override;
  void SetVisible(bool visible) override;
  void SetMapMode(bool map) override;
  void SetHintMode(bool hint) override;

  void OnStateEnd(GVObject* object, TState state) override;

  // Writes "pointer_item" under `save`, empty when the hand is empty.
  void SaveItem(TXmlNode* save);
  // Replaces the held item by the one the save names, made for `items`;
  // an item the load has `placed` elsewhere already is reported, not held.
  void LoadItem(TXmlNode* save, IItemsManager* items, const std::set<str>* placed = nullptr);

  // Null until Init ran.
  OMousePointerManager* GetManager() const { return mManager; }
  GVObject* GetPointerObject() const { return mPointerObject; }
  bool IsInitialised() const { return mInitialised; }
  // The held item, null when the hand is empty or before Init.
  IItem* GetHeldItem() const;

 private:
  bool mInitialised = false;
  GVDrawList mDrawList;
  GVObject* mPointerObject = nullptr;
  OMousePointerManager* mManager = nullptr;
};
