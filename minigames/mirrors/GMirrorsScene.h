#pragma once
// The mirrors game: nine mirrors in the panel's mirrors inventory are laid
// on the board's markers and taken back; done checks that every required
// marker holds one, the board flies up, and a win animation ends in a win
// or an empty required marker in a loss.

#include "minigames/GBoardGameScene.h"
#include "minigames/mirrors/GMirrorsField.h"

class GInventory;

class GMirrorsScene : public GBoardGameScene, public GVListener {
  TWINDOW_CLASS(GMirrorsScene, GBoardGameScene)
 public:
  enum { kMirrorCount = 9 };

  GMirrorsScene();
  ~GMirrorsScene() override;

  void Init(TWindowStyle& style) override;
  bool OnMouseDown(const TPoint& point) override;
  bool OnMouseMove(const TPoint& point) override;
  bool OnExtendedMouseEvent(const TPoint& point, int kind) override;
  void Update() override;
  // The mirrors inventory takes only mirrors.
  void AttachPanel(GGamePanel* panel) override;
  // The mirrors still in the panel's mirrors inventory go with the game.
  void DetachPanel() override;

  void Finish(bool won) override;
  bool IsGamePiece(IItem* item) const override;
  const char* GetRegistryName() const override { return "mirrors"; }
  void WriteState(TXmlNode* node) override { mField.Save(node); }
  // The saved state, with each marker's screen point to click and whether
  // the win object is there and in which state.
  void DescribeState(TXmlNode* node) override;

  void OnDoneClick() override;
  void OnClearClick() override;

  GMirrorsField& GetField() { return mField; }

 private:
  GInventory* GetMirrorsInventory() const;
  void DeleteInventoryMirrors();
  void FillInventory();
  // Each of the nine mirrors once, after a restore: on the board, in the
  // panel or in the hand; one the save keeps nowhere goes back to the panel.
  void CountMirrors();

  GMirrorsField mField;
  bool mCountMirrors = false;  // a restored game counts its mirrors on its first tick
};

GMiniGameScene* NewMirrorsScene();
