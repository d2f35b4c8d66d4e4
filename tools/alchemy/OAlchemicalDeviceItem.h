#pragma once
// The alchemical device: the scene item in which potions are brewed. A
// burning match lights it; a liquid goes in first, then ingredients fall
// along a path into the cells of its panel; the game panel's done button
// brews the first recipe the contents match exactly, and a ready potion is
// drawn off into a container or thrown away. Its contents and a ready potion
// are kept in the drop-zone registry under the item's name; whether it is
// lit is a game variable.

#include <utility>
#include <vector>

#include "items/OItem.h"
#include "tools/alchemy/OAlchemicalRecipes.h"
#include "visual/TFxSprite.h"

class GAlchemicalDevicePanel;
class GBaseInterpolator;
class GGamePanel;
class IMask;
class OAlchemicalDevicePotionEffect;
class OItemMask;
class OSoundController;
class TWindow;

class OAlchemicalDeviceItem : public OItem {
 public:
  enum State {
    kIdle = 0,
    kFalling = 1,
    kFailed = 2,
    kSmoking = 3,
    kPotionAppearing = 4,
    kPotionReady = 5,
    kPotionLeaving = 6,
    kUnnecessaryItemsHint = 7,
    kRemovingUnnecessaryItems = 8,
  };
  // Ticks between the unnecessary-items hint closing and the removal.
  enum { kRemovalDelay = 40 };

