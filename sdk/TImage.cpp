#include "TImage.h"

#include <cmath>

#include "TWindowStyle.h"

TImage::TImage(bool ownsTexture) {}

void TImage::Init(TWindowStyle& style) {
  TWindow::Init(style);
  float alpha = style.GetFloat("alpha", mAlpha);
  if (style.Has("image")) {
    // A size given with the window wins over the picture's.
    const int w = GetWidth(), h = GetHeight();
    SetTexture(TTexture::Get(style.GetString("image")), alpha);
    if (w > 0 && h > 0) SetWindowSize(w, h);
  } else {
    SetAlpha(alpha);
  }
  if (style.GetBool("hflip")) SetDrawFlags(TDrawSpec::kFlipH);
  if (style.GetBool("vflip")) SetDrawFlags(TDrawSpec::kFlipV);
}

void TImage::SetTexture(TTextureRef texture, float alpha) {
  mTexture = texture;
  SetAlpha(alpha);
  if (mTexture) SetWindowSize(mTexture->GetWidth(), mTexture->GetHeight());
}

void TImage::SetAlpha(float alpha) {
  if (std::isnan(alpha)) alpha = 0;
  mAlpha = alpha < 0 ? 0 : (alpha > 1 ? 1 : alpha);
}

void TImage::SetDrawFlags(int flags) {
  mDrawFlags |= flags & (TDrawSpec::kFlipH | TDrawSpec::kFlipV);
}

void TImage::Draw() {
  if (!mTexture || mTexture->IsEmpty() || mAlpha <= 0) return;
  TDrawSpec spec;
  spec.flags = mDrawFlags | TDrawSpec::kLeftOrigin | TDrawSpec::kOriginPoint;
  spec.alpha = mAlpha;
  mTexture->Draw(spec);
}
