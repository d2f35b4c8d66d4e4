#include "OSparkItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "items/IItemsManager.h"
#include "items/OComboGuide.h"
#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "rules/actions/OCompositeAction.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
GMasksManager* SparkMasks(IItemsManager* owner) {
  return owner ? owner->GetMasksManager() : nullptr;
}
}  // namespace

OSparkItem::~OSparkItem() {
  Detach();
  delete mAction;
  delete mHitObject;
}

IItem* OSparkItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OSparkItem* item = new OSparkItem(name, owner, folder, path);
  item->SetCaptionKey(node->GetAttribute("caption"));
  if (TXmlNode* mask = node->GetChild("scene_mask")) item->mMaskName = mask->GetAttribute("name");
  ReadPosition(node, "scene_pos", &item->mX, &item->mY);
  if (TXmlNode* action = node->GetChild("action"))
    item->mAction = OActionFactory::CreateAction(action, SparkMasks(owner));
  if (ReadPosition(node, "hit_anim", &item->mHitX, &item->mHitY))
    item->mHitPath = node->GetChild("hit_anim")->GetAttribute("name");
  return item;
}

bool OSparkItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OSparkItem || OItem::IsKindOf(typeId);
}

void OSparkItem::CreateObject() {
  IItem::CreateObject();
  Detach();
  mMask = FindItemMask(SparkMasks(mOwner), mMaskName);
  if (mMask)
    mMask->SetItem(this);
  else
    Report("%s: item \"%s\": the scene has no item mask \"%s\"; the spot cannot be clicked",
           OItemFactory::GetGuidePath().c_str(), mName.c_str(), mMaskName.c_str());
  PlaceObject(mX, mY);
  delete mHitObject;
  mHitObject = CreateVisual(mVisualFolder, mHitPath, &mDrawList);
  if (!mHitObject) return;
  mHitObject->deltaX = float(mHitX);
  mHitObject->deltaY = float(mHitY);
  // In front of the spot's own visual.
  mHitObject->deltaZ = 10.0f;
  mHitObject->visible = 1;
  mHitObject->changed = 1;
  mHitObject->SetState(TState::FromCStr("0"), true);
}

void OSparkItem::OnMaskEnter(IMask* mask) {
  if (!mask || mask != mMask) return;
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(3);
  ShowCaption();
}

void OSparkItem::OnMaskLeave(IMask* mask) {
  if (!mask || mask != mMask) return;
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  HideCaption();
}

bool OSparkItem::OnMaskClick(IMask* mask) {
  if (!mask || mask != mMask) return false;
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (IItem* held = pointer ? pointer->GetHeldItem() : nullptr) {
    OComboGuide* guide = OComboGuide::GetInstance();
    TXmlNode* result = OComboGuide::FindRule(guide, held->GetCurrentName(), mask->GetName());
    if (!result) return true;
    OComboGuide::ApplyToSceneItem(guide, held, mask, mOwner);
    str post = result->GetAttribute("post_composite_action_name");
    if (!post.empty()) {
      OCompositeAction action(post, SparkMasks(mOwner));
      action.Execute();
    }
    return true;
  }
  if (mAction) mAction->Execute();
  if (mHitObject) mHitObject->SetState(TState::FromCStr("1"), true);
  return false;
}

void OSparkItem::Detach() {
  if (mMask && mMask->GetItem() == this) mMask->SetItem(nullptr);
  mMask = nullptr;
}