  // `host` receives the potion window; it may be null (the window is then
  // kept and drawn by nobody).
  static OAlchemicalDeviceItem* Create(const str& name, TXmlNode* node, IItemsManager* owner, TWindow* host);
  // The factory's creator: the host is the effect layer of the owner's
  // scene when that scene is the device scene.
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);
  ~OAlchemicalDeviceItem() override;

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OAlchemicalDeviceItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OAlchemicalDeviceItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  // Links the main mask; restarts the ready potion or the liquid's steam.
  void CreateObject() override;
  // The device, the falling item, then its particle effects.
  void Draw() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  // Lights, fills or draws off by the state; true for the device's mask.
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  void ReleaseMask() override {}
  void Detach() override;
  void Update() override;
  void SaveState() override;

  // Binds the device to its scene's panel and places the restored contents.
  void LoadIntoPanel(GAlchemicalDevicePanel* panel);
  void SetGamePanel(GGamePanel* panel) { mGamePanel = panel; }
  bool IsLit() const;
  // The game panel's done and clear buttons.
  void Brew();
  void Clear();
  void OnSceneResumed();
  // Sets the state and runs its entry work.
  void SetState(int state);
  int GetState() const { return mState; }

  // The recipe the contents (or `names`) match exactly, or -1.
  int FindExactRecipe() const;
  int FindExactRecipe(const std::vector<str>& names) const;
  // The child of "effects" named after a recipe id or "failed", or null.
  TXmlNode* FindEffect(const str& name) const;

  // The item of that name falling in or lying in a cell, or null.
  IItem* FindContainedItem(const str& name) const;
  // Whether an item of the name is held, lies in the scene, is in the device
  // or is stored in one of the panel's inventories.
  bool IsInPlay(const str& name) const;

  int GetRecipeIndex() const { return mRecipeIndex; }
  const OAlchemicalRecipes& GetRecipes() const { return mRecipes; }
  IItem* GetFallingItem() const { return mFalling; }
  int GetFallIndex() const { return mFallIndex; }
  const std::vector<std::pair<int, int>>& GetFallPath() const { return mFallPath; }
  GAlchemicalDevicePanel* GetPanel() const { return mPanel; }
  OAlchemicalDevicePotionEffect* GetPotionEffect() const { return mPotionEffect; }
  OSoundController* GetBoilingSound() const { return mBoilingSound; }
  const std::vector<int>& GetRemovalList() const { return mRemovalList; }
  int GetSmokeCounter() const { return mSmokeCounter; }
  // The effect container and the four effect slots.
  const TSpriteRef& GetEffects() const { return mEffects; }
  const TFxSpriteRef& GetSmokeEffect() const { return mSmoke; }
  const TFxSpriteRef& GetPotionParticle() const { return mPotion; }
  const TFxSpriteRef& GetSteamEffect() const { return mSteam; }
  const TFxSpriteRef& GetItemEffect() const { return mItemFx; }

 private:
  OAlchemicalDeviceItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath,
                        TWindow* host);
  void ReadConfiguration(TXmlNode* node);
  void Restore();

  // Lighting, adding and drawing off: what a click does.
  void TryTurnOn();
  void DropHeldItem();
  // True when something went in; `added` names what falls in.
  bool UseSpecialItem(TXmlNode* special, str* added);
  void OnItemAdded(const str& addedName);
  void StartFall(IItem* item);
  void FallStep();
  void FillContainer();
  // Queues the hint and plays the impossible sound.
  void Refuse(const str& hint);
  void QueueHint(const str& hint);

  // The special_items child describing that current name, or null.
  TXmlNode* FindSpecialItem(const str& name) const;
  // The special_items liquid of that liquid id, or null.
  TXmlNode* FindLiquid(const str& liquidId) const;
  bool IsRestricted(const str& name) const;
  const str& LiquidName() const;
  bool HoldsSomething() const;

  // The brewing steps.
  void MarkUnnecessaryItems();
  void RunRestoreAction(const str& itemName);
  void ReturnContents();
  void StartSmoke();
  void StartFailedEffect();
  void StartLiquidSteam();
  void UpdateInterpolator();
  void OpenPotionWindow(bool complete);
  void ClosePotionWindow();
  void StartEffect(TXmlNode* node, TFxSpriteRef& slot);
  static void StopEffect(const TFxSpriteRef& slot);
  void DeleteBoilingSound();
  bool IsScenePaused() const;
  const str& RecipeId() const;
  void ResumeScene();
  void PauseScene();

  // Configuration.
  int32_t mSceneX = 0, mSceneY = 0;
  str mMainMaskName;
  std::vector<str> mMatchItems;
  str mLitFlagName, mLitFlagValue;
  std::vector<str> mRestrictedItems;
  std::vector<str> mLockedItems;
  std::vector<std::pair<int, int>> mFallPath;  // each configured point three times
  OAlchemicalRecipes mRecipes;
  TXmlNode* mEffectsNode = nullptr;
  TXmlNode* mSpecialItems = nullptr;
  TXmlNode* mLiquidSteams = nullptr;
  TXmlNode* mClearEffect = nullptr;
  TXmlNode* mIncorrectItemEffect = nullptr;
  TXmlNode* mBoilingNode = nullptr;
  TXmlNode* mRestoreActions = nullptr;
  struct RandomEffect {
    str file;
    int x, y;
  };
  std::vector<RandomEffect> mRandomEffects;
  int mSuccessfulSmokeTicks = 0;
  str mHintWrongLiquid, mHintMissingIngredients, mHintUnnecessaryItems, mHintFire, mHintLiquid,
      mHintWrongItem, mHintNoEmptyCell;

  // Runtime.
  int mState = kIdle;
  OItemMask* mMainMask = nullptr;
  IItem* mFalling = nullptr;  // owned while it falls
  int mFallIndex = 0;
  int mRecipeIndex = -1;
  int mSmokeCounter = 0;
  int mRemovalCounter = 0;
  std::vector<int> mRemovalList;
  struct Restored {
    str name;
    int x, y;
  };
  std::vector<Restored> mRestored;
  GAlchemicalDevicePanel* mPanel = nullptr;
  GGamePanel* mGamePanel = nullptr;
  TWindow* mHost;
  OAlchemicalDevicePotionEffect* mPotionEffect = nullptr;  // the host's while adopted
  TSpriteRef mEffects;
  TFxSpriteRef mSmoke, mPotion, mSteam, mItemFx;
  GBaseInterpolator* mPotionInterpolator = nullptr;  // owned
  OSoundController* mBoilingSound = nullptr;         // owned
};
