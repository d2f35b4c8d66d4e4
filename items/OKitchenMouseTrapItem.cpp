#include "OKitchenMouseTrapItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
// The timer's catch variable as the trap reads it; the timer's configuration
// must name the same variable and value.
const char* const kCaughtFlag = "mouse_caught";
const char* const kCaptionElements[OKitchenMouseTrapItem::kStateCount] = {"caption_none", "caption_mousetrap",
                                                                          "caption_mouse", "caption_empty"};

IItem* TrapHeldItem() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer ? pointer->GetHeldItem() : nullptr;
}
}  // namespace

OKitchenMouseTrapItem::~OKitchenMouseTrapItem() {
  Detach();
}

IItem* OKitchenMouseTrapItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  int32_t saved = kNone;
  bool hasSaved = OItemsRegistry::GetInstance()->GetState(name, 0, &saved);
  // A value from elsewhere than this trap counts as nothing there.
  if (saved < kNone || saved >= kStateCount) saved = kNone;
  int32_t state = saved;
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  if (flags->GetValue(kCaughtFlag) == "true") {
    state = hasSaved && saved == kEmpty ? kEmpty : kCaught;
    flags->SetValue(kCaughtFlag, "false");
  }

  TXmlNode* gvobject = node->GetChild("gvobject");
  OKitchenMouseTrapItem* item =
      new OKitchenMouseTrapItem(name, owner, gvobject ? gvobject->GetContent() : str(),
                                gvobject ? gvobject->GetAttribute("name") : str());
  item->mState = state;
  if (TXmlNode* pos = node->GetChild("scene_pos")) {
    item->mX = pos->GetAttribute("x").to_int();
    item->mY = pos->GetAttribute("y").to_int();
  }
  if (TXmlNode* mask = node->GetChild("scene_mask")) item->mMaskName = mask->GetAttribute("name");
  item->mReadyTrapItem = node->GetChildContent("ready_mousetrap");
  item->mWhiskerItem = node->GetChildContent("mouse_whisker_id");
  item->mInitialTrapItem = node->GetChildContent("initial_mousetrap");
  for (int i = 0; i < kStateCount; ++i) item->mCaptions[i] = node->GetChildContent(kCaptionElements[i]);
  return item;
}

bool OKitchenMouseTrapItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OKitchenMouseTrapItem || OItem::IsKindOf(typeId);
}

void OKitchenMouseTrapItem::CreateObject() {
  IItem::CreateObject();
  Detach();
  mMask = FindItemMask(mOwner ? mOwner->GetMasksManager() : nullptr, mMaskName);
  if (mMask) mMask->SetItem(this);
  if (mObject) {
    mObject->deltaX = float(mX);
    mObject->deltaY = float(mY);
    mObject->changed = 1;
  }
  SetTrapState(mState);
}

void OKitchenMouseTrapItem::SetTrapState(int32_t state) {
  mState = state;
  if (mObject) mObject->SetState(TState::FromStr(str::format("%d", int(state))), true);
  SaveState();
  if (state >= 0 && state < kStateCount) SetCaptionKey(mCaptions[state]);
}

void OKitchenMouseTrapItem::OnMaskEnter(IMask* mask) {
  if (mState == kCaught)
    if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(3);
  ShowCaption();
}

void OKitchenMouseTrapItem::OnMaskLeave(IMask* mask) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  HideCaption();
}

bool OKitchenMouseTrapItem::OnMaskClick(IMask* mask) {
  IItem* held = TrapHeldItem();
  switch (mState) {
    case kNone:
      if (held && held->GetName() == mReadyTrapItem) {
        OSoundManager::GetInstance()->PlayItemEvent(mName, "set");
        SetTrapState(kSet);
        if (ITimerController* timer = OTimersManager::GetInstance()->GetController("mousetrap"))
          timer->Restart();
        GMousePointer* pointer = GMousePointer::PeekInstance();
        pointer->GetManager()->DeleteHeldItem();
        pointer->OnItemDropped();
      } else {
        OSoundManager::GetInstance()->PlayImpossibleAction("alchemical_device");
      }
      break;
    case kCaught:
      if (!held && GiveItem(mWhiskerItem, true)) SetTrapState(kEmpty);
      break;
    case kEmpty:
      if (!held && GiveItem(mInitialTrapItem, false)) SetTrapState(kNone);
      break;
  }
  return true;
}

bool OKitchenMouseTrapItem::GiveItem(const str& name, bool withSound) {
  IItem* item = OItemFactory::CreateForPointer(name, mOwner);
  if (!item) {
    Report("%s: item \"%s\": item \"%s\" cannot be made; the trap stays as it is",
           OItemFactory::GetGuidePath().c_str(), mName.c_str(), name.c_str());
    return false;
  }
  item->CreateObject();
  if (withSound) item->PlayTakeSound();
  GMousePointer::GetInstance()->HoldItem(item);
  return true;
}

bool OKitchenMouseTrapItem::OwnsMask(IMask* mask) const {
  return mask && mask == mMask;
}

void OKitchenMouseTrapItem::Detach() {
  if (mMask && mMask->GetItem() == this) mMask->SetItem(nullptr);
  mMask = nullptr;
}

void OKitchenMouseTrapItem::SaveState() {
  OItemsRegistry::GetInstance()->SetState(mName, mState);
}
