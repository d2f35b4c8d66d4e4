#include "ORaptorItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "rules/actions/ORestoreItemAction.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kStateNames[] = {"normal", "look", "bite", "bitten"};

IAction* BuildAction(TXmlNode* node, const char* element, GMasksManager* masks) {
  TXmlNode* child = node->GetChild(element);
  return child ? OActionFactory::CreateAction(child, masks) : nullptr;
}

void Run(IAction* action) {
  if (action) action->Execute();
}

GMasksManager* RaptorMasks(IItemsManager* owner) {
  return owner ? owner->GetMasksManager() : nullptr;
}
}  // namespace

ORaptorItem::~ORaptorItem() {
  Detach();
  delete mBiteAction;
  delete mFirstClickAction;
  delete mInvalidKeyAction;
  delete mSuccessfulCutAction;
}

IItem* ORaptorItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  TXmlNode* gvobject = node->GetChild("gvobject");
  ORaptorItem* item = new ORaptorItem(name, owner, gvobject ? gvobject->GetContent() : str(),
                                      gvobject ? gvobject->GetAttribute("name") : str());
  if (TXmlNode* pos = node->GetChild("scene_pos")) {
    item->mX = pos->GetAttribute("x").to_int();
    item->mY = pos->GetAttribute("y").to_int();
  }
  if (TXmlNode* mask = node->GetChild("scene_mask")) item->mMaskName = mask->GetAttribute("name");
  item->SetCaptionKey(node->GetAttribute("caption"));
  TXmlNode* keys = node->GetChild("keys");
  for (size_t i = 0; keys && i < keys->GetChildCount(); ++i)
    item->mKeys.push_back(keys->GetChildAt(i)->GetContent());
  GMasksManager* masks = RaptorMasks(owner);
  item->mBiteAction = BuildAction(node, "bite_action", masks);
  item->mFirstClickAction = BuildAction(node, "first_click_action", masks);
  item->mInvalidKeyAction = BuildAction(node, "not_valid_key_item_action", masks);
  item->mSuccessfulCutAction = BuildAction(node, "successful_cut_action", masks);
  item->mResultItem = node->GetChildContent("result_item_id");
  int32_t saved = kNormal;
  // A state the raptor does not have shows it as it normally stands.
  if (OItemsRegistry::GetInstance()->GetState(name, 0, &saved) && saved >= kNormal && saved <= kBitten)
    item->mRaptorState = saved;
  return item;
}

bool ORaptorItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::ORaptorItem || OItem::IsKindOf(typeId);
}

void ORaptorItem::ShowState(int32_t state) {
  mRaptorState = state;
  if (mObject) mObject->SetState(TState::FromCStr(kStateNames[state]), true);
  if (state == kBitten) mRaptorState = kNormal;
}

void ORaptorItem::OnStateEnd(GVObject* object, TState state) {
  if (mRaptorState == kLook) {
    ShowState(kNormal);
  } else if (mRaptorState == kBite) {
    Run(mBiteAction);
    ShowState(kBitten);
  }
}

void ORaptorItem::CreateObject() {
  IItem::CreateObject();
  Detach();
  mMask = FindItemMask(RaptorMasks(mOwner), mMaskName);
  if (mMask) mMask->SetItem(this);
  if (mObject) {
    mObject->deltaX = float(mX);
    mObject->deltaY = float(mY);
    mObject->changed = 1;
  }
  // A look or a bite saved while it ran starts again.
  ShowState(mRaptorState);
}

void ORaptorItem::OnMaskEnter(IMask* mask) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(3);
  ShowCaption();
}

void ORaptorItem::OnMaskLeave(IMask* mask) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  HideCaption();
}

bool ORaptorItem::IsKey(const str& name) const {
  for (const str& key : mKeys)
    if (key == name) return true;
  return false;
}

bool ORaptorItem::OnMaskClick(IMask* mask) {
  if (mRaptorState != kNormal) return true;
  if (OFlagsRegistry::GetInstance()->GetValue("are_we_invisible") != "true") {
    ++mClickCount;
    if (mClickCount == 1) {
      ShowState(kLook);
      Run(mFirstClickAction);
    } else {
      ShowState(kBite);
    }
    return true;
  }
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  if (held && IsKey(held->GetName()))
    TakeKey(held->GetName());
  else
    Run(mInvalidKeyAction);
  return true;
}

void ORaptorItem::TakeKey(const str& key) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  pointer->GetManager()->ConsumeHeldItem();
  if (IItem* result = OItemFactory::CreateForPointer(mResultItem, mOwner)) {
    result->CreateObject();
    pointer->HoldItem(result);
  } else {
    Report("%s: item \"%s\": result item \"%s\" cannot be made; the hand stays empty",
           OItemFactory::GetGuidePath().c_str(), mName.c_str(), mResultItem.c_str());
  }
  ORestoreItemAction restore(key, RaptorMasks(mOwner));
  restore.Execute();
  Run(mSuccessfulCutAction);
}

bool ORaptorItem::OwnsMask(IMask* mask) const {
  return mask && mask == mMask;
}

void ORaptorItem::Detach() {
  if (mMask && mMask->GetItem() == this) mMask->SetItem(nullptr);
  mMask = nullptr;
}

void ORaptorItem::SaveState() {
  OItemsRegistry::GetInstance()->SetState(mName, mRaptorState);
}
