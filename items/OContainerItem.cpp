#include "OContainerItem.h"

#include <algorithm>

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "game/OSoundManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TXmlNode.h"

namespace {
IItem* ContainerHeldItem() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer ? pointer->GetHeldItem() : nullptr;
}

bool Contains(const std::vector<str>& names, const str& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The item mask named by `child`'s "name", and its "caption" into `caption`.
OItemMask* ReadMask(TXmlNode* child, GMasksManager* masks, str* caption) {
  if (!child) return nullptr;
  *caption = child->GetAttribute("caption");
  return FindItemMask(masks, child->GetAttribute("name"));
}

void Unlink(OItemMask*& mask) {
  if (mask) mask->SetItem(nullptr);
  mask = nullptr;
}
}  // namespace

// ---- container ----

OContainerItem::OContainerItem(const str& name, IItemsManager* owner, const str& visualFolder,
                               const str& visualPath)
    : OItem(name, owner, visualFolder, visualPath) {}

OContainerItem::~OContainerItem() {
  DropHeldItems();
  Detach();
  delete mOpenAction;
}

void OContainerItem::ReadContainer(OContainerItem* item, TXmlNode* node, IItemsManager* owner) {
  GMasksManager* masks = owner ? owner->GetMasksManager() : nullptr;
  int32_t restored = 0;
  OItemsRegistry::GetInstance()->GetState(item->mName, 0, &restored);
  ReadPosition(node, "scene_pos", &item->mSceneX, &item->mSceneY);
  item->mClosedMask = ReadMask(node->GetChild("closed_mask"), masks, &item->mCaptions[0]);
  item->mOpenedMask = ReadMask(node->GetChild("opened_mask"), masks, &item->mCaptions[1]);
  // The return zone lies over the open container and names it while open.
  item->mReturnZoneMask =
      ReadMask(node->GetChild("opened_return_item_zone_mask"), masks, &item->mCaptions[1]);
  item->mItemNames = ReadNames(node->GetChild("items"));
  item->mClosedItemNames = ReadNames(node->GetChild("closed_items"));
  item->mOpenParticleEffect = node->GetChild("open_particle_effect");
  item->mOpenAction = OActionFactory::CreateAction(node->GetChild("open_action"), masks);
  str look = node->GetChildContent("animation_type");
  item->mHoverMode = look.empty() ? 3 : SceneModeOf(look);
  for (OItemMask* mask : {item->mClosedMask, item->mOpenedMask, item->mReturnZoneMask})
    if (mask) mask->SetItem(item);
  // Opening and closing are saved as where they lead, so only 0 and 1 come
  // back; anything else is a damaged save and reads as closed.
  item->mState = restored == kOpened ? kOpened : kClosed;
}

OContainerItem* OContainerItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OContainerItem* item = new OContainerItem(name, owner, folder, path);
  ReadContainer(item, node, owner);
  return item;
}

IItem* OContainerItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateFromXml(name, node, owner);
}

bool OContainerItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OContainerItem || OItem::IsKindOf(typeId);
}

void OContainerItem::CreateObject() {
  IItem::CreateObject();
  PlaceObject(mSceneX, mSceneY);
  ApplyState(mState);
}

void OContainerItem::ApplyState(int state) {
  mState = state;
  mTickCount = 0;
  switch (state) {
    case kClosed:
      DropHeldItems();
      CreateHeldItems(mClosedItemNames);
      ShowVisual("stClosed", true);
      break;
    case kOpened:
      DropHeldItems();
      CreateHeldItems(mItemNames);
      ShowVisual("stOpened", true);
      if (mObject) mObject->alpha = 1.0f;
      break;
    case kOpening:
      DropHeldItems();
      CreateHeldItems(mItemNames);
      ShowVisual("stOpened", false);
      break;
    case kClosing:
      ShowVisual("stOpened", true);
      if (mObject) mObject->alpha = 1.0f;
      break;
  }
  SaveState();
}

void OContainerItem::ShowVisual(const char* state, bool visible) {
  if (!mObject) return;
  mObject->SetState(TState::FromCStr(state), true);
  mObject->visible = visible ? 1 : 0;
  mObject->changed = 1;
}

