#include "OKeyItem.h"

#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

OSimpleItem* OKeyItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  if (!node->GetChild("scene_pos"))
    Report("%s: key \"%s\" has no scene_pos; it lies at 0,0", OItemFactory::GetGuidePath().c_str(),
           name.c_str());
  OKeyItem* key = new OKeyItem(name, owner, look);
  key->ReadEntry(node, owner, 0);
  str targets = node->GetChildContent("num_targets");
  if (targets.empty()) {
    Report("%s: key \"%s\" has no num_targets; it opens one passage", OItemFactory::GetGuidePath().c_str(),
           name.c_str());
    key->mRemainingTargets = 1;
  } else {
    key->mRemainingTargets = targets.to_int();
  }
  OItemsRegistry::GetInstance()->GetState(name, 1, &key->mRemainingTargets);
  return key;
}

IItem* OKeyItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  int32_t left = 1;
  if (OItemsRegistry::GetInstance()->GetState(name, 1, &left) && left == 0) return nullptr;
  return CreateIn<&CreateFromXml, ItemPlace::stScene>(name, node, owner);
}

bool OKeyItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OKeyItem || OSimpleItem::IsKindOf(typeId);
}

void OKeyItem::SaveState() {
  OItemsRegistry::GetInstance()->SetStates(mName, {mPlace, mRemainingTargets});
}

int32_t OKeyItem::UseTarget() {
  --mRemainingTargets;
  SaveState();
  return mRemainingTargets;
}
