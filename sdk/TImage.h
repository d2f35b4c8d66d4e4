#pragma once
#include "TTexture.h"
#include "TWindow.h"

// A window that shows a texture. Style keys: "image" (path), "alpha",
// "hflip", "vflip".
class TImage : public TWindow {
  TWINDOW_CLASS(TImage, TWindow)
public:
  explicit TImage(bool ownsTexture = true);
  void Init(TWindowStyle& style) override;
  void Draw() override;
  // Sizes the window to the texture.
  void SetTexture(TTextureRef texture, float alpha = 1);
  TTextureRef GetTexture() const { return mTexture; }
  void SetAlpha(float alpha);  // clamped to 0..1
  float GetAlpha() const { return mAlpha; }
  void SetDrawFlags(int flags);  // ORs in 1 horizontal, 2 vertical flip
  int GetDrawFlags() const { return mDrawFlags; }

private:
  TTextureRef mTexture;
  float mAlpha = 1;
  int mDrawFlags = 0;
};
