#include "OCaptionItem.h"

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
GMasksManager* CaptionMasks(IItemsManager* owner) {
  return owner ? owner->GetMasksManager() : nullptr;
}

str MaskName(TXmlNode* node) {
  TXmlNode* mask = node->GetChild("scene_mask");
  return mask ? mask->GetAttribute("name") : str();
}

void Unlink(OItemMask*& mask, IItem* item) {
  if (mask && mask->GetItem() == item) mask->SetItem(nullptr);
  mask = nullptr;
}
}  // namespace

// ---- caption ----

OCaptionItem::OCaptionItem(const str& name, IItemsManager* owner, const str& maskName)
    : OItem(name, owner, str(), str()), mMask(FindItemMask(CaptionMasks(owner), maskName)) {
  if (mMask) mMask->SetItem(this);
}

OCaptionItem::~OCaptionItem() {
  Unlink(mMask, this);
}

IItem* OCaptionItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  OCaptionItem* item = new OCaptionItem(name, owner, MaskName(node));
  item->SetCaptionKey(node->GetAttribute("caption"));
  return item;
}

bool OCaptionItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OCaptionItem || OItem::IsKindOf(typeId);
}

void OCaptionItem::Detach() {
  Unlink(mMask, this);
}

// ---- chalk mark ----

OChalkMarkItem::~OChalkMarkItem() {
  Unlink(mMask, this);
  delete mMarkPutAction;
}

IItem* OChalkMarkItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  TXmlNode* gvobject = node->GetChild("gvobject");
  OChalkMarkItem* item = new OChalkMarkItem(name, owner, gvobject ? gvobject->GetContent() : str(),
                                            gvobject ? gvobject->GetAttribute("name") : str());
  item->mMaskName = MaskName(node);
  if (TXmlNode* action = node->GetChild("mark_put_action"))
    item->mMarkPutAction = OActionFactory::CreateAction(action, CaptionMasks(owner));
  if (TXmlNode* chalk = node->GetChild("chalk_item")) item->mChalkItem = chalk->GetAttribute("name");
  // Marked only with a whole position: a record cut short is no mark.
  OItemsRegistry* registry = OItemsRegistry::GetInstance();
  item->mMarked = registry->GetState(name, 0, &item->mMarkX) && registry->GetState(name, 1, &item->mMarkY);
  return item;
}

bool OChalkMarkItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OChalkMarkItem || OItem::IsKindOf(typeId);
}

void OChalkMarkItem::CreateObject() {
  IItem::CreateObject();
  if (mObject) {
    mObject->visible = mMarked ? 1 : 0;
    mObject->deltaX = float(mMarkX);
    mObject->deltaY = float(mMarkY);
    mObject->changed = 1;
  }
  Unlink(mMask, this);
  mMask = FindItemMask(CaptionMasks(mOwner), mMaskName);
  if (mMask) mMask->SetItem(this);
}

bool OChalkMarkItem::OnMaskClick(IMask* mask) {
  if (mMarked) return true;
  GMousePointer* pointer = GMousePointer::PeekInstance();
  OMousePointerManager* manager = pointer ? pointer->GetManager() : nullptr;
  IItem* held = manager ? manager->GetHeldItem() : nullptr;
  if (!held || held->GetName() != mChalkItem) return true;
  mMarkX = manager->GetX();
  mMarkY = manager->GetY();
  OItemsRegistry::GetInstance()->SetStates(mName, {mMarkX, mMarkY});
  mMarked = true;
  if (mMarkPutAction) mMarkPutAction->Execute();
  return true;
}

void OChalkMarkItem::Detach() {
  Unlink(mMask, this);
}
