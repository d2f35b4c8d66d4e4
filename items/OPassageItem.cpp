#include "OPassageItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "items/OKeyItem.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "rules/hints/OHintsManager.h"
#include "rules/hints/OSimpleHint.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
// The unlock item that an empty hand matches.
const char* const kEmptyHand = "none_item_in_hand";
}  // namespace

OPassageItem::OPassageItem(const str& name, IItemsManager* owner, const str& visualFolder,
                           const str& visualPath)
    : OItem(name, owner, visualFolder, visualPath) {}

OPassageItem::~OPassageItem() {
  DropHeldItems();
  Detach();
  delete mAction;
  delete mNoKeyAction;
  delete mNoItemAction;
  delete mUnlockAction;
}

OPassageItem* OPassageItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  GMasksManager* masks = owner ? owner->GetMasksManager() : nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OPassageItem* item = new OPassageItem(name, owner, folder, path);
  item->mCaptions[0] = node->GetChildContent("locked_caption");
  item->mCaptions[1] = item->mCaptions[2] = node->GetChildContent("unlocked_caption");
  item->mHasPosition = ReadPosition(node, "scene_pos", &item->mSceneX, &item->mSceneY);
  if (TXmlNode* mask = node->GetChild("scene_mask"))
    item->mMask = FindItemMask(masks, mask->GetAttribute("name"));
  if (item->mMask) item->mMask->SetItem(item);
  item->mUnlockItem = node->GetChildContent("unlock_item");
  TXmlNode* action = node->GetChild("action");
  if (!action)
    Report("%s: passage \"%s\" has no action; it leads nowhere", OItemFactory::GetGuidePath().c_str(),
           name.c_str());
  item->mAction = OActionFactory::CreateAction(action, masks);
  item->mNoKeyAction = OActionFactory::CreateAction(node->GetChild("no_key_item_action"), masks);
  item->mNoItemAction = OActionFactory::CreateAction(node->GetChild("no_item_action"), masks);
  item->mUnlockAction = OActionFactory::CreateAction(node->GetChild("on_unlock_action"), masks);

  int32_t saved = 0;
  bool recorded = OItemsRegistry::GetInstance()->GetState(name, 0, &saved);
  if (recorded && saved >= kLocked && saved <= kUnlocked)
    item->mState = saved;
  else
    item->mState = item->mUnlockItem.empty() ? kUnlocked : kLocked;

  str look = node->GetChildContent("animation_type");
  item->mHoverMode = look.empty() ? 1 : SceneModeOf(look);
  if (TXmlNode* required = node->GetChild("required_items")) {
    for (size_t i = 0; i < required->GetChildCount(); ++i) {
      TXmlNode* child = required->GetChildAt(i);
      item->mRequiredItems.emplace_back(child->GetAttribute("id"), child->GetAttribute("missing_hint"));
    }
  }
  item->mItemNames = ReadNames(node->GetChild("items"));
  item->mEnterOnUnlock = node->GetChildContent("enter_on_unlock") == "true";
  item->mAllowEnterWithItem = node->GetChildContent("allow_enter_with_item") != "false";
  item->mPassageActionItem = node->GetChildContent("passage_action_item");
  return item;
}

IItem* OPassageItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  return CreateFromXml(name, node, owner);
}

bool OPassageItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OPassageItem || OItem::IsKindOf(typeId);
}

bool OPassageItem::OwnsMask(IMask* mask) const {
  return mask && mask == mMask;
}

void OPassageItem::CreateObject() {
  IItem::CreateObject();
  ApplyState(mState);
}

void OPassageItem::ShowVisual(const char* state) {
  if (!mObject) return;
  mObject->SetState(TState::FromCStr(state), true);
  mObject->changed = 1;
  // Without "scene_pos" the visual stays where its description put it.
  if (mHasPosition) PlaceObject(mSceneX, mSceneY);
}

