#include "ODifferentReactionItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
OMousePointerManager* PointerManager() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer ? pointer->GetManager() : nullptr;
}

// The plain name of the item in hand, "" for the empty hand.
str HeldName() {
  OMousePointerManager* manager = PointerManager();
  IItem* held = manager ? manager->GetHeldItem() : nullptr;
  return held ? held->GetName() : str();
}
}  // namespace

ODifferentReactionItem::ODifferentReactionItem(const str& name, IItemsManager* owner)
    : OItem(name, owner, str(), str()) {}

ODifferentReactionItem::~ODifferentReactionItem() {
  Detach();
  for (IAction* action : mReactionActions) delete action;
  delete mDefaultAction;
}

int ODifferentReactionItem::ParseAnimationType(const str& text) {
  if (text == "passage") return 1;
  if (text == "eye") return 2;
  if (text == "get") return 3;
  if (text == "dialog") return 5;
  return 0;
}

IItem* ODifferentReactionItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  ODifferentReactionItem* item = new ODifferentReactionItem(name, owner);
  GMasksManager* masks = owner ? owner->GetMasksManager() : nullptr;
  TXmlNode* reactions = node->GetChild("reactions");
  for (size_t i = 0; reactions && i < reactions->GetChildCount(); ++i) {
    TXmlNode* reaction = reactions->GetChildAt(i);
    IAction* action = OActionFactory::CreateAction(reaction, masks);
    if (!action)
      Report("%s: item \"%s\": reaction \"%s\" names no action the game knows; it only takes the item",
             OItemFactory::GetGuidePath().c_str(), name.c_str(), reaction->GetName().c_str());
    item->mReactionActions.push_back(action);
    std::vector<str> names;
    for (size_t k = 0; k < reaction->GetChildCount(); ++k)
      names.push_back(reaction->GetChildAt(k)->GetContent());
    item->mReactionItems.push_back(names);
    item->mKeepFlags.push_back(reaction->GetAttribute("leave_after_reaction") == "true");
    item->mAnimationTypes.push_back(ParseAnimationType(reaction->GetAttribute("animation_type")));
  }
  if (TXmlNode* fallback = node->GetChild("default_reaction")) {
    item->mDefaultAction = OActionFactory::CreateAction(fallback, masks);
    item->mDefaultAnimationType = ParseAnimationType(fallback->GetAttribute("animation_type"));
  }
  if (TXmlNode* mask = node->GetChild("scene_mask")) item->mMaskName = mask->GetAttribute("name");
  item->SetCaptionKey(node->GetAttribute("caption"));
  return item;
}

bool ODifferentReactionItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::ODifferentReactionItem || OItem::IsKindOf(typeId);
}

void ODifferentReactionItem::CreateObject() {
  IItem::CreateObject();
  Detach();
  mMask = FindItemMask(mOwner ? mOwner->GetMasksManager() : nullptr, mMaskName);
  if (mMask) mMask->SetItem(this);
}

int ODifferentReactionItem::FindReaction(const str& heldName) const {
  for (size_t i = 0; i < mReactionItems.size(); ++i)
    for (const str& name : mReactionItems[i])
      if (name == heldName) return int(i);
  return -1;
}

int ODifferentReactionItem::GetAnimationType(const str& heldName) const {
  int reaction = FindReaction(heldName);
  return reaction < 0 ? mDefaultAnimationType : mAnimationTypes[reaction];
}

void ODifferentReactionItem::OnMaskEnter(IMask* mask) {
  if (GMasksManager* masks = mOwner ? mOwner->GetMasksManager() : nullptr) masks->SetCaptionKey(mCaptionKey);
  if (GMousePointer* pointer = GMousePointer::PeekInstance())
    pointer->SetSceneMode(GetAnimationType(HeldName()));
}

void ODifferentReactionItem::OnMaskLeave(IMask* mask) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  HideCaption();
}

bool ODifferentReactionItem::OnMaskClick(IMask* mask) {
  int reaction = FindReaction(HeldName());
  if (reaction < 0) {
    if (mDefaultAction) mDefaultAction->Execute();
    return true;
  }
  // An action the factory did not know is skipped; the reaction still takes
  // the item as the content says.
  if (IAction* action = mReactionActions[reaction]) action->Execute();
  if (!mKeepFlags[reaction])
    if (OMousePointerManager* manager = PointerManager()) manager->ConsumeHeldItem();
  return true;
}

bool ODifferentReactionItem::OwnsMask(IMask* mask) const {
  return mask && mask == mMask;
}

void ODifferentReactionItem::Detach() {
  if (mMask && mMask->GetItem() == this) mMask->SetItem(nullptr);
  mMask = nullptr;
}
