#include "IItem.h"

#include "items/OItemFactory.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TReport.h"
#include "visual/GVFactory.h"
#include "visual/GVFrame.h"

namespace ItemPlace {
const char* GetName(int32_t place) {
  switch (place) {
    case stScene:
      return "stScene";
    case stPointer:
      return "stPointer";
    case stInventory:
      return "stInventory";
    case stAlchemicalInventory:
      return "stAlchemicalInventory";
    case stDropped:
      return "stDropped";
  }
  return "";
}
}  // namespace ItemPlace

IItem::IItem(const str& name, const str& visualFolder, const str& visualPath)
    : mVisualFolder(visualFolder), mVisualPath(visualPath), mName(name) {
  OMissionsManager::GetInstance()->OnItemCreate(mName);
}

IItem::~IItem() {
  delete mObject;
  mObject = nullptr;
}

bool IItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::IItem;
}

void IItem::CreateObject() {
  CreateObjectFrom(mVisualPath);
}

void IItem::CreateObjectFrom(const str& path) {
  GVObject* object = CreateVisual(mVisualFolder, path, &mDrawList);
  delete mObject;
  mObject = object;
  if (!mObject) return;
  if (GVObject* main = mObject->GetChild("main")) {
    main->listener = this;
  } else {
    Report("%s: item \"%s\": visual \"%s\" has no object \"main\"; its state events are lost",
           OItemFactory::GetGuidePath().c_str(), mName.c_str(), path.c_str());
  }
  mObject->visible = 1;
  mObject->changed = 1;
}

GVObject* IItem::CreateVisual(const str& imageFolder, const str& path, GVDrawList* list) const {
  return GVFactory::GetInstance()->CreateInList(list, imageFolder, path);
}

void IItem::Draw() {
  mDrawList.Draw();
}

GVObject* IItem::GetMainObject() const {
  return mObject ? mObject->GetChild("main") : nullptr;
}

float IItem::GetObjectWidth() const {
  GVObject* main = GetMainObject();
  GVFrame* frame = main ? main->GetCurrentFrame() : nullptr;
  if (!frame) return 0;
  return float(frame->right - frame->left - 2 * int(frame->regX));
}

float IItem::GetObjectHeight() const {
  GVObject* main = GetMainObject();
  GVFrame* frame = main ? main->GetCurrentFrame() : nullptr;
  if (!frame) return 0;
  return float(frame->bottom - frame->top - 2 * int(frame->regY));
}

TPoint IItem::GetCenter() const {
  float x = mObject ? mObject->deltaX : 0;
  float y = mObject ? mObject->deltaY : 0;
  return TPoint{x + GetObjectWidth() * 0.5f, y + GetObjectHeight() * 0.5f};
}

bool IsMatchesBoxItem(const IItem* item) {
  return item && item->GetTypeId() == ItemTypeId::OMatchesBoxItem;
}

bool IsCookDishItem(const IItem* item) {
  return item && item->GetTypeId() == ItemTypeId::OCookDishItem;
}

bool IsCookDustItem(const IItem* item) {
  return item && item->GetTypeId() == ItemTypeId::OCookDustItem;
}
