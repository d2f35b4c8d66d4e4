#pragma once
// Image masks: the region is every pixel of the image whose alpha is not 0,
// taken from a copy of the texture made when the mask is built. A simple
// mask shows its caption while the pointer is over it and never takes a click.

#include <cstdint>
#include <vector>

#include "IMask.h"

class GMasksManager;
class TImage;

class OMask : public IMask {
 public:
  // Owns the image unless a window adopts it.
  OMask(const str& name, TImage* image);
  ~OMask() override;

  bool HitTest(const TPoint& point) override;

  str GetName() const { return mName; }
  TImage* GetImage() const { return mImage; }

 protected:
  TImage* mImage;
  std::vector<uint32_t> mPixels;
  uint32_t mPitch = 0;
  // Rows actually copied; the hit test never reads past them.
  uint32_t mRows = 0;
  uint32_t mTextureWidth = 0;
};

class OSimpleMask : public OMask {
 public:
  OSimpleMask(const str& name, TImage* image, const str& captionKey, GMasksManager* manager);

  bool IsActive() override { return true; }
  void OnEnter(const TPoint& point) override;
  void OnLeave() override;
  bool OnClick() override { return false; }

  const str& GetCaptionKey() const { return mCaptionKey; }

 protected:
  str mCaptionKey;
  GMasksManager* mManager;
};