void OContainerItem::Draw() {
  IItem::Draw();
  DrawHeldItems();
}

bool OContainerItem::OwnsMask(IMask* mask) const {
  if (!mask) return false;
  if (mState == kClosed) return mask == mClosedMask;
  return mask == mOpenedMask || mask == mReturnZoneMask;
}

void OContainerItem::OnMaskEnter(IMask* mask) {
  bool open = mState == kOpened || mState == kClosing;
  if (GMasksManager* masks = GetMasksManager()) masks->SetCaptionKey(mCaptions[open ? 1 : 0]);
  GMousePointer* pointer = GMousePointer::GetInstance();
  IItem* held = ContainerHeldItem();
  if (mask && mask == mReturnZoneMask && held && ClaimsItem(held)) {
    pointer->SetSceneMode(3);
    return;
  }
  pointer->SetSceneMode(GetTypeId() == ItemTypeId::OLockedContainerItem ? mHoverMode : 4);
}

void OContainerItem::OnMaskLeave(IMask* mask) {
  GMousePointer::GetInstance()->SetSceneMode(0);
  HideCaption();
}

void OContainerItem::RefreshHover() {
  if (GMasksManager* masks = GetMasksManager()) masks->Refresh();
}

void OContainerItem::Open() {
  if (mOpenAction) mOpenAction->Execute();
  if (mOpenParticleEffect)
    AddParticleEffect(mOpenParticleEffect, mOpenParticleEffect->GetAttribute("x").to_float(),
                      mOpenParticleEffect->GetAttribute("y").to_float(), false);
  mState = kOpening;
  mTickCount = 0;
  DropHeldItems();
  CreateHeldItems(mItemNames);
  ShowVisual("stOpened", false);
  SaveState();
  OSoundManager::GetInstance()->PlayContainerItemOpen(mName);
}

bool OContainerItem::OnMaskClick(IMask* mask) {
  if (!mask) return false;
  if (mState == kClosed && mask == mClosedMask) {
    Open();
    RefreshHover();
    return true;
  }
  IItem* held = ContainerHeldItem();
  if (mState == kOpened && mask == mReturnZoneMask && held && ClaimsItem(held)) {
    GMousePointer* pointer = GMousePointer::GetInstance();
    pointer->ReleaseItem();
    pointer->OnItemDropped();
    TakeBackItem(held);
    RefreshHover();
    // The hand is empty now: the scene finds nothing left to use.
    return false;
  }
  if (mState == kOpened && (mask == mOpenedMask || mask == mReturnZoneMask)) {
    OSoundManager::GetInstance()->PlayContainerItemClose(mName);
    mState = kClosing;
    mTickCount = 0;
    ShowVisual("stOpened", true);
    if (mObject) mObject->alpha = 1.0f;
    SaveState();
    RefreshHover();
    return true;
  }
  RefreshHover();
  return false;
}

void OContainerItem::Update() {
  if (mState != kOpening && mState != kClosing) return;
  ++mTickCount;
  if (mObject) {
    mObject->visible = 1;
    mObject->changed = 1;
  }
  float fraction = float(mTickCount) / float(kFadeTicks);
  float alpha = mState == kOpening ? fraction : 1.0f - fraction;
  if (alpha != 0) {
    if (mObject) mObject->alpha = alpha;
    for (IItem* item : mHeldItems) {
      if (GVObject* object = item->GetObject()) {
        object->alpha = alpha;
        object->changed = 1;
      }
    }
  }
  if (mState == kOpening) {
    if (mTickCount >= kFadeTicks) mState = kOpened;
    return;
  }
  if (mTickCount >= kFadeTicks) {
    mState = kClosed;
    mTickCount = 0;
    DropHeldItems();
    CreateHeldItems(mClosedItemNames);
    ShowVisual("stClosed", true);
    // The closed picture shows whole, not at the last step of the fade.
    if (mObject) mObject->alpha = 1.0f;
    SaveState();
  }
}

