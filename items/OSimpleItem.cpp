#include "OSimpleItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OItemMask.h"
#include "game/OSoundManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
// The children of "particles", in the order of the particle indices.
const char* const kParticleNames[OSimpleItem::kParticleCount] = {"scene_put", "scene_get", "drop_zone_put",
                                                                 "drop_zone_get"};

IAction* CreateAction(TXmlNode* node, const char* child, IItemsManager* owner) {
  TXmlNode* actionNode = node->GetChild(child);
  if (!actionNode) return nullptr;
  return OActionFactory::CreateAction(actionNode, owner ? owner->GetMasksManager() : nullptr);
}

IMousePointerEventListener* SimplePointer() {
  return GMousePointer::PeekInstance();
}

// The place the registry holds for the item, when it holds one.
bool RegistryPlace(const str& name, int32_t* place) {
  return OItemsRegistry::GetInstance()->GetState(name, 0, place);
}
}  // namespace

OSimpleItem::OSimpleItem(const str& name, IItemsManager* owner, const str& visualFolder,
                         const str& visualPath, int32_t x, int32_t y)
    : OItem(name, owner, visualFolder, visualPath),
      mSceneX(x),
      mSceneY(y),
      mParticleNodes(kParticleCount, nullptr) {}

OSimpleItem::~OSimpleItem() {
  UnlinkMask();
  delete mAction;
  delete mGetFromSceneAction;
  delete mReturnToSceneAction;
}

bool OSimpleItem::ReadLook(const str& name, TXmlNode* node, Look* look) {
  if (!node) return false;
  ReadVisualOf(node, &look->folder, &look->path);
  if (look->path.empty()) {
    Report("%s: item \"%s\" has no gvobject; item skipped", OItemFactory::GetGuidePath().c_str(),
           name.c_str());
    return false;
  }
  ReadPosition(node, "scene_pos", &look->x, &look->y);
  return true;
}

void OSimpleItem::ReadEntry(TXmlNode* node, IItemsManager* owner, int optional) {
  if (TXmlNode* mask = node->GetChild("scene_mask")) mSceneMaskName = mask->GetAttribute("name");
  if (TXmlNode* particles = node->GetChild("particles")) {
    for (int i = 0; i < kParticleCount; ++i) mParticleNodes[i] = particles->GetChild(kParticleNames[i]);
  }
  SetCaptionKey(node->GetAttribute("caption"));
  if (optional & kReadUseAction) mAction = CreateAction(node, "action", owner);
  mGetFromSceneAction = CreateAction(node, "get_from_scene_action", owner);
  mReturnToSceneAction = CreateAction(node, "return_to_scene_action", owner);
  if (optional & kReadOnPointerFlag) mOnPointerFlag = node->GetChildContent("on_pointer_flag");
}

OSimpleItem* OSimpleItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  OSimpleItem* item = new OSimpleItem(name, owner, look.folder, look.path, look.x, look.y);
  item->ReadEntry(node, owner, kReadUseAction | kReadOnPointerFlag);
  return item;
}

IItem* OSimpleItem::CreateInPlace(Loader load, const str& name, TXmlNode* node, IItemsManager* owner,
                                  int32_t place) {
  int32_t saved = ItemPlace::stScene;
  // No entry, or an entry without a value, is an item that never moved.
  if (place == ItemPlace::stScene && RegistryPlace(name, &saved) && saved != ItemPlace::stScene)
    return nullptr;
  OSimpleItem* item = load(name, node, owner);
  if (item) item->mPlace = place;
  return item;
}

IItem* OSimpleItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateIn<&CreateFromXml, ItemPlace::stScene>(name, node, owner);
}

IItem* OSimpleItem::CreateForPointer(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateIn<&CreateFromXml, ItemPlace::stPointer>(name, node, owner);
}

IItem* OSimpleItem::CreateForInventory(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateIn<&CreateFromXml, ItemPlace::stInventory>(name, node, owner);
}

IItem* OSimpleItem::CreateDropped(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateIn<&CreateFromXml, ItemPlace::stDropped>(name, node, owner);
}

bool OSimpleItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OSimpleItem || OItem::IsKindOf(typeId);
}

void OSimpleItem::CreateObject() {
  IItem::CreateObject();
  SetPlace(mPlace);
}

bool OSimpleItem::IsInScene() const {
  return mPlace == ItemPlace::stScene || mPlace == ItemPlace::stDropped;
}

bool OSimpleItem::OwnsMask(IMask* mask) const {
  return mPlace == ItemPlace::stScene && mOwnMask && mask == mOwnMask;
}

void OSimpleItem::OnMaskEnter(IMask* mask) {
  if (!OwnsMask(mask)) return;
  if (IMousePointerEventListener* pointer = SimplePointer()) pointer->SetSceneMode(3);
  ShowCaption();
}

void OSimpleItem::OnMaskLeave(IMask* mask) {
  if (!OwnsMask(mask)) return;
  if (IMousePointerEventListener* pointer = SimplePointer()) pointer->SetSceneMode(0);
  HideCaption();
}

