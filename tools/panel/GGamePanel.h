#pragma once
// The strip of controls over the bottom of every scene that uses it: the
// inventories, the passage arrows, the magic control, the book button, the
// mini-games' done and clear buttons, the exit and menu buttons. There is
// one for the whole game; the game window owns it and each scene that uses
// it adopts it while it is current. The panel decides nothing about the
// game: it shows the children of the current scene's panel kind, keeps them
// enabled or not, turns button clicks into calls on the scene (its client),
// and ticks its inventories, the magic control and the book button.

#include <set>
#include <vector>

#include "game/LuaBinding.h"
#include "sdk/TSprite.h"
#include "sdk/TWindow.h"
#include "visual/TFxSprite.h"

class GButton;
class GGameWnd;
class GScene;
class GInteractiveButton;
class GInventory;
class GMagicControl;
class GQuestBookControl;
class GVethraGlobe;
class IItemsManager;
class IPanelClient;
class TImage;
class TProgressBar;
class TXmlNode;

class GGamePanel : public TWindow {
  TWINDOW_CLASS(GGamePanel, TWindow)
 public:
  // The inventories, in the order the panel makes them.
  enum {
    kMainInventory,
    kCookInventory,
    kFishingInventory,
    kPlantsInventory,
    kMirrorsInventory,
    kInventoryCount
  };
  // Panel kinds, one per kind of scene.
  enum {
    kKindGame = 0,
    kKindAlchemicalDevice = 1,
    kKindVethra = 2,
    kKindFullScreen = 3,
    kKindGameOver = 4,
    kKindUnderwater = 5,
    kKindCook = 6,
    kKindTag = 7,
    kKindMirrors = 8,
    kKindFishing = 9,
    kKindCatapult = 10,
    kKindPlants = 11,
    kKindCards = 12,
    kKindShooter = 13
  };
  // Passage directions; the scene gives one more entry, exit (4).
  enum { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3, kPassageButtons = 4 };
  // Which panel_bgs picture is loaded.
  enum {
    kNoBackground = -1,
    kCommon = 0,
    kKingCook = 1,
    kAlchemical = 2,
    kFullScreenBg = 3,
    kGameOverBg = 4
  };

  GGamePanel();
  ~GGamePanel() override;

  void Init(TWindowStyle& style) override;
  void PostChildrenInit(TWindowStyle& style) override;
  void PostDraw() override;
  // Whether the point (panel coordinates, which are the screen's) lies on
  // a fully opaque pixel of the current background.
  bool HitTest(const TPoint& point) const override;
  // Whether the current inventory holds an item of that name.
  virtual bool HasItem(const str& name);

  void SetKind(int kind);
  int GetKind() const { return mKind; }
  // Locked while the scene is paused or shows a front item: cells refuse
  // clicks, passage arrows are disabled, the magic control is locked and the
  // menu button is ignored. Done, clear and scrolling stay.
  void Lock();
  void Unlock();
  bool IsLocked() const { return mLocked; }
  void Update();
  bool IsOverInventoryCell(const TPoint& point) const;
  // Which borders the scene has: left, right, top, bottom, exit.
  void SetPassages(std::vector<bool> passages);
  bool HasPassage(int direction) const;
  void SetItemsManager(IItemsManager* manager);
  IItemsManager* GetItemsManager() const { return mItemsManager; }
  void SetClient(IPanelClient* client) { mClient = client; }
  // A scene gives the panel up: it leaves `holder` when it lies there, and
  // its client and items manager are cleared when they are that scene's, so
  // the panel never keeps a deleted client.
  void Release(IPanelClient* client, TWindow* holder);
  IPanelClient* GetClient() const { return mClient; }
  void SetGameWnd(GGameWnd* wnd) { mGameWnd = wnd; }
  GGameWnd* GetGameWnd() const { return mGameWnd; }
  // Every stored item forgets its scene mask.
  void RefreshInventoryItems();
  // The five inventories emptied, their items deleted.
  void DeleteInventoryItems();
  void OnMagicRegistryChanged(const str& key, int value);
  // The alchemical device's done button, live or greyed.
  void ShowDoneButton(bool enabled);
  void HideDoneClear();
  void PlayAlchemicalPanelEffects();
  void RemoveLeftEffect();
  void RemoveRightEffect();

