#include "TProgressBar.h"

#include "sdk/TImage.h"
#include "sdk/TWindowStyle.h"

float TCustomProgressBar::GetFraction() const {
  if (mMaximum <= mValue) return 1;
  if (mValue <= mMinimum) return 0;
  return (mValue - mMinimum) / (mMaximum - mMinimum);
}

void TCustomProgressBar::Init(TWindowStyle& style) {
  if (mInitialised) return;
  TWindow::Init(style);
  SetRange(style.GetFloat("MinRange", 0), style.GetFloat("MaxRange", 100));
  SetValue(style.GetFloat("Value", 0));
  mInitialised = true;
  UpdateLayout();
}

void TCustomProgressBar::SetValue(float value) {
  mValue = value;
  if (!mInitialised) return;
  if (mChangeHook) mChangeHook(this);
  UpdateLayout();
}

void TCustomProgressBar::SetRange(float minimum, float maximum) {
  mMinimum = minimum;
  mMaximum = maximum;
  if (mInitialised) UpdateLayout();
}

TProgressBar::TProgressBar()
    : mBackground(new TImage(true)),
      mCustom(new TImage(true)),
      mForeground(new TImage(true)),
      mClip(new TWindow) {}

TProgressBar::~TProgressBar() {
  for (TWindow* w : {static_cast<TWindow*>(mBackground), static_cast<TWindow*>(mCustom),
                     static_cast<TWindow*>(mForeground), mClip})
    if (w->GetParent()) w->GetParent()->OrphanChild(w);
  delete mBackground;
  delete mCustom;
  delete mForeground;
  delete mClip;
}

TImage* TProgressBar::GetImage(int index) const {
  switch (index) {
    case kBackground:
      return mBackground;
    case kCustom:
      return mCustom;
    case kForeground:
      return mForeground;
  }
  return nullptr;
}

bool TProgressBar::SetImageTexture(int index, TTextureRef texture) {
  TImage* image = GetImage(index);
  if (!image) return false;
  image->SetTexture(texture, 1.0f);
  if (mInitialised) UpdateLayout();
  return true;
}

bool TProgressBar::SetImageTextureByName(int index, const str& path) {
  if (path.empty()) return false;
  TTextureRef t = TTexture::Get(path, 0);
  if (!t || t->IsEmpty()) return false;
  return SetImageTexture(index, t);
}

void TProgressBar::Init(TWindowStyle& style) {
  if (mInitialised) return;
  SetImageTextureByName(kBackground, style.GetString("Background", ""));
  SetImageTextureByName(kCustom, style.GetString("Custom", ""));
  SetImageTextureByName(kForeground, style.GetString("Foreground", ""));
  int dX = int(style.GetFloat("dX", 0)), dPiX = int(style.GetFloat("dPiX", 0));
  int dY = int(style.GetFloat("dY", 0)), dPiY = int(style.GetFloat("dPiY", 0));
  mOffsetX = float(dX + dPiX);
  mOffsetY = float(dY + dPiY);
  if (GetWidth() == 0 || GetHeight() == 0) {
    TTextureRef bg = mBackground->GetTexture(), fg = mForeground->GetTexture();
    SetWindowSize(bg ? bg->GetWidth() : 0, bg ? bg->GetHeight() : 0);
    mClip->SetWindowSize(fg ? fg->GetWidth() : 0, fg ? fg->GetHeight() : 0);
  }
  AdoptChild(mBackground, true);
  AdoptChild(mCustom, true);
  mClip->AdoptChild(mForeground, true);
  AdoptChild(mClip, true);
  mBackground->SetWindowPos(dPiX, dPiY);
  TCustomProgressBar::Init(style);
}

void TProgressBar::UpdateLayout() {
  int W = GetWidth(), H = GetHeight();
  int a = int(GetFraction() * float(H));
  int x0 = int(mOffsetX), y0 = int(mOffsetY);
  mClip->SetWindowPos(x0, y0 + a);
  mClip->SetWindowSize(W, H - a);
  mForeground->SetWindowPos(x0, y0 - a);
  mCustom->SetWindowPos(x0, y0);
}
