#include "OSceneJumpItem.h"

#include <algorithm>

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
GMasksManager* JumpMasks(IItemsManager* owner) {
  return owner ? owner->GetMasksManager() : nullptr;
}

void SetSceneMode(int mode) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(mode);
}

// The visual named by the entry; empty when it names none.
str VisualFolder(TXmlNode* node) {
  TXmlNode* gvobject = node->GetChild("gvobject");
  return gvobject ? gvobject->GetContent() : str();
}

str VisualPath(TXmlNode* node) {
  TXmlNode* gvobject = node->GetChild("gvobject");
  return gvobject ? gvobject->GetAttribute("name") : str();
}

// The states are positions on the screen, so the item is nothing without a
// visual to put there, or without a state to be in.
bool CanMake(const str& name, TXmlNode* node) {
  if (!node) return false;
  TXmlNode* states = node->GetChild("states");
  if (!VisualPath(node).empty() && states && states->GetChildCount() > 0) return true;
  Report("%s: item \"%s\" needs a gvobject and at least one child of \"states\"; item skipped",
         OItemFactory::GetGuidePath().c_str(), name.c_str());
  return false;
}
}  // namespace

OSceneJumpItem::OSceneJumpItem(const str& name, IItemsManager* owner, const str& visualFolder,
                               const str& visualPath)
    : OItem(name, owner, visualFolder, visualPath) {}

OSceneJumpItem::~OSceneJumpItem() {
  Detach();
  for (StateAction& record : mStateActions) delete record.action;
}

void OSceneJumpItem::ReadStates(TXmlNode* node) {
  TXmlNode* states = node->GetChild("states");
  GMasksManager* masks = JumpMasks(mOwner);
  for (size_t i = 0; i < states->GetChildCount(); ++i) {
    TXmlNode* state = states->GetChildAt(i);
    TXmlNode* pos = state->GetChild("pos");
    mPositions.emplace_back(pos ? pos->GetAttribute("x").to_int() : 0,
                            pos ? pos->GetAttribute("y").to_int() : 0);
    TXmlNode* mask = state->GetChild("mask");
    mMasks.push_back(mask ? FindItemMask(masks, mask->GetAttribute("name")) : nullptr);
    mCaptions.push_back(state->GetAttribute("caption"));
  }
  int32_t saved = 0;
  OItemsRegistry::GetInstance()->GetState(mName, 0, &saved);
  // A record from another version of the content may name a state that is
  // no longer there: the nearest one is shown.
  mCurrent = std::max(0, std::min(saved, GetStateCount() - 1));
}

IItem* OSceneJumpItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!CanMake(name, node)) return nullptr;
  OSceneJumpItem* item = new OSceneJumpItem(name, owner, VisualFolder(node), VisualPath(node));
  item->ReadStates(node);
  TXmlNode* actions = node->GetChild("state_change_actions");
  for (size_t i = 0; actions && i < actions->GetChildCount(); ++i) {
    TXmlNode* child = actions->GetChildAt(i);
    item->mStateActions.push_back(
        {child->GetAttribute("visual_state_id"), OActionFactory::CreateAction(child, JumpMasks(owner))});
  }
  return item;
}

bool OSceneJumpItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OSceneJumpItem || OItem::IsKindOf(typeId);
}

void OSceneJumpItem::OnStateChange(GVObject* object, TState current, TState& requested) {
  for (const StateAction& record : mStateActions)
    if (record.action && TState::FromStr(record.visualState) == requested) record.action->Execute();
}

void OSceneJumpItem::CreateObject() {
  IItem::CreateObject();
  for (OItemMask* mask : mMasks)
    if (mask) mask->SetItem(this);
  SetCurrent(mCurrent);
}

void OSceneJumpItem::SetCurrent(int32_t state) {
  mCurrent = state;
  if (mObject && state >= 0 && state < GetStateCount()) {
    TState name = TState::FromStr(str::format("%d", int(state)));
    if (GVChilds* children = mObject->GetChildren())
      for (GVObject* child : std::vector<GVObject*>(children->Elements())) child->SetState(name, true);
    mObject->visible = 1;
    mObject->deltaX = float(mPositions[state].first);
    mObject->deltaY = float(mPositions[state].second);
    mObject->changed = 1;
  }
  SaveState();
}

void OSceneJumpItem::OnMaskEnter(IMask* mask) {
  bool more = OwnsMask(mask) && mCurrent < GetStateCount() - 1;
  SetSceneMode(more ? 3 : 0);
  if (GMasksManager* masks = JumpMasks(mOwner)) masks->SetCaptionKey(mCaptions[mCurrent]);
}

void OSceneJumpItem::OnMaskLeave(IMask* mask) {
  SetSceneMode(0);
  HideCaption();
}

bool OSceneJumpItem::OnMaskClick(IMask* mask) {
  return Step(mask);
}

bool OSceneJumpItem::Step(IMask* mask) {
  if (!OwnsMask(mask)) return false;
  if (mCurrent >= GetStateCount() - 1) return false;
  SetCurrent(mCurrent + 1);
  // The new state may have another mask, or none under the pointer.
  if (GMasksManager* masks = JumpMasks(mOwner)) masks->Refresh();
  return true;
}

bool OSceneJumpItem::OwnsMask(IMask* mask) const {
  return mask && mCurrent >= 0 && mCurrent < int32_t(mMasks.size()) && mMasks[mCurrent] == mask;
}

void OSceneJumpItem::ReleaseMask() {
  std::fill(mMasks.begin(), mMasks.end(), nullptr);
}

void OSceneJumpItem::Detach() {
  for (OItemMask* mask : mMasks)
    if (mask && mask->GetItem() == this) mask->SetItem(nullptr);
}

void OSceneJumpItem::SaveState() {
  if (mCurrent > 0) OItemsRegistry::GetInstance()->SetState(mName, mCurrent);
}

// ---- jungle snake ----

OJungleSnakaItem::~OJungleSnakaItem() {
  delete mBiteAction;
}

IItem* OJungleSnakaItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!CanMake(name, node)) return nullptr;
  OJungleSnakaItem* item = new OJungleSnakaItem(name, owner, VisualFolder(node), VisualPath(node));
  item->ReadStates(node);
  if (TXmlNode* bite = node->GetChild("bite_action"))
    item->mBiteAction = OActionFactory::CreateAction(bite, JumpMasks(owner));
  return item;
}

bool OJungleSnakaItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OJungleSnakaItem || OSceneJumpItem::IsKindOf(typeId);
}

void OJungleSnakaItem::OnStateEnd(GVObject* object, TState state) {
  if (mCurrent != 1) return;
  SetCurrent(0);
  if (mBiteAction) mBiteAction->Execute();
}

bool OJungleSnakaItem::OnMaskClick(IMask* mask) {
  if (mClicked) return true;
  mClicked = true;
  return Step(mask);
}