void OPassageItem::ApplyState(int state) {
  mState = state;
  if (mObject) {
    if (state == kLocked) ShowVisual("stLocked");
    if (state == kOpening) ShowVisual("stOpening");
    if (state == kUnlocked) {
      CreateHeldItems(mItemNames);
      ShowVisual("stUnlocked");
    }
  }
  SaveState();
}

void OPassageItem::OnStateEnd(GVObject* object, TState state) {
  if (mState != kOpening) return;
  mState = kUnlocked;
  if (mObject) {
    CreateHeldItems(mItemNames);
    ShowVisual("stUnlocked");
  }
  SaveState();
}

void OPassageItem::Draw() {
  IItem::Draw();
  DrawHeldItems();
}

void OPassageItem::OnMaskEnter(IMask* mask) {
  if (!OwnsMask(mask)) return;
  if (GMasksManager* masks = GetMasksManager()) masks->SetCaptionKey(mCaptions[mState]);
  int mode = mHoverMode;
  if (mState == kLocked) {
    mode = mHoverMode == 5 && (mNoItemAction || mNoKeyAction) ? 5 : 3;
  } else {
    OMousePointerManager* pointer = GMousePointer::PeekManager();
    if (pointer && pointer->GetHeldItem() && !mAllowEnterWithItem) mode = 0;
  }
  GMousePointer::GetInstance()->SetSceneMode(mode);
}

void OPassageItem::OnMaskLeave(IMask* mask) {
  HideCaption();
  GMousePointer::GetInstance()->SetSceneMode(0);
}

bool OPassageItem::OnMaskClick(IMask* mask) {
  if (!OwnsMask(mask)) return false;
  OMousePointerManager* pointer = GMousePointer::PeekManager();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  switch (mState) {
    case kLocked: {
      bool match = held ? held->GetName() == mUnlockItem : mUnlockItem == kEmptyHand;
      if (match) {
        if (held) {
          // A key is spent one target at a time; anything else is used up.
          bool spent =
              held->GetTypeId() != ItemTypeId::OKeyItem || static_cast<OKeyItem*>(held)->UseTarget() <= 0;
          if (spent) pointer->DeleteHeldItem();
        }
        OSoundManager::GetInstance()->PlayPassageItemOpen(mName);
        if (mObject) {
          mState = kOpening;
          ShowVisual("stOpening");
        } else {
          mState = kUnlocked;
        }
        SaveState();
        if (mUnlockAction) mUnlockAction->Execute();
        if (mEnterOnUnlock) TryEnter();
        if (GMasksManager* masks = GetMasksManager()) masks->Refresh();
        return true;
      }
      if (held) {
        if (!mPassageActionItem.empty() && held->GetName() == mPassageActionItem) {
          TryEnter();
          return true;
        }
        if (!mNoKeyAction) return false;
        mNoKeyAction->Execute();
        return true;
      }
      if (!mNoItemAction) return false;
      mNoItemAction->Execute();
      return true;
    }
    case kOpening:
      return true;
    case kUnlocked:
      if (!held || mAllowEnterWithItem) TryEnter();
      return true;
  }
  return false;
}

void OPassageItem::TryEnter() {
  bool missing = false;
  for (const auto& required : mRequiredItems) {
    if (IsItemAvailable(required.first) || required.second.empty()) continue;
    // A hint of its own each time: the queue deletes it once shown, so it
    // never outlives the queue or waits on a passage already gone.
    OHintsManager::GetInstance()->QueueHint(new OSimpleHint(required.second, str(), true, 1));
    missing = true;
  }
  if (!missing && mAction) mAction->Execute();
}

void OPassageItem::Detach() {
  if (mMask) mMask->SetItem(nullptr);
  mMask = nullptr;
}

void OPassageItem::ReleaseMask() {
  mMask = nullptr;
  ReleaseHeldMasks();
}

void OPassageItem::Update() {
  UpdateHeldItems();
}

void OPassageItem::SaveState() {
  if (mState != kLocked) OItemsRegistry::GetInstance()->SetState(mName, kUnlocked);
}
