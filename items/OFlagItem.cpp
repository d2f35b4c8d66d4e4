#include "OFlagItem.h"

#include "game/OFlagsRegistry.h"
#include "sdk/TXmlNode.h"

namespace {
// Both kinds read the simple item's entry, less its on-pointer variable,
// and the name of their own variable.
template <class Kind>
Kind* Load(const str& name, TXmlNode* node, IItemsManager* owner, str Kind::*flag) {
  OSimpleItem::Look look;
  if (!OSimpleItem::ReadLook(name, node, &look)) return nullptr;
  Kind* item = new Kind(name, owner, look.folder, look.path, look.x, look.y);
  item->*flag = node->GetChildContent("flag");
  return item;
}

void SetFlag(const str& name, const char* value) {
  if (!name.empty()) OFlagsRegistry::GetInstance()->SetValue(name, value);
}
}  // namespace

OSimpleItem* OFlagItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  OFlagItem* item = Load(name, node, owner, &OFlagItem::mFlagName);
  if (item) item->ReadEntry(node, owner, kReadUseAction);
  return item;
}

bool OFlagItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OFlagItem || OSimpleItem::IsKindOf(typeId);
}

void OFlagItem::OnSceneStart() {
  SetFlag(mFlagName, "true");
}

void OFlagItem::ReleaseMask() {
  OSimpleItem::ReleaseMask();
  if (mPlace == ItemPlace::stScene || mPlace == ItemPlace::stDropped) SetFlag(mFlagName, "false");
}

OSimpleItem* OSceneFlagItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  OSceneFlagItem* item = Load(name, node, owner, &OSceneFlagItem::mFlagName);
  if (item) item->ReadEntry(node, owner, kReadUseAction);
  return item;
}

bool OSceneFlagItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OSceneFlagItem || OSimpleItem::IsKindOf(typeId);
}

void OSceneFlagItem::SetPlace(int32_t place) {
  OSimpleItem::SetPlace(place);
  SetFlag(mFlagName, place == ItemPlace::stScene ? "true" : "false");
}
