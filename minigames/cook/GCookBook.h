#pragma once
// The recipe book of the cooking scene: a stack of page sheets that turn
// with clicks on its left and right halves. Every page shows its content at
// once; there is no locked page, no reveal and no sound. The page it lies
// open at is kept in the items registry, so it outlives the scene.

#include <vector>

#include "rules/questbook/IPagesContainer.h"
#include "sdk/TWindow.h"

class OQuestBookPage;
class TXmlNode;

class GCookBook : public TWindow, public IPagesContainer {
  TWINDOW_CLASS(GCookBook, TWindow)
 public:
  // The items registry key of the open position.
  static const char* const kRegistryKey;

  // Builds every sheet from game_screen/cook_book at once.
  GCookBook();
  ~GCookBook() override;
  GCookBook(const GCookBook&) = delete;
  GCookBook& operator=(const GCookBook&) = delete;

  // Takes the "left_mask" and "right_mask" images out of the tree; only
  // their rectangles are kept.
  void PostChildrenInit(TWindowStyle& style) override;
  // The left half turns back, the right half forward; always taken.
  bool OnMouseDown(const TPoint& local) override;
  void PostDraw() override;

  // One tick of every sheet, shown or not.
  void AnimateSheets();
  void TurnForward();
  void TurnBack();

  std::vector<TFxSpriteRef> CreateContentAppearEffects(int x, int y) override { return {}; }
  void OnPageTurned() override {}
  TFxSpriteRef CreateTurningParticle(int x, int y) override { return mTurningParticle; }
  int GetContentAppearTicks() override { return 100; }

  // The number of sheets turned over to the left.
  int GetCur() const { return mCur; }
  int GetSheetCount() const { return int(mSheets.size()); }
  OQuestBookPage* GetSheet(int index) const;

 private:
  int TurnStateOf(int index) const;
  void SaveState();

  std::vector<OQuestBookPage*> mSheets;  // owned
  TFxSpriteRef mTurningParticle;
  int mCur = 1;
  TWindow* mLeftMask = nullptr;   // owned, out of the tree
  TWindow* mRightMask = nullptr;  // owned, out of the tree
};
