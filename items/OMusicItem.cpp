#include "OMusicItem.h"

#include "game/OSoundController.h"
#include "sdk/TXmlNode.h"

OMusicItem::~OMusicItem() {
  for (OSoundController* controller : mControllers) delete controller;
}

IItem* OMusicItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  OMusicItem* item = new OMusicItem(name, owner);
  TXmlNode* sounds = node->GetChild("sounds");
  for (size_t i = 0; sounds && i < sounds->GetChildCount(); ++i)
    if (OSoundController* controller = OSoundController::CreateFromXml(sounds->GetChildAt(i)))
      item->mControllers.push_back(controller);
  return item;
}

bool OMusicItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OMusicItem || OItem::IsKindOf(typeId);
}

void OMusicItem::Update() {
  // A playing controller ignores the tick; it waits again when its sound ends.
  for (OSoundController* controller : mControllers) controller->Tick();
}
