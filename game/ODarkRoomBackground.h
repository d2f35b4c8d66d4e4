#pragma once
// A room in the dark: an opaque black overlay covers the scene except for a
// lit patch around the pointer while the player holds an item. The patch
// animates through the aureole frames of mousepointercfg, one a tick.

#include <memory>
#include <vector>

#include "game/OSimpleBackground.h"
#include "sdk/TTask.h"
#include "sdk/TTexture.h"

class TImage;
class TXmlNode;

class ODarkRoomBackground : public OSimpleBackground, public TTask {
  TWINDOW_CLASS(ODarkRoomBackground, OSimpleBackground)
 public:
  // Screen-sized, in pixels.
  enum { kWidth = 800, kHeight = 600 };
  // Where the patch was drawn, right and bottom exclusive.
  struct Patch {
    int left, top, right, bottom;
  };

  ODarkRoomBackground() : ODarkRoomBackground(nullptr, nullptr, TSpriteRef()) {}
  // The aureole is pointer_config/dark_rooms_regions/<"aureole" of the node,
  // "small" when empty>.
  ODarkRoomBackground(TWindow* overlay, TXmlNode* node, const TSpriteRef& sprite);
  ~ODarkRoomBackground() override;

  bool OnMouseMove(const TPoint& local) override;
  // Moves the lit patch; the picture effect of the base is not run here.
  void Update() override;
  // The renderer lost its textures: the overlay is made again, all black.
  bool DoTask() override;

  TImage* GetOverlayImage() const { return mOverlayImage; }
  const TTextureRef& GetOverlayTexture() const { return mOverlayTexture; }
  const std::vector<TTextureRef>& GetAureoles() const { return mAureoles; }
  const Patch* GetLastPatch() const { return mLastPatch.get(); }
  int GetAureoleIndex() const { return mAureoleIndex; }

 private:
  void MakeOverlay();

  TImage* mOverlayImage = nullptr;  // adopted by the overlay window
  TTextureRef mOverlayTexture;
  std::vector<TTextureRef> mAureoles;
  std::unique_ptr<Patch> mLastPatch;
  bool mLastLit = false;  // whether the last patch shows the aureole
  int mAureoleIndex = 0;
  std::unique_ptr<TPoint> mPointer;  // none until the first move
};
