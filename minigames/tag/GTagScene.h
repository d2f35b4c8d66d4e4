#pragma once
// The tag game: a sliding-tile puzzle whose tiles also turn. Solving it wins
// at once (or by the panel's done); the panel's exit button keeps the field
// for the next visit and loses. A note the player brought can be read
// through a button of the panel.

#include "game/GMiniGameScene.h"
#include "game/LuaBinding.h"
#include "minigames/tag/GTagField.h"

class GVObjectWrapper;
class TImage;

class GTagScene : public GMiniGameScene, public GVListener {
  TWINDOW_CLASS(GTagScene, GMiniGameScene)
 public:
  GTagScene();
  ~GTagScene() override;

  void Init(TWindowStyle& style) override;
  void Draw() override;
  bool OnTaskAnimate() override;
  bool OnMouseDown(const TPoint& point) override;
  bool OnMouseMove(const TPoint& point) override;
  void Update() override;

  void SetConfigNode(TXmlNode* node) override { mConfig = node; }
  void AdoptOverlayChild(TWindow* child) override;
  void Finish(bool won) override;
  const char* GetRegistryName() const override { return "tags"; }
  void WriteState(TXmlNode* node) override;
  // The saved state, with each tile's glide ("m") and the marker's place.
  void DescribeState(TXmlNode* node) override;

  void OnDoneClick() override;
  void OnClearClick() override;
  // The panel's note button.
  void OnMinigameButtonClick();

  GTagField& GetField() { return mField; }
  TImage* GetNoteImage() const { return mNoteImage; }
  bool IsNoteShown() const { return mNoteShown; }

  // The flag that records that the note has been handed over.
  static const char* const kHasNoteFlag;

 private:
  void ReadConfig();
  void SetUpNote(TXmlNode* note);
  // Takes the note item from the hand, else from the main inventory.
  bool TakeNoteItem(const str& name);
  void HideNoteButton();
  void ShowNote();

  GTagField mField;
  TXmlNode* mConfig = nullptr;  // the scene state; not owned
  str mExitItem, mWinScene, mLostScene;
  str mWinFlagName, mWinFlagValue, mLoseFlagName, mLoseFlagValue;
  TImage* mNoteImage = nullptr;  // adopted into the overlay layer
  bool mNoteShown = false;
  TWindow* mLayer = nullptr;
  GVObjectWrapper* mWrapper = nullptr;
  LuaNameSet mLuaNames{this};
};

GMiniGameScene* NewTagScene();
