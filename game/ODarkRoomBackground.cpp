#include "ODarkRoomBackground.h"

#include <algorithm>

#include "game/GMousePointer.h"
#include "game/OGameConfig.h"
#include "items/IItem.h"
#include "sdk/TImage.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const uint32_t kBlack = 0xFF000000;

void FillBlack(const TTextureRef& texture) {
  uint32_t* pixels = nullptr;
  int pitch = 0;
  if (!texture || !texture->Lock(&pixels, &pitch) || !pixels) return;
  for (int row = 0; row < texture->GetHeight(); ++row)
    std::fill(pixels + size_t(row) * pitch, pixels + size_t(row) * pitch + texture->GetWidth(), kBlack);
  texture->Unlock();
}

// The held item, when the player holds one that can be seen.
bool HoldsVisibleItem() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  return held && held->GetObject() && held->GetObject()->visible;
}
}  // namespace

ODarkRoomBackground::ODarkRoomBackground(TWindow* overlay, TXmlNode* node, const TSpriteRef& sprite)
    : OSimpleBackground(overlay, sprite) {
  if (TPlatform* platform = TPlatform::GetInstance()) platform->AdoptTextureRefreshListener(this);
  mOverlayImage = new TImage(true);
  MakeOverlay();
  if (mOverlay) mOverlay->AdoptChild(mOverlayImage);

  str name = node ? node->GetAttribute("aureole") : str();
  if (name.empty()) name = "small";
  TXmlNode* pointer = OGameConfig::GetInstance()->GetPointerConfig();
  TXmlNode* regions = pointer ? pointer->GetChild("dark_rooms_regions") : nullptr;
  TXmlNode* list = regions && TXmlNode::IsValidName(name) ? regions->GetChild(name) : nullptr;
  for (size_t i = 0; list && i < list->GetChildCount(); ++i) {
    TXmlNode* frame = list->GetChildAt(i);
    TTextureRef texture = TTexture::Get(frame->GetAttribute("folder") + frame->GetContent(), 0);
    // A frame that did not load would light nothing; it is left out.
    if (texture && !texture->IsEmpty()) mAureoles.push_back(texture);
  }
  if (mAureoles.empty())
    Report("mousepointercfg: dark room aureole \"%s\" has no frames; the room stays dark", name.c_str());
}

ODarkRoomBackground::~ODarkRoomBackground() {
  if (TPlatform* platform = TPlatform::GetInstance()) platform->OrphanTextureRefreshListener(this);
  // Adopted, the image is the overlay window's to delete.
  if (!mOverlayImage->GetParent()) delete mOverlayImage;
}

void ODarkRoomBackground::MakeOverlay() {
  mOverlayTexture = TTexture::Create(kWidth, kHeight);
  FillBlack(mOverlayTexture);
  mOverlayImage->SetTexture(mOverlayTexture);
  // The last patch was drawn on the old texture.
  mLastPatch.reset();
  mLastLit = false;
}

bool ODarkRoomBackground::DoTask() {
  MakeOverlay();
  return true;
}

bool ODarkRoomBackground::OnMouseMove(const TPoint& local) {
  mPointer.reset(new TPoint(local));
  return false;
}

void ODarkRoomBackground::Update() {
  if (!mPointer || mAureoles.empty()) return;
  mAureoleIndex = (mAureoleIndex + 1) % int(mAureoles.size());
  const TTextureRef& aureole = mAureoles[mAureoleIndex];
  const int w = aureole->GetWidth(), h = aureole->GetHeight();

  // The patch on the screen, and where it starts in the aureole.
  int left = int(mPointer->x) - w / 2, top = int(mPointer->y) - h / 2;
  int srcX = 0, srcY = 0;
  if (left < 0) srcX = -left;
  if (top < 0) srcY = -top;
  Patch patch = {std::max(left, 0), std::max(top, 0), std::min(left + w, int(kWidth)),
                 std::min(top + h, int(kHeight))};
  bool onScreen = patch.right > patch.left && patch.bottom > patch.top;

  bool light = onScreen && HoldsVisibleItem();
  // Black on black changes nothing: the overlay is only touched (and sent to
  // the renderer again) while a patch is lit or was lit last tick.
  if (!light && !mLastLit) {
    mLastPatch.reset(onScreen ? new Patch(patch) : nullptr);
    return;
  }
  uint32_t* pixels = nullptr;
  int pitch = 0;
  if (!mOverlayTexture->Lock(&pixels, &pitch) || !pixels) return;
  if (mLastPatch) {
    for (int row = mLastPatch->top; row < mLastPatch->bottom; ++row)
      std::fill(pixels + size_t(row) * pitch + mLastPatch->left,
                pixels + size_t(row) * pitch + mLastPatch->right, kBlack);
  }
  mLastPatch.reset(onScreen ? new Patch(patch) : nullptr);
  mLastLit = false;

  // A plain copy, alpha included: the aureole's clear middle shows the room.
  uint32_t* source = nullptr;
  int sourcePitch = 0;
  if (light && aureole->Lock(&source, &sourcePitch) && source) {
    const int width = patch.right - patch.left;
    for (int row = 0; row < patch.bottom - patch.top; ++row) {
      const uint32_t* from = source + size_t(srcY + row) * sourcePitch + srcX;
      std::copy(from, from + width, pixels + size_t(patch.top + row) * pitch + patch.left);
    }
    aureole->Unlock();
    mLastLit = true;
  }
  mOverlayTexture->Unlock();
}
