#include "TSlider.h"

#include <cmath>

#include "TRenderer.h"
#include "TWindowManager.h"
#include "TWindowStyle.h"

namespace {

// The thumb drawn when the style gives no image, in pixels.
const int kPlainThumbWidth = 10;

bool SliderUsable(const TTextureRef& t) {
  return t && !t->IsEmpty();
}

}  // namespace

TSlider::TSlider() = default;

void TSlider::Init(TWindowStyle& style) {
  TWindow::Init(style);
  if (style.Has("track")) mTrack = TTexture::Get(style.GetString("track"));
  if (style.Has("thumb")) mThumb = TTexture::Get(style.GetString("thumb"));
  SetValue(style.GetFloat("value", mValue), false);
}

int TSlider::ThumbWidth() const {
  int w = SliderUsable(mThumb) ? mThumb->GetWidth() : kPlainThumbWidth;
  return w < GetWidth() ? w : GetWidth();
}

void TSlider::Draw() {
  TRenderer* renderer = TRenderer::GetInstance();
  const int w = GetWidth(), h = GetHeight();
  if (SliderUsable(mTrack)) {
    TDrawSpec spec;
    spec.flags = TDrawSpec::kLeftOrigin | TDrawSpec::kOriginPoint;
    spec.matrix.Scale(float(w) / mTrack->GetWidth(), float(h) / mTrack->GetHeight());
    mTrack->Draw(spec);
  } else {
    renderer->FillRect(TRect(0, h / 2 - 2, w, h / 2 + 2), TColor32(0xFF505A6E));
  }
  const int thumbW = ThumbWidth();
  const int left = int(std::lround(mValue * (w - thumbW)));
  if (SliderUsable(mThumb)) {
    mThumb->Draw(left + mThumb->GetWidth() / 2.0f, h / 2.0f);
  } else {
    renderer->FillRect(TRect(left, 0, left + thumbW, h), TColor32(0xFFB4BCCC));
  }
}

TSlider::~TSlider() {
  if (TWindowManager* wm = TWindowManager::Peek()) wm->RemoveMouseListener(this);
}

bool TSlider::OnMouseDown(const TPoint& local) {
  mDragging = true;
  // A drag goes on outside the slider's rectangle until the release.
  TWindowManager::GetInstance()->AddMouseListener(this);
  SetFromX(local.x);
  return true;
}

bool TSlider::OnMouseUp(const TPoint& local) {
  TWindowManager::GetInstance()->RemoveMouseListener(this);
  bool wasDragging = mDragging;
  mDragging = false;
  if (wasDragging) SetFromX(local.x);
  return true;
}

bool TSlider::OnMouseMove(const TPoint& local) {
  if (mDragging) SetFromX(local.x);
  return true;
}

void TSlider::SetFromX(float x) {
  // The thumb's centre follows the pointer, so both ends are reachable.
  const int thumbW = ThumbWidth();
  const int travel = GetWidth() - thumbW;
  float v = travel > 0 ? (x - thumbW / 2.0f) / travel : 0;
  SetValue(v, true);
}

void TSlider::SetValue(float v, bool notify) {
  if (std::isnan(v)) v = 0;
  v = v < 0 ? 0 : (v > 1 ? 1 : v);
  bool changed = v != mValue;
  mValue = v;
  if (notify && changed) {
    TMessage message;
    message.kind = TMessage::kSliderMoved;
    message.senderName = GetName();
    message.sender = this;
    TWindowManager::GetInstance()->SendMessage(this, message);
  }
}
