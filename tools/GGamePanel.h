#pragma once
// Stand-in for the game panel until the player tools land: a real window of
// type "GamePanel" that takes no clicks, holds no items, keeps its kind and
// passages, and writes an empty "panel" section. It records what it was
// asked so tests can see the scenes use it.

#include <vector>

#include "game/LuaBinding.h"
#include "game/OCallLog.h"
#include "sdk/TWindow.h"

class GGameWnd;
class GInventory;
class GVethraGlobe;
class IItem;
class IPanelClient;
class OItemsManager;
class TXmlNode;

class GGamePanel : public TWindow {
  TWINDOW_CLASS(GGamePanel, TWindow)
 public:
  enum { kInventoryCount = 5 };
  GGamePanel();
  ~GGamePanel() override;

  void SetKind(int kind);
  int GetKind() const { return mKind; }
  void Update();
  void Lock();
  void Unlock();
  bool IsLocked() const { return mLocked; }
  void SetPassages(const bool passages[5]);
  bool HasPassage(int direction) const { return direction >= 0 && direction < 5 && mPassages[direction]; }
  bool HitTest(const TPoint& point) const override;
  bool IsOverInventoryCell(const TPoint& point) const;
  bool HasItem(const str& name) const;
  void RefreshInventoryItems();
  void onInventoryPrev();
  void onInventoryNext();
  // The globe of the Vethra world, owned; active for kind 2 only.
  GVethraGlobe* GetGlobe() const { return mGlobe; }

  void Save(TXmlNode* save) const;
  void Load(TXmlNode* save);

  // Fields the shell and scenes touch.
  GGameWnd* mGameWnd = nullptr;
  IPanelClient* mClient = nullptr;
  OItemsManager* mItemsManager = nullptr;
  GInventory* mInventories[kInventoryCount] = {};
  std::vector<IItem*> mMainCells;

  const std::vector<str>& GetAsked() const { return mAsked.Lines(); }

 private:
  LuaNameSet mLuaNames;
  GVethraGlobe* mGlobe = nullptr;
  int mKind = 0;
  bool mLocked = false;
  bool mPassages[5] = {};
  mutable OCallLog mAsked{"panel"};
};