void OContainerItem::Detach() {
  Unlink(mOpenedMask);
  Unlink(mClosedMask);
  Unlink(mReturnZoneMask);
}

void OContainerItem::ReleaseMask() {
  mClosedMask = mOpenedMask = mReturnZoneMask = nullptr;
  ReleaseHeldMasks();
}

void OContainerItem::SaveState() {
  bool open = mState == kOpened || mState == kOpening;
  OItemsRegistry::GetInstance()->SetState(mName, open ? 1 : 0);
}

bool OContainerItem::HoldsProducerOf(IItem* item) const {
  str product = item->GetCurrentName();
  for (const str& name : mItemNames) {
    TXmlNode* entry = OItemFactory::FindGuideNode(name);
    if (entry && entry->GetAttribute("type") == "producer" &&
        entry->GetChildContent("product_item") == product)
      return true;
  }
  return false;
}

bool OContainerItem::ClaimsItem(IItem* item) const {
  if (!item) return false;
  return Contains(mItemNames, item->GetName()) || HoldsProducerOf(item);
}

bool OContainerItem::TakeBackItem(IItem* item) {
  if (!item) return false;
  if (Contains(mItemNames, item->GetName())) {
    if (mState != kClosed) ApplyState(kClosed);
    if (item->IsKindOf(ItemTypeId::OSimpleItem)) item->PlayPutSound();
    // Its record says it lies here again, so opening makes it anew.
    item->MoveToScene();
    delete item;
    ApplyState(kOpened);
    return true;
  }
  if (!HoldsProducerOf(item)) return false;
  // A product returns to its source and is not made again.
  if (item->IsKindOf(ItemTypeId::OSimpleItem)) item->PlayPutSound();
  delete item;
  return true;
}

// ---- locked container ----

OLockedContainerItem::OLockedContainerItem(const str& name, IItemsManager* owner, const str& visualFolder,
                                           const str& visualPath)
    : OContainerItem(name, owner, visualFolder, visualPath) {}

OLockedContainerItem::~OLockedContainerItem() {
  delete mNoItemAction;
}

OLockedContainerItem* OLockedContainerItem::CreateFromXml(const str& name, TXmlNode* node,
                                                          IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OLockedContainerItem* item = new OLockedContainerItem(name, owner, folder, path);
  ReadContainer(item, node, owner);
  int32_t unlocked = 0;
  item->mUnlocked = OItemsRegistry::GetInstance()->GetState(name, 1, &unlocked) && unlocked == 1;
  if (TXmlNode* keys = node->GetChild("keys"))
    for (size_t i = 0; i < keys->GetChildCount(); ++i)
      item->mKeyNames.push_back(keys->GetChildAt(i)->GetContent());
  item->mNoItemAction = OActionFactory::CreateAction(node->GetChild("no_item_action"),
                                                     owner ? owner->GetMasksManager() : nullptr);
  return item;
}

IItem* OLockedContainerItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateFromXml(name, node, owner);
}

bool OLockedContainerItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OLockedContainerItem || OContainerItem::IsKindOf(typeId);
}

bool OLockedContainerItem::OnMaskClick(IMask* mask) {
  IItem* held = ContainerHeldItem();
  bool key = held && Contains(mKeyNames, held->GetName());
  if (!mUnlocked && !held) {
    OSoundManager::GetInstance()->PlayContainerCantOpen(mName);
    if (mNoItemAction) mNoItemAction->Execute();
    return true;
  }
  if (!key && mState == kClosed) {
    if (!mask || mask != mClosedMask) return false;
    OSoundManager::GetInstance()->PlayContainerCantOpen(mName);
  }
  if (mask && mask == mClosedMask && mState == kClosed && (mUnlocked || key)) {
    HideCaption();
    // The key stays in the hand.
    OContainerItem::OnMaskClick(mask);
    return true;
  }
  return false;
}

void OLockedContainerItem::SaveState() {
  bool open = mState == kOpened || mState == kOpening;
  OItemsRegistry::GetInstance()->SetStates(mName, {open ? 1 : 0, mUnlocked ? 1 : 0});
}
