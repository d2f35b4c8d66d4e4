#include "OMask.h"

#include <cmath>

#include "GMasksManager.h"
#include "sdk/TImage.h"
#include "sdk/TTexture.h"

OMask::OMask(const str& name, TImage* image) : IMask(name), mImage(image) {
  TTextureRef texture = image ? image->GetTexture() : TTextureRef();
  if (!texture || texture->IsEmpty()) return;
  uint32_t* pixels = nullptr;
  int pitch = 0;
  texture->Lock(&pixels, &pitch);
  if (pixels && pitch > 0) {
    mPitch = uint32_t(pitch);
    mRows = uint32_t(texture->GetHeight());
    mTextureWidth = uint32_t(texture->GetWidth());
    mPixels.assign(pixels, pixels + size_t(mRows) * mPitch);
  }
  texture->Unlock();
}

OMask::~OMask() {
  if (mImage && !mImage->GetParent()) delete mImage;
}

bool OMask::HitTest(const TPoint& point) {
  if (!IsActive() || !mImage) return false;
  // In doubles: layout coordinates and points may lie anywhere, and the
  // distance between two ints need not fit an int.
  const double dx = std::floor(double(point.x) - mImage->GetX());
  const double dy = std::floor(double(point.y) - mImage->GetY());
  // Written so that a NaN fails too.
  if (!(dx >= 0 && dy >= 0 && dx < mImage->GetWidth() && dy < mImage->GetHeight())) return false;
  // The window may be larger than its texture; outside the pixels copied
  // there is nothing to hit.
  if (dx >= mTextureWidth || dx >= mPitch || dy >= mRows) return false;
  return TColor32(mPixels[size_t(dx) + size_t(dy) * mPitch]).Alpha() != 0;
}

OSimpleMask::OSimpleMask(const str& name, TImage* image, const str& captionKey, GMasksManager* manager)
    : OMask(name, image), mCaptionKey(captionKey), mManager(manager) {}

void OSimpleMask::OnEnter(const TPoint& point) {
  if (mManager) mManager->SetCaptionKey(mCaptionKey);
}

void OSimpleMask::OnLeave() {
  if (mManager) mManager->SetCaptionKey(str());
}
