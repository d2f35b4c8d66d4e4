#pragma once
#include "TTexture.h"
#include "TWindow.h"

// A horizontal slider, value 0..1. Style keys: "track", "thumb" (image
// paths), "value". Dragging sends kSliderMoved.
class TSlider : public TWindow {
  TWINDOW_CLASS(TSlider, TWindow)
 public:
  TSlider();
  ~TSlider() override;
  void Init(TWindowStyle& style) override;
  void Draw() override;
  bool OnMouseDown(const TPoint& local) override;
  bool OnMouseUp(const TPoint& local) override;
  bool OnMouseMove(const TPoint& local) override;
  float GetValue() const { return mValue; }
  // Clamped to 0..1. `notify` sends kSliderMoved when the value changes.
  void SetValue(float v, bool notify = false);

 protected:
  float mValue = 0;
  bool mDragging = false;
  TTextureRef mTrack, mThumb;
  void SetFromX(float x);
  int ThumbWidth() const;  // pixels, never wider than the slider
};
