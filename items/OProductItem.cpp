#include "OProductItem.h"

#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "sdk/TXmlNode.h"

// ---- product ----

// Products have no place of their own in a scene: no position, and no mask
// is ever linked to them.
OSimpleItem* OProductItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  OProductItem* item = new OProductItem(name, owner, look.folder, look.path);
  item->ReadEntry(node, owner, kReadUseAction);
  item->mAllowGetFromDropZone = node->GetChildContent("allow_get_from_drop_zone") != "false";
  return item;
}

bool OProductItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OProductItem || OSimpleItem::IsKindOf(typeId);
}

// ---- combo ----

OSimpleItem* OComboItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  OComboItem* item = new OComboItem(name, owner, look.folder, look.path);
  item->ReadEntry(node, owner, kReadUseAction);
  if (TXmlNode* restore = node->GetChild("restore_items"))
    for (size_t i = 0; i < restore->GetChildCount(); ++i)
      item->mRestoreItems.push_back(restore->GetChildAt(i)->GetContent());
  return item;
}

bool OComboItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OComboItem || OProductItem::IsKindOf(typeId);
}

void OComboItem::ReturnToScene(bool silent) {
  for (const str& name : mRestoreItems) {
    // Made only to record its return: it lies in the scene the next time
    // the scene is built.
    IItem* item = OItemFactory::CreateForInventory(name, mOwner);
    if (!item) continue;
    item->CreateObject();
    if (item->IsKindOf(ItemTypeId::OItem)) static_cast<OItem*>(item)->ReturnToScene(true);
    delete item;
  }
}

// ---- auto food ----

OSimpleItem* OAutoFoodItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  str wait = node->GetChildContent("wait_to_eat");
  OAutoFoodItem* item = new OAutoFoodItem(name, owner, look.folder, look.path,
                                          wait.empty() ? int(kDefaultWait) : wait.to_int());
  item->ReadEntry(node, owner, kReadUseAction);
  return item;
}

bool OAutoFoodItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OAutoFoodItem || OProductItem::IsKindOf(typeId);
}

void OAutoFoodItem::CreateObject() {
  OSimpleItem::CreateObject();
  mTickCount = 0;
}

void OAutoFoodItem::Update() {
  ++mTickCount;
  // Last: the action may delete this item.
  if (mTickCount > mWaitToEat && mAction) mAction->Execute();
}
