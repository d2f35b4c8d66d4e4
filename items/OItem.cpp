#include "OItem.h"

#include "game/GMasksManager.h"
#include "items/IItemsManager.h"

OItem::OItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath)
    : IItem(name, visualFolder, visualPath), mOwner(owner) {}

OItem::~OItem() = default;

bool OItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OItem || IItem::IsKindOf(typeId);
}

void OItem::ShowCaption() {
  if (!mOwner) return;
  if (GMasksManager* masks = mOwner->GetMasksManager()) masks->SetCaptionKey(mCaptionKey);
}

void OItem::HideCaption() {
  if (!mOwner) return;
  if (GMasksManager* masks = mOwner->GetMasksManager()) masks->SetCaptionKey("");
}
