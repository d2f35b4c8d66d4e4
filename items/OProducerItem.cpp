#include "OProducerItem.h"

#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "sdk/TXmlNode.h"

OProducerItem::~OProducerItem() {
  Detach();
}

OProducerItem* OProducerItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OProducerItem* item = new OProducerItem(name, owner, folder, path);
  if (TXmlNode* mask = node->GetChild("scene_mask"))
    item->mMask = FindItemMask(owner ? owner->GetMasksManager() : nullptr, mask->GetAttribute("name"));
  item->mProductName = node->GetChildContent("product_item");
  ReadPosition(node, "scene_pos", &item->mSceneX, &item->mSceneY);
  if (item->mMask) item->mMask->SetItem(item);
  item->SetCaptionKey(node->GetAttribute("caption"));
  return item;
}

IItem* OProducerItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateFromXml(name, node, owner);
}

bool OProducerItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OProducerItem || OItem::IsKindOf(typeId);
}

void OProducerItem::CreateObject() {
  IItem::CreateObject();
  PlaceObject(mSceneX, mSceneY);
}

void OProducerItem::OnMaskEnter(IMask* mask) {
  GMousePointer::GetInstance()->SetSceneMode(3);
  ShowCaption();
}

void OProducerItem::OnMaskLeave(IMask* mask) {
  GMousePointer::GetInstance()->SetSceneMode(0);
  HideCaption();
}

bool OProducerItem::OnMaskClick(IMask* mask) {
  if (GMousePointer::GetInstance()->GetHeldItem()) return false;
  // Made for the hand, a product is held as soon as its visual exists.
  if (IItem* product = OItemFactory::CreateForPointer(mProductName, mOwner)) {
    product->CreateObject();
    product->PlayTakeSound();
  }
  return true;
}

void OProducerItem::Detach() {
  if (mMask) mMask->SetItem(nullptr);
  mMask = nullptr;
}
