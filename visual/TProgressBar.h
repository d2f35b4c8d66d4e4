#pragma once
// A bar showing a value within a range: a background, a custom picture above
// it, and a foreground seen through a clipping window whose visible part
// shrinks from the top as the value rises.

#include "sdk/TTexture.h"
#include "sdk/TWindow.h"

class TImage;

class TCustomProgressBar : public TWindow {
  TWINDOW_CLASS(TCustomProgressBar, TWindow)
 public:
  ~TCustomProgressBar() override = default;
  void Init(TWindowStyle& style) override;
  virtual void SetValue(float value);
  virtual void SetRange(float minimum, float maximum);
  virtual void UpdateLayout() {}
  float GetValue() const { return mValue; }
  float GetMinimum() const { return mMinimum; }
  float GetMaximum() const { return mMaximum; }
  bool IsInitialised() const { return mInitialised; }
  // 0 at or below the minimum, 1 at or above the maximum.
  float GetFraction() const;

 protected:
  void (*mChangeHook)(TCustomProgressBar*) = nullptr;
  float mMinimum = 0;
  float mMaximum = 100;
  float mValue = 0;
  bool mInitialised = false;
};

class TProgressBar : public TCustomProgressBar {
  TWINDOW_CLASS(TProgressBar, TCustomProgressBar)
 public:
  enum { kBackground = 0, kCustom = 1, kForeground = 2 };
  TProgressBar();
  ~TProgressBar() override;
  void Init(TWindowStyle& style) override;
  void UpdateLayout() override;
  virtual bool SetImageTexture(int index, TTextureRef texture);
  virtual bool SetImageTextureByName(int index, const str& path);

  TImage* GetImage(int index) const;
  TWindow* GetClipWindow() const { return mClip; }

 private:
  float mOffsetX = 0, mOffsetY = 0;
  TImage* mBackground;
  TImage* mCustom;
  TImage* mForeground;
  TWindow* mClip;
};
