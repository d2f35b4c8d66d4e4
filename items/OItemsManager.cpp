#include "OItemsManager.h"

#include <algorithm>

#include "game/GFullScreenGameScene.h"
#include "game/GGameWnd.h"
#include "game/OGameConfig.h"
#include "items/IItem.h"
#include "items/OContainerItem.h"
#include "items/OProducerItem.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TXmlNode.h"
#include "tools/GFrontItemHolder.h"
#include "tools/panel/GGamePanel.h"
#include "visual/LuaUtils.h"

OItemsManager::OItemsManager(GFullScreenGameScene* scene) : mScene(scene) {}

OItemsManager::~OItemsManager() {
  // Taken out of the list one by one, so an item's Detach that reaches back
  // into this manager sees only the items still alive.
  while (!mItems.empty()) {
    IItem* item = mItems.front();
    mItems.erase(mItems.begin());
    item->Detach();
    delete item;
  }
}

void OItemsManager::AddItem(IItem* item) {
  if (item) mItems.push_back(item);
}

void OItemsManager::DrawItems() {
  for (IItem* item : mItems)
    if (item->IsInScene()) item->Draw();
}

GMasksManager* OItemsManager::GetMasksManager() {
  return mScene ? mScene->GetMasksManager() : nullptr;
}

void OItemsManager::RemoveItem(IItem* item) {
  auto it = std::find(mItems.begin(), mItems.end(), item);
  if (it == mItems.end()) return;
  item->Detach();
  // Detach may have changed the list; find the item again before erasing.
  it = std::find(mItems.begin(), mItems.end(), item);
  if (it != mItems.end()) mItems.erase(it);
}

void OItemsManager::ShowFrontItem(IItem* item) {
  if (mScene) mScene->ShowFrontItem(item);
}

void OItemsManager::OnThroughSpaceMagic() {
  if (mScene) mScene->OnThroughSpaceMagic();
}

void OItemsManager::OnThroughTimeMagic() {
  if (mScene) mScene->OnThroughTimeMagic();
}

void OItemsManager::ShowHealthEffect() {
  // The health acts on the timers whether or not its effect can be shown.
  std::vector<IHint*>* hints = OTimersManager::GetInstance()->ApplyHealthMagic();
  GGamePanel* panel = mScene ? mScene->GetPanel() : nullptr;
  // The panel lives in the scene's panel layer, not in the game window: it
  // knows its game window by its own field.
  GGameWnd* game = panel ? panel->GetGameWnd() : nullptr;
  if (!game) {
    // No effect to hand them on at its end: the player is told at once.
    for (IHint* hint : *hints) OHintsManager::GetInstance()->QueueHint(hint);
    delete hints;
    return;
  }
  TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreen()->GetChild("magic_effects");
  TXmlNode* health = effects ? effects->GetChild("health") : nullptr;
  // The effect takes the list over and queues its hints when it ends.
  game->ShowMagicEffect(health, hints);
}

void OItemsManager::ClearFrontItem() {
  if (!mScene) return;
  // Forgotten, not deleted: the item has gone back to whoever showed it.
  if (GFrontItemHolder* holder = mScene->GetFrontItemHolder()) holder->mItem = nullptr;
}

TSpriteRef OItemsManager::AddParticleEffect(TXmlNode* node, float x, float y, bool onTop) {
  if (!node || !mScene) return TSpriteRef();
  return mScene->AddParticleEffect(node, int(x), int(y), onTop);
}

bool OItemsManager::IsItemAvailable(const str& name) {
  return mScene && mScene->IsItemAvailable(name);
}

void OItemsManager::DeactivateParticles() {
  if (mScene) mScene->DeactivateParticles();
}

// The broadcasts walk a copy: an item may leave or join the list while it is
// being told something (a take on start, a producer making an item).
void OItemsManager::CreateObjects() {
  std::vector<IItem*> items = mItems;
  for (IItem* item : items) item->CreateObject();
}