  void Save(TXmlNode* save);
  // Every item name put into a cell is added to `placed`: a name the save
  // gives twice is made once, in the first cell, and the others are reported.
  void Load(TXmlNode* save, std::set<str>* placed = nullptr);

  // The Lua globals.
  void onInventoryPrev();
  void onInventoryNext();
  void onDoneClick();
  void onClearClick();
  void onLeftButtonClick() { PassageClick(kLeft); }
  void onRightButtonClick() { PassageClick(kRight); }
  void onTopButtonClick() { PassageClick(kTop); }
  void onBottomButtonClick() { PassageClick(kBottom); }
  void onExitFullScreenClick() { PassageClick(4); }
  void onGlobeClick();
  void onGlobeLeftButtonClick();
  void onGlobeRightButtonClick();
  void onMenuButtonClick();

  GInventory* GetInventory(int index) const;
  GInventory* GetMainInventory() const { return mInventories[kMainInventory]; }
  // The inventory of the current kind: cook 6, mirrors 8, fishing 9,
  // plants 11, every other kind the main one.
  GInventory* GetCurrentInventory() const;
  GMagicControl* GetMagicControl() const { return mMagicControl; }
  // The Vethra world's globe, owned; active for the Vethra kind only.
  GVethraGlobe* GetGlobe() const { return mGlobe; }
  GQuestBookControl* GetQuestBookControl() const { return mQuestBookControl; }
  TImage* GetBackground() const { return mBackground; }
  int GetBackgroundId() const { return mBackgroundId; }
  GInteractiveButton* GetPassageButton(int direction) const;
  // A named child of the style, shown or not; null when the style gave
  // none of the right class.
  TWindow* GetNamedChild(const str& name) const;
  bool IsMenuRequested() const { return mMenuRequest; }
  // The scene on screen in the running game, which the panel's tools ask
  // about pauses and play; null between scenes or without a game.
  static GScene* CurrentScene();
  const TSpriteRef& GetSpriteRoot() const { return mSpriteRoot; }
  TFxSpriteRef GetLeftEffect() const { return mLeftEffect; }
  TFxSpriteRef GetRightEffect() const { return mRightEffect; }

 private:
  struct Named {
    const char* name;
    uintptr_t (*classId)();
    TWindow* window;
  };
  void HideAllChildren();
  void LoadBackground(int kind);
  void UpdatePassageButtons();
  void UpdateArrows();
  void PassageClick(int direction);
  // The globe rule: a locked panel asks the client.
  bool CanUseGlobe();
  // The globe arrows: one position right (1) or left (-1) of the target.
  void TurnGlobe(int step);
  void Show(TWindow* w);
  void Show(const char* name) { Show(GetNamedChild(name)); }
  void ShowPassageButtons();
  void ShowArrows();
  TFxSpriteRef MakeEffect(TXmlNode* node, void (GGamePanel::*remove)());
  void SaveInventory(TXmlNode* panel, const char* element, GInventory* inventory);
  void LoadInventory(TXmlNode* panel, const char* element, GInventory* inventory, std::set<str>* placed);

  GGameWnd* mGameWnd = nullptr;                    // not owned
  IItemsManager* mItemsManager = nullptr;          // not owned
  GInventory* mInventories[kInventoryCount] = {};  // owned
  GVethraGlobe* mGlobe = nullptr;                  // owned
  GQuestBookControl* mQuestBookControl = nullptr;  // owned
  TImage* mBackground = nullptr;                   // owned
  std::vector<Named> mNamed;                       // owned windows
  int mKind = kKindGame;
  IPanelClient* mClient = nullptr;  // not owned
  TFxSpriteRef mLeftEffect;
  TFxSpriteRef mRightEffect;
  TSpriteRef mSpriteRoot;
  bool mLocked = false;
  GInteractiveButton* mPassageButtons[kPassageButtons] = {};  // among the named
  std::vector<bool> mPassages;
  GMagicControl* mMagicControl = nullptr;  // owned
  bool mMenuRequest = false;
  int mBackgroundId = kNoBackground;
  LuaNameSet mLuaNames;
};
