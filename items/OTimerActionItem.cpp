#include "OTimerActionItem.h"

#include "game/GFullScreenGameScene.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVData.h"

namespace {
// About three weeks of play at sixty ticks a second.
const int32_t kMaxActionTick = 100000000;
}  // namespace

OTimerActionItem::~OTimerActionItem() {
  for (Entry& entry : mEntries) delete entry.action;
}

IItem* OTimerActionItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  OTimerActionItem* item = new OTimerActionItem(name, owner);
  TXmlNode* actions = node->GetChild("actions");
  GMasksManager* masks = owner ? owner->GetMasksManager() : nullptr;
  int32_t last = 0;
  for (size_t i = 0; actions && i < actions->GetChildCount(); ++i) {
    TXmlNode* child = actions->GetChildAt(i);
    IAction* action = OActionFactory::CreateAction(child, masks);
    if (!action) {
      Report("%s: item \"%s\": action %d of \"actions\" is of no known type; it never runs",
             OItemFactory::GetGuidePath().c_str(), name.c_str(), int(i + 1));
      continue;
    }
    // The item counts up to one past its last action: a tick at the top of
    // the int range would leave it nowhere to count to.
    int32_t tick = GVReadRangedAttribute("action_execute_tick", child, INT32_MIN, kMaxActionTick, 0);
    item->mEntries.push_back({tick, action});
    if (tick > last) last = tick;
  }
  item->mEndTick = last + 1;
  return item;
}

bool OTimerActionItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OTimerActionItem || OItem::IsKindOf(typeId);
}

void OTimerActionItem::Update() {
  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  if (scene && scene->IsPaused()) return;
  if (mCounter <= mEndTick) ++mCounter;
  for (Entry& entry : mEntries)
    if (entry.tick == mCounter) entry.action->Execute();
}
