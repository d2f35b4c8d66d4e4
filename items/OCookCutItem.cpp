#include "OCookCutItem.h"

#include "game/GMousePointer.h"
#include "game/OMousePointerManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kClearReturn = "clear_return";

template <class Piece>
OSimpleItem* LoadPiece(const str& name, TXmlNode* node, IItemsManager* owner) {
  OSimpleItem::Look look;
  if (!OSimpleItem::ReadLook(name, node, &look)) return nullptr;
  return new Piece(name, owner, look, node);
}

// The cooking scene may have shrunk a held piece; in a cell it shows whole.
void ResetScaling(GVObject* object, int32_t place) {
  if (!object || place != ItemPlace::stInventory) return;
  object->scaling = 1;
  object->changed = 1;
}

OMousePointerManager* PointerHolding(const IItem* item) {
  OMousePointerManager* manager = GMousePointer::PeekManager();
  return manager && manager->GetHeldItem() == item ? manager : nullptr;
}
}  // namespace

// ---- cut ----

OCookCutItem::OCookCutItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node)
    : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y),
      mClearReturn(node->GetAttribute(kClearReturn)),
      mIsProduct(node->GetAttribute("is_product") == "true") {
  ReadEntry(node, owner, kReadUseAction | kReadOnPointerFlag);
}

OSimpleItem* OCookCutItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  return LoadPiece<OCookCutItem>(name, node, owner);
}

bool OCookCutItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OCookCutItem || OSimpleItem::IsKindOf(typeId);
}

void OCookCutItem::SetPlace(int32_t place) {
  ResetScaling(mObject, place);
  OSimpleItem::SetPlace(place);
}

// ---- dust ----

OCookDustItem::OCookDustItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node)
    : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y),
      mClearReturn(node->GetAttribute(kClearReturn)) {
  ReadEntry(node, owner, kReadUseAction | kReadOnPointerFlag);
}

OSimpleItem* OCookDustItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  return LoadPiece<OCookDustItem>(name, node, owner);
}

bool OCookDustItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OCookDustItem || OSimpleItem::IsKindOf(typeId);
}

void OCookDustItem::SetPlace(int32_t place) {
  ResetScaling(mObject, place);
  OSimpleItem::SetPlace(place);
}

void OCookDustItem::ReplaceByResult() {
  OMousePointerManager* pointer = PointerHolding(this);
  if (!pointer) return;
  if (!mClearReturn.empty() && mClearReturn != mName) {
    // A piece taken from the cook desk still has the desk as its manager;
    // what comes back belongs to the scene's own list.
    if (OItemsManager* sceneItems = OItemsManager::SceneListOf(mOwner)) {
      if (IItem* item = OItemFactory::CreateForScene(mClearReturn, sceneItems)) {
        item->CreateObject();
        sceneItems->InsertInSceneOrder(item);
      }
    }
  }
  MoveToScene();
  pointer->DeleteHeldItem();  // this piece
}

// ---- tool ----

OCookToolItem::OCookToolItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node)
    : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y),
      mClearReturn(node->GetAttribute(kClearReturn)) {
  ReadEntry(node, owner, kReadUseAction | kReadOnPointerFlag);
}

OSimpleItem* OCookToolItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  return LoadPiece<OCookToolItem>(name, node, owner);
}

bool OCookToolItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OCookToolItem || OSimpleItem::IsKindOf(typeId);
}

void OCookToolItem::ReplaceByResult() {
  OMousePointerManager* pointer = PointerHolding(this);
  if (!pointer || mClearReturn.empty() || mClearReturn == mName) return;
  IItem* item = OItemFactory::CreateForPointer(mClearReturn, mOwner);
  if (!item) return;
  pointer->DeleteHeldItem();  // this tool
  item->CreateObject();
  item->MoveToPointer();
}
