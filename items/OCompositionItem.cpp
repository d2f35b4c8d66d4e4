#include "OCompositionItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/IItemsManager.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TXmlNode.h"

namespace {
GMasksManager* CompositionMasks(IItemsManager* owner) {
  return owner ? owner->GetMasksManager() : nullptr;
}

}  // namespace

OCompositionItem::OCompositionItem(const str& name, IItemsManager* owner, const str& visualFolder,
                                   const str& visualPath)
    : OItem(name, owner, visualFolder, visualPath) {}

OCompositionItem::~OCompositionItem() {
  if (mOwnMask) mOwnMask->SetItem(nullptr);
  for (GVObject* part : mPartObjects) delete part;
  delete mWrongItemAction;
  for (auto& entry : mLeftItemsActions) delete entry.second;
}

OCompositionItem* OCompositionItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OCompositionItem* item = new OCompositionItem(name, owner, folder, path);
  item->ReadEntry(node, true);
  return item;
}

void OCompositionItem::ReadEntry(TXmlNode* node, bool readLeftItemsActions) {
  GMasksManager* masks = CompositionMasks(mOwner);
  // A position means something only for a visual.
  if (!mVisualPath.empty()) ReadPosition(node, "pos", &mX, &mY);
  SetCaptionKey(node->GetAttribute("caption"));
  if (TXmlNode* mask = node->GetChild("scene_mask")) {
    mOwnMask = FindItemMask(masks, mask->GetAttribute("name"));
    if (mOwnMask) mOwnMask->SetItem(this);
  }
  if (TXmlNode* parts = node->GetChild("parts"))
    for (size_t i = 0; i < parts->GetChildCount(); ++i) mPartNodes.push_back(parts->GetChildAt(i));
  mPartObjects.assign(mPartNodes.size(), nullptr);
  mCompletedActions = node->GetChild("completed_actions");
  // Copied: the registry may be emptied by a load before the visual is made.
  if (const OItemsRegistry::States* saved = OItemsRegistry::GetInstance()->GetStates(mName)) {
    mSavedStates = *saved;
    mHasSavedStates = true;
  }
  mWrongItemAction = OActionFactory::CreateAction(node->GetChild("not_valid_insert_item_action"), masks);
  TXmlNode* left = readLeftItemsActions ? node->GetChild("left_items_actions") : nullptr;
  for (size_t i = 0; left && i < left->GetChildCount(); ++i) {
    TXmlNode* child = left->GetChildAt(i);
    IAction* action = OActionFactory::CreateAction(child, masks);
    if (!action) continue;
    // A later entry for the same number replaces the earlier one.
    IAction*& slot = mLeftItemsActions[child->GetAttribute("num_left_items").to_int()];
    delete slot;
    slot = action;
  }
}

IItem* OCompositionItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateFromXml(name, node, owner);
}

bool OCompositionItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OCompositionItem || OItem::IsKindOf(typeId);
}

bool OCompositionItem::OwnsMask(IMask* mask) const {
  return mask && mask == mOwnMask;
}

void OCompositionItem::CreateObject() {
  IItem::CreateObject();
  PlaceObject(mX, mY);
  if (!mHasSavedStates) return;
  for (size_t i = 0; i < mSavedStates.size() && i < mPartNodes.size(); ++i)
    if (mSavedStates[i] != 0) CreatePartObject(i);
}

void OCompositionItem::OnMaskEnter(IMask* mask) {
  if (GMasksManager* masks = CompositionMasks(mOwner)) masks->SetCaptionKey(mCaptionKey);
}

void OCompositionItem::OnMaskLeave(IMask* mask) {
  if (GMasksManager* masks = CompositionMasks(mOwner)) masks->SetCaptionKey(str());
}

bool OCompositionItem::OnMaskClick(IMask* mask) {
  return OwnsMask(mask) && InsertHeldItem();
}

void OCompositionItem::Detach() {
  if (mOwnMask) mOwnMask->SetItem(nullptr);
  mOwnMask = nullptr;
}

void OCompositionItem::SaveState() {
  OItemsRegistry::States states;
  for (GVObject* part : mPartObjects) states.push_back(part ? 1 : 0);
  OItemsRegistry::GetInstance()->SetStates(mName, states);
}

size_t OCompositionItem::CountMissingParts() const {
  size_t missing = 0;
  for (GVObject* part : mPartObjects)
    if (!part) ++missing;
  return missing;
}

bool OCompositionItem::InsertHeldItem() {
  OMousePointerManager* pointer = GMousePointer::PeekManager();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  if (!held) return false;
  str name = held->GetName();
  for (size_t i = 0; i < mPartNodes.size(); ++i) {
    if (mPartNodes[i]->GetAttribute("id") != name) continue;
    if (!AcceptPart(i)) return false;
    FinishInsert(i);
    return true;
  }
  if (mWrongItemAction) mWrongItemAction->Execute();
  return false;
}

bool OCompositionItem::AcceptPart(size_t index) {
  return CreatePartObject(index);
}

bool OCompositionItem::CreatePartObject(size_t index) {
  if (index >= mPartNodes.size()) return true;
  TXmlNode* part = mPartNodes[index];
  delete mPartObjects[index];
  mPartObjects[index] = nullptr;
  str path = part->GetAttribute("gvobject");
  if (path.empty()) return true;
  GVObject* object = CreateVisual("anim/", path, &mDrawList);
  if (object) {
    object->deltaX = float(part->GetAttribute("x").to_int());
    object->deltaY = float(part->GetAttribute("y").to_int());
    object->changed = 1;
  }
  mPartObjects[index] = object;
  return true;
}

void OCompositionItem::FinishInsert(size_t index) {
  auto left = mLeftItemsActions.find(int32_t(CountMissingParts()));
  if (left != mLeftItemsActions.end()) left->second->Execute();
  SaveState();
  if (OMousePointerManager* pointer = GMousePointer::PeekManager()) pointer->ConsumeHeldItem();
  RunActions(mPartNodes[index]->GetChild("actions"));
  if (CountMissingParts() == 0) RunActions(mCompletedActions);
}

void OCompositionItem::RunActions(TXmlNode* node) {
  if (!node) return;
  GMasksManager* masks = CompositionMasks(mOwner);
  for (size_t i = 0; i < node->GetChildCount(); ++i) {
    IAction* action = OActionFactory::CreateAction(node->GetChildAt(i), masks);
    if (!action) continue;
    action->Execute();
    delete action;
  }
}
