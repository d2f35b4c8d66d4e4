#pragma once
// The tag game: a sliding-tile puzzle whose tiles also turn. Solving it wins
// at once (or by the panel's done); the panel's exit button keeps the field
// for the next visit and loses. A note the player brought can be read
// through a button of the panel.

#include "game/LuaBinding.h"
#include "minigames/GBoardGameScene.h"
#include "minigames/tag/GTagField.h"

class TImage;

class GTagScene : public GBoardGameScene, public GVListener {
  TWINDOW_CLASS(GTagScene, GBoardGameScene)
 public:
  GTagScene();
  ~GTagScene() override;

  void Init(TWindowStyle& style) override;
  bool OnMouseDown(const TPoint& point) override;
  bool OnMouseMove(const TPoint& point) override;
  void Update() override;

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
  void SetUpNote(TXmlNode* note);
  // Takes the note item from the hand, else from the main inventory.
  bool TakeNoteItem(const str& name);
  void HideNoteButton();
  void ShowNote();

  GTagField mField;
  TImage* mNoteImage = nullptr;  // adopted into the overlay layer
  bool mNoteShown = false;
  LuaNameSet mLuaNames{this};
};

GMiniGameScene* NewTagScene();
