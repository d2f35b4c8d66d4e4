#include "OProductItem.h"

#include <algorithm>

#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "sdk/TReport.h"
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

namespace {
// The combos being returned, outermost first: a combo that stands for
// itself, directly or through others, would return forever.
std::vector<str> sReturning;
// Deeper than this, nesting is taken for a content fault.
const size_t kMaxReturnDepth = 16;
}  // namespace

void OComboItem::ReturnToScene(bool silent) {
  if (sReturning.size() >= kMaxReturnDepth) {
    Report("%s: combo \"%s\" lies %d combos deep; its items are not returned",
           OItemFactory::GetGuidePath().c_str(), mName.c_str(), int(kMaxReturnDepth));
    return;
  }
  sReturning.push_back(mName);
  for (const str& name : mRestoreItems) {
    if (std::find(sReturning.begin(), sReturning.end(), name) != sReturning.end()) {
      Report("%s: combo \"%s\" stands for \"%s\", which is being returned; skipped",
             OItemFactory::GetGuidePath().c_str(), mName.c_str(), name.c_str());
      continue;
    }
    // Made only to record its return: it lies in the scene the next time
    // the scene is built.
    IItem* item = OItemFactory::CreateForInventory(name, mOwner);
    if (!item) continue;
    item->CreateObject();
    if (item->IsKindOf(ItemTypeId::OItem)) {
      // Without an owner it links no mask of the scene: an item of that
      // name lying there keeps its own. Its actions keep the scene's masks
      // manager, so a return action still runs there.
      OItem* returned = static_cast<OItem*>(item);
      returned->OItem::SetItemsManager(nullptr);
      returned->ReturnToScene(true);
    }
    delete item;
  }
  sReturning.pop_back();
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
