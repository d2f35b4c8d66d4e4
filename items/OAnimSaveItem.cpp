#include "OAnimSaveItem.h"

#include "items/OItemsRegistry.h"
#include "sdk/TXmlNode.h"

IItem* OAnimSaveItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OAnimSaveItem* item = new OAnimSaveItem(name, owner, folder, path);
  ReadPosition(node, "scene_pos", &item->mX, &item->mY);
  item->mAnimState = OItemsRegistry::GetInstance()->GetStates(name) ? 1 : 0;
  return item;
}

bool OAnimSaveItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OAnimSaveItem || OItem::IsKindOf(typeId);
}

void OAnimSaveItem::CreateObject() {
  IItem::CreateObject();
  PlaceObject(mX, mY);
  SetAnimState(mAnimState);
  SaveState();
}

void OAnimSaveItem::SetAnimState(int32_t state) {
  mAnimState = state;
  if (mObject && (state == 0 || state == 1))
    mObject->SetState(TState::FromCStr(state == 0 ? "0" : "1"), true);
}

void OAnimSaveItem::SaveState() {
  OItemsRegistry::GetInstance()->SetState(mName, mAnimState);
}
