#pragma once
#include "TTexture.h"
#include "TWindow.h"

// A window that shows a texture from its top-left corner. Style keys:
// "image" (path), "alpha", "hflip", "vflip". Takes no mouse input. Textures
// are shared, so the constructor's flag changes nothing.
class TImage : public TWindow {
  TWINDOW_CLASS(TImage, TWindow)
 public:
  explicit TImage(bool ownsTexture = true);
  void Init(TWindowStyle& style) override;
  void Draw() override;
  // Sizes the window to the texture (a null texture leaves the size).
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
