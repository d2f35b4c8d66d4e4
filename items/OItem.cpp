#include "OItem.h"

#include "game/GMasksManager.h"
#include "items/IItemsManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GVData.h"

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

int OItem::SceneModeOf(const str& animationType) {
  if (animationType == "passage") return 1;
  if (animationType == "eye") return 2;
  if (animationType == "get") return 3;
  if (animationType == "dialog") return 5;
  return 0;
}

void OItem::ReadVisualOf(TXmlNode* node, str* folder, str* path) {
  TXmlNode* gvobject = node ? node->GetChild("gvobject") : nullptr;
  *folder = gvobject ? gvobject->GetContent() : str();
  *path = gvobject ? gvobject->GetAttribute("name") : str();
}

bool OItem::ReadPosition(TXmlNode* node, const char* child, int32_t* x, int32_t* y) {
  TXmlNode* pos = node ? node->GetChild(child) : nullptr;
  if (!pos) return false;
  *x = GVReadCoordinate("x", pos);
  *y = GVReadCoordinate("y", pos);
  return true;
}

std::vector<str> OItem::ReadNames(TXmlNode* list) {
  std::vector<str> names;
  for (size_t i = 0; list && i < list->GetChildCount(); ++i)
    names.push_back(list->GetChildAt(i)->GetAttribute("name"));
  return names;
}

void OItem::PlaceObject(int32_t x, int32_t y) {
  if (!mObject) return;
  mObject->deltaX = float(x);
  mObject->deltaY = float(y);
  mObject->changed = 1;
}
