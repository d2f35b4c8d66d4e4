#include "OSimpleBackground.h"

#include "rules/actions/OEffect.h"
#include "sdk/TRenderer.h"

OSimpleBackground::OSimpleBackground(TWindow* overlay, const TSpriteRef& sprite)
    : mSprite(sprite), mOverlay(overlay) {
  SetWindowSize(800, 600);
  // The sprite is placed by its centre; this puts the picture's top-left
  // corner on the window's.
  if (mSprite && mSprite->GetTexture())
    mSprite->SetPosition(
        TVec3(mSprite->GetTexture()->GetWidth() / 2, mSprite->GetTexture()->GetHeight() / 2, 0));
}

OSimpleBackground::~OSimpleBackground() {
  StopEffect();
}

void OSimpleBackground::PostDraw() {
  if (mSprite) {
    T2dScope pass;
    // A picture faded by the poison fades into black, not into the screens
    // that lie under the game's.
    if (mSprite->GetAlpha() < 1) TRenderer::GetInstance()->FillRect(TRect(0, 0, 800, 600), TColor32(0, 0, 0));
    mSprite->Draw(TDrawSpec());
  }
  TWindow::PostDraw();
}

void OSimpleBackground::Update() {
  if (!mEffect) return;
  mEffect->Tick();
  if (mEffect->IsDone()) {
    delete mEffect;
    mEffect = nullptr;
  }
}

void OSimpleBackground::StartPoisonEffect() {
  // The effect works on the picture; without one there is nothing to poison.
  if (!mEffect && mSprite) mEffect = new OPoisonEffect(mSprite);
}

void OSimpleBackground::StartBerryPoisonEffect() {
  if (!mEffect) mEffect = new OBerryPoisonEffect(mOverlay);
}

void OSimpleBackground::StopEffect() {
  if (!mEffect) return;
  mEffect->Stop();
  delete mEffect;
  mEffect = nullptr;
}
