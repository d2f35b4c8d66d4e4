#include "OKeyItem.h"

#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

OKeyItem* OKeyItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner, int32_t place) {
  str folder, path;
  if (!ReadVisual(name, node, &folder, &path)) return nullptr;
  int32_t x = 0, y = 0;
  if (!ReadPosition(node, "scene_pos", &x, &y)) {
    Report("%s: key \"%s\" has no scene_pos; it lies at 0,0", OItemFactory::GetGuidePath().c_str(),
           name.c_str());
  }
  OKeyItem* key = new OKeyItem(name, owner, folder, path, x, y);
  if (TXmlNode* mask = node->GetChild("scene_mask")) key->mSceneMaskName = mask->GetAttribute("name");
  key->ReadTakeableSettings(node, owner, false);
  str targets = node->GetChildContent("num_targets");
  if (targets.empty()) {
    Report("%s: key \"%s\" has no num_targets; it opens one passage", OItemFactory::GetGuidePath().c_str(),
           name.c_str());
    key->mRemainingTargets = 1;
  } else {
    key->mRemainingTargets = targets.to_int();
  }
  OItemsRegistry::GetInstance()->GetState(name, 1, &key->mRemainingTargets);
  key->mPlace = place;
  return key;
}

IItem* OKeyItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  OItemsRegistry* registry = OItemsRegistry::GetInstance();
  int32_t place = ItemPlace::stScene, left = 1;
  if (registry->GetState(name, 0, &place) && place != ItemPlace::stScene) return nullptr;
  if (registry->GetState(name, 1, &left) && left == 0) return nullptr;
  return CreateFromXml(name, node, owner, ItemPlace::stScene);
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
