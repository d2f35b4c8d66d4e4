#include "OAnimSaveItem.h"

#include "items/OItemsRegistry.h"
#include "sdk/TXmlNode.h"

IItem* OAnimSaveItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  TXmlNode* gvobject = node->GetChild("gvobject");
  OAnimSaveItem* item = new OAnimSaveItem(name, owner, gvobject ? gvobject->GetContent() : str(),
                                          gvobject ? gvobject->GetAttribute("name") : str());
  if (TXmlNode* pos = node->GetChild("scene_pos")) {
    item->mX = pos->GetAttribute("x").to_int();
    item->mY = pos->GetAttribute("y").to_int();
  }
  item->mAnimState = OItemsRegistry::GetInstance()->GetStates(name) ? 1 : 0;
  return item;
}

bool OAnimSaveItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OAnimSaveItem || OItem::IsKindOf(typeId);
}

void OAnimSaveItem::CreateObject() {
  IItem::CreateObject();
  if (mObject) {
    mObject->deltaX = float(mX);
    mObject->deltaY = float(mY);
    mObject->changed = 1;
  }
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