void OItemsManager::Update() {
  std::vector<IItem*> items = mItems;
  for (IItem* item : items)
    if (std::find(mItems.begin(), mItems.end(), item) != mItems.end()) item->Update();
}

void OItemsManager::SaveItems() {
  std::vector<IItem*> items = mItems;
  for (IItem* item : items) item->SaveState();
}

void OItemsManager::OnSceneStart() {
  std::vector<IItem*> items = mItems;
  for (IItem* item : items)
    if (std::find(mItems.begin(), mItems.end(), item) != mItems.end()) item->OnSceneStart();
}

void OItemsManager::ReleaseMasks() {
  for (IItem* item : mItems) item->ReleaseMask();
}

void OItemsManager::ReleaseSceneLinks() {
  for (IItem* item : mItems) item->ReleaseSceneLinks();
}

IItem* OItemsManager::FindItem(const str& name) const {
  for (IItem* item : mItems)
    if (item->GetName() == name) return item;
  return nullptr;
}

const std::vector<str>* OItemsManager::GetItemOrder() const {
  return mScene ? mScene->GetItemNames() : nullptr;
}

int OItemsManager::RankOf(const std::vector<str>* order, const str& name, bool* listed) const {
  if (order) {
    auto it = std::find(order->begin(), order->end(), name);
    if (it != order->end()) {
      *listed = true;
      return int(it - order->begin());
    }
  }
  *listed = false;
  return 0;
}

OItemsManager* OItemsManager::SceneListOf(IItemsManager* manager) {
  if (!manager) return nullptr;
  if (GFullScreenGameScene* scene = manager->GetScene())
    if (OItemsManager* list = scene->GetItemsManager()) return list;
  return dynamic_cast<OItemsManager*>(manager);
}

void OItemsManager::InsertInSceneOrder(IItem* item) {
  if (!item) return;
  const std::vector<str>* order = GetItemOrder();
  bool listed = false;
  int rank = RankOf(order, item->GetName(), &listed);
  for (auto it = mItems.begin(); it != mItems.end(); ++it) {
    bool otherListed = false;
    int other = RankOf(order, (*it)->GetName(), &otherListed);
    if (otherListed && other > rank) {
      mItems.insert(it, item);
      return;
    }
  }
  mItems.push_back(item);
}

void OItemsManager::Clear() {
  for (size_t i = 0; i < mItems.size();) {
    IItem* item = mItems[i];
    item->Detach();
    if (item->GetTypeId() == ItemTypeId::OParticleItem) {
      ++i;
      continue;
    }
    mItems.erase(mItems.begin() + i);
    delete item;
  }
}

// Exact classes only: a kind derived from a producer or a container takes
// nothing back this way (the locked container is the one exception).
bool OItemsManager::HasProducerFor(IItem* held) const {
  if (!held || !held->CanBeReturned()) return false;
  for (IItem* item : mItems)
    if (item->GetTypeId() == ItemTypeId::OProducerItem &&
        static_cast<OProducerItem*>(item)->GetProductName() == held->GetName())
      return true;
  return false;
}

namespace {
OContainerItem* AsContainer(IItem* item) {
  int32_t type = item->GetTypeId();
  return type == ItemTypeId::OContainerItem || type == ItemTypeId::OLockedContainerItem
             ? static_cast<OContainerItem*>(item)
             : nullptr;
}
}  // namespace

bool OItemsManager::HasContainerFor(IItem* held) const {
  if (!held || !held->CanBeReturned()) return false;
  for (IItem* item : mItems)
    if (OContainerItem* container = AsContainer(item))
      if (container->ClaimsItem(held)) return true;
  return false;
}

void OItemsManager::ReturnToContainer(IItem* held) {
  if (!held || !held->CanBeReturned()) return;
  // A copy: taking an item back makes and deletes items, though not in this
  // list; the walk stops at the first taker, which has deleted `held`.
  std::vector<IItem*> items = mItems;
  for (IItem* item : items)
    if (OContainerItem* container = AsContainer(item))
      if (container->TakeBackItem(held)) return;
}