bool OSimpleItem::OnMaskClick(IMask* mask) {
  if (!OwnsMask(mask)) return false;
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetHeldItem()) return false;

  StartParticle(kSceneGet);
  if (mOwner) mOwner->RemoveItem(this);
  // Sent while the registry still holds place 0: rules may look at it.
  OMissionsManager::GetInstance()->OnItemGet(GetCurrentName());
  SetPlace(ItemPlace::stPointer);
  if (GMasksManager* masks = mOwner ? mOwner->GetMasksManager() : nullptr) masks->Refresh();
  PlayTakeSound();
  if (mGetFromSceneAction) mGetFromSceneAction->Execute();
  return true;
}

bool OSimpleItem::Use(const TPoint& point) {
  if (!mAction) return false;
  OMissionsManager::GetInstance()->OnItemAction(mName);
  mAction->Execute();
  return true;
}

void OSimpleItem::Detach() {
  UnlinkMask();
}

void OSimpleItem::UnlinkMask() {
  if (mOwnMask) mOwnMask->SetItem(nullptr);
  mOwnMask = nullptr;
}

void OSimpleItem::SaveState() {
  OItemsRegistry::GetInstance()->SetState(mName, mPlace);
}

void OSimpleItem::PlayTakeSound() {
  OSoundManager::GetInstance()->PlaySimpleItemGet(mName);
}

void OSimpleItem::PlayPutSound() {
  OSoundManager::GetInstance()->PlaySimpleItemPut(mName);
}

void OSimpleItem::PlayDropZonePutSound() {
  OSoundManager::GetInstance()->PlaySimpleItemDropZonePut(mName);
}

void OSimpleItem::SetItemsManager(IItemsManager* owner) {
  OItem::SetItemsManager(owner);
  // All three actions were built for the old scene's masks manager, which
  // goes with that scene; each of them can still run in the new one.
  GMasksManager* masks = owner ? owner->GetMasksManager() : nullptr;
  if (mAction) mAction->SetOwner(masks);
  if (mGetFromSceneAction) mGetFromSceneAction->SetOwner(masks);
  if (mReturnToSceneAction) mReturnToSceneAction->SetOwner(masks);
}

void OSimpleItem::ReturnToScene(bool silent) {
  MoveToScene();
  StartParticle(kScenePut);
  SaveState();
  OMissionsManager::GetInstance()->OnItemSceneReturn(mName);
  if (!silent) PlayPutSound();
  if (mReturnToSceneAction) mReturnToSceneAction->Execute();
}

void OSimpleItem::SetPlace(int32_t place) {
  mPlace = place;
  // Only the mask: what a kind's Detach undoes besides stays linked.
  UnlinkMask();
  SaveState();

  const char* flagValue = "false";
  switch (place) {
    case ItemPlace::stScene: {
      GMasksManager* masks = mOwner ? mOwner->GetMasksManager() : nullptr;
      mOwnMask = FindItemMask(masks, mSceneMaskName);
      if (mOwnMask) mOwnMask->SetItem(this);
      if (mObject) {
        mObject->SetState(TState::FromCStr("stScene"), true);
        mObject->visible = 1;
        mObject->deltaX = float(mSceneX);
        mObject->deltaY = float(mSceneY);
        mObject->changed = 1;
      }
      break;
    }
    case ItemPlace::stPointer:
      if (mObject) {
        mObject->SetState(TState::FromCStr("stPointer"), true);
        mObject->alpha = 1.0f;
        mObject->changed = 1;
      }
      Detach();
      GMousePointer::GetInstance()->HoldItem(this);
      flagValue = "true";
      break;
    case ItemPlace::stInventory:
      if (mObject) mObject->SetState(TState::FromCStr("stInventory"), true);
      break;
    case ItemPlace::stAlchemicalInventory:
      if (mObject) {
        mObject->SetState(TState::FromCStr("stAlchemicalInventory"), true);
        mObject->deltaX = 0;
        mObject->deltaY = 0;
        mObject->changed = 1;
      }
      break;
    case ItemPlace::stDropped:
      if (mObject) mObject->SetState(TState::FromCStr("stDropped"), true);
      break;
    default:
      return;
  }
  if (!mOnPointerFlag.empty()) OFlagsRegistry::GetInstance()->SetValue(mOnPointerFlag, flagValue);
}

void OSimpleItem::PlayTakeEffect() {
  PlayTakeSound();
  StartParticle(kDropZoneGet);
}

void OSimpleItem::PlayDropZonePutEffect() {
  PlayDropZonePutSound();
  StartParticle(kDropZonePut);
}

TXmlNode* OSimpleItem::GetParticleNode(int index) const {
  return index >= 0 && index < int(mParticleNodes.size()) ? mParticleNodes[index] : nullptr;
}

void OSimpleItem::StartParticle(int index) {
  TXmlNode* node = GetParticleNode(index);
  if (!node || !mOwner) return;
  TPoint center = GetCenter();
  mOwner->AddParticleEffect(node, center.x, center.y, false);
}
