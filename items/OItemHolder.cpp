#include "OItemHolder.h"

#include <algorithm>

#include "items/IItem.h"
#include "items/OItemFactory.h"

OItemHolder::~OItemHolder() {
  DropHeldItems();
}

void OItemHolder::AddItem(IItem* item) {
  if (!item) return;
  item->CreateObject();
  mHeldItems.push_back(item);
}

void OItemHolder::RemoveItem(IItem* item) {
  auto it = std::find(mHeldItems.begin(), mHeldItems.end(), item);
  if (it == mHeldItems.end()) return;
  mHeldItems.erase(it);
  item->Detach();
}

IItem* OItemHolder::FindItem(const str& name) const {
  for (IItem* item : mHeldItems)
    if (item->GetName() == name) return item;
  return nullptr;
}

void OItemHolder::CreateHeldItems(const std::vector<str>& names) {
  for (const str& name : names)
    if (IItem* item = OItemFactory::CreateForScene(name, this)) AddItem(item);
}

void OItemHolder::DropHeldItems() {
  std::vector<IItem*> items;
  items.swap(mHeldItems);
  for (IItem* item : items)
    if (item->IsInScene()) delete item;
}

void OItemHolder::DrawHeldItems() {
  for (IItem* item : mHeldItems) item->Draw();
}

void OItemHolder::ReleaseHeldMasks() {
  for (IItem* item : mHeldItems) item->ReleaseMask();
}

void OItemHolder::UpdateHeldItems() {
  // A copy: an item may leave the list while it ticks.
  std::vector<IItem*> items = mHeldItems;
  for (IItem* item : items)
    if (std::find(mHeldItems.begin(), mHeldItems.end(), item) != mHeldItems.end()) item->Update();
}

GMasksManager* OItemHolder::GetMasksManager() {
  IItemsManager* owner = GetHolderOwner();
  return owner ? owner->GetMasksManager() : nullptr;
}

GFullScreenGameScene* OItemHolder::GetScene() {
  IItemsManager* owner = GetHolderOwner();
  return owner ? owner->GetScene() : nullptr;
}

void OItemHolder::ShowFrontItem(IItem* item) {
  if (IItemsManager* owner = GetHolderOwner()) owner->ShowFrontItem(item);
}

void OItemHolder::OnThroughSpaceMagic() {
  if (IItemsManager* owner = GetHolderOwner()) owner->OnThroughSpaceMagic();
}

void OItemHolder::OnThroughTimeMagic() {
  if (IItemsManager* owner = GetHolderOwner()) owner->OnThroughTimeMagic();
}

void OItemHolder::ShowHealthEffect() {
  if (IItemsManager* owner = GetHolderOwner()) owner->ShowHealthEffect();
}

void OItemHolder::ClearFrontItem() {
  if (IItemsManager* owner = GetHolderOwner()) owner->ClearFrontItem();
}

TSpriteRef OItemHolder::AddParticleEffect(TXmlNode* node, float x, float y, bool onTop) {
  IItemsManager* owner = GetHolderOwner();
  return owner ? owner->AddParticleEffect(node, x, y, onTop) : TSpriteRef();
}

bool OItemHolder::IsItemAvailable(const str& name) {
  IItemsManager* owner = GetHolderOwner();
  return owner && owner->IsItemAvailable(name);
}

void OItemHolder::DeactivateParticles() {
  if (IItemsManager* owner = GetHolderOwner()) owner->DeactivateParticles();
}
