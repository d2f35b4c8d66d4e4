#pragma once
// The fishing game: the player casts a rod into the water, strikes while a
// fish bites and lands the catch into the panel's fishing basket (panel
// kind 9). One crucian is the key fish; the done button wins with it, else
// hints or loses; the item in the hand at the end is the key or the rod.
// The rules of the rod live in OFishingField; the scene gives them the rod
// object, the sounds and the basket.

#include <vector>

#include "game/GMiniGameScene.h"
#include "minigames/fishing/OFishingField.h"
#include "sdk/TSound.h"

class GInventory;
class GVObjectWrapper;
class IItem;

class GFishingScene : public GMiniGameScene, public GVListener, private IFishingRod {
  TWINDOW_CLASS(GFishingScene, GMiniGameScene)
 public:
  GFishingScene();
  ~GFishingScene() override;

  void Init(TWindowStyle& style) override;
  bool OnTaskAnimate() override;
  bool OnMouseDown(const TPoint& point) override;
  bool OnExtendedMouseEvent(const TPoint& point, int event) override;
  void SetState(int state) override;
  void Update() override;
  bool UsesPanel() override { return true; }
  // The basket takes only fish.
  void AttachPanel(GGamePanel* panel) override;
  // The caught fish never outlive the game: whoever takes the panel away
  // (the game window does before deleting the scene) empties the basket.
  void DetachPanel() override;
  const char* GetRegistryName() const override { return "fishing"; }
  void WriteState(TXmlNode* node) override;
  void SetConfigNode(TXmlNode* node) override;
  void AdoptOverlayChild(TWindow* child) override;
  void Finish(bool won) override;
  void OnDoneClick() override;
  void OnClearClick() override;
  void OnStateEnd(GVObject* object, TState state) override;

  bool IsFishingInventoryFull() const;
  void ClearFishingInventory();
  // The fish goes into the basket's first empty cell; into cell 0, in place
  // of what lies there, when every cell holds one.
  static void PutIntoBasket(GInventory* basket, IItem* fish);

  OFishingField& GetField() { return mField; }
  GVObject* GetRod() const { return mRod; }
  int GetExitHintIndex() const { return mExitHintIndex; }

 private:
  // The rod, as the field moves it.
  void ShowState(const str& name) override;
  str GetShownState() const override;
  float GetRodX() const override;
  float GetRodY() const override;
  void PlaceRod(float x, float y) override;
  void PlaySound(Sound sound) override;
  void LandFish(const str& itemName) override;

  GInventory* GetBasket() const;
  void ShowHint(const str& key);

  OFishingField mField;
  GVObject* mRod = nullptr;  // owned
  TWindow* mGameLayer = nullptr;
  GVObjectWrapper* mObjectWrapper = nullptr;
  TSoundRef mSounds[4];
  str mExitSceneId, mExitKeyId, mExitRodId;
  str mWinFlagName, mWinFlagValue, mLoseFlagName, mLoseFlagValue;
  std::vector<str> mExitHints;
  int mExitHintIndex = 0;
  bool mWon = false;  // as the game ended: the exit item follows it
  str mFullPanelHint;
  TXmlNode* mConfig = nullptr;  // the scene state node; not owned
};

GMiniGameScene* NewFishingScene();
