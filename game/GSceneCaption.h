#pragma once
// The short caption shown next to the resting pointer over a thing that has
// a name, in a small frame drawn from a left end, repeated middle pieces and
// a right end. Its look comes from the element "scene_caption" of
// game_screen.

#include "sdk/TTexture.h"
#include "sdk/TWindow.h"

class TText;
class TXmlNode;

class OSceneCaption : public TWindow {
  TWINDOW_CLASS(OSceneCaption, TWindow)
 public:
  enum { kGap = 30, kRightLimit = 789 };
  OSceneCaption();
  // With the look given directly instead of read from game_screen.
  explicit OSceneCaption(const TXmlNode* look);
  ~OSceneCaption() override;

  void SetText(const str& text);
  // The string-table text of the key; the empty key empties the caption.
  void SetKey(const str& key);
  void SetAnchor(int x, int y);
  void SetShown(bool shown);
  void Refresh();
  void Draw() override;

  const str& GetText() const { return mText; }
  bool IsCaptionShown() const { return shown; }
  int GetMiddleCount() const { return mMiddleCount; }
  TRect GetFrameRect() const {
    return {mFrameLeft, mFrameTop, mFrameLeft + mFrameWidth, mFrameTop + mFrameHeight};
  }
  TText* GetTextWindow() const { return mTextWindow; }

  // Written directly by the pointer manager, which then calls Refresh.
  int anchorX = 0, anchorY = 0;
  bool shown = true;

 private:
  void Build(const TXmlNode* look);

  TText* mTextWindow = nullptr;
  TTextureRef mLeft, mMiddle, mRight;
  int mFrameLeft = 0, mFrameTop = 0;
  TPoint mTextPos;
  int mMiddleCount = 0;
  int mLeftW = 0, mLeftH = 0, mMiddleW = 0, mMiddleH = 0, mRightW = 0, mRightH = 0;
  str mText;
  TRect mTextBounds;
  int mFrameWidth = 0, mFrameHeight = 0;
};
