#include "OCookDeskItem.h"

#include <algorithm>

#include "game/GMousePointer.h"
#include "game/ODropZonesRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/OCookCutItem.h"
#include "items/OItemFactory.h"
#include "sdk/TXmlNode.h"

const char* const OCookDeskItem::kNoProduct = "__product__";
const char* const OCookDeskItem::kNoCut = "__product_cut__";
const char* const OCookDeskItem::kNoDust = "__product_dust__";

namespace {
bool IsProductCut(IItem* item) {
  OCookCutItem* cut = dynamic_cast<OCookCutItem*>(item);
  return cut && cut->IsProduct();
}

void PlaceVisual(IItem* item, float x, float y) {
  if (GVObject* object = item->GetObject()) {
    object->deltaX = x;
    object->deltaY = y;
    object->changed = 1;
  }
}
}  // namespace

OCookDeskItem::OCookDeskItem(const str& name, IItemsManager* owner, const Look& look)
    : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y) {}

OSimpleItem* OCookDeskItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  OCookDeskItem* desk = new OCookDeskItem(name, owner, look);
  desk->ReadEntry(node, owner, kReadUseAction | kReadOnPointerFlag);
  if (TXmlNode* products = node->GetChild("products")) {
    for (size_t i = 0; i < products->GetChildCount(); ++i) {
      TXmlNode* product = products->GetChildAt(i);
      desk->mProducts[product->GetAttribute("id")] =
          std::make_pair(product->GetAttribute("cut"), product->GetAttribute("dust"));
    }
  }
  if (TXmlNode* tools = node->GetChild("tools")) {
    desk->mToolSound = TSound::Get(tools->GetAttribute("sound"), 0, TSound::kTypeEffects);
    for (size_t i = 0; i < tools->GetChildCount(); ++i)
      desk->mTools.push_back(tools->GetChildAt(i)->GetAttribute("name"));
  }
  // The desk writes three records; a shorter list (edited by hand) is read
  // as far as it goes.
  if (const ODropZonesRegistry::Records* records = ODropZonesRegistry::GetInstance()->Find(name)) {
    Restored* slots[] = {&desk->mRestoredProduct, &desk->mRestoredCut, &desk->mRestoredDust};
    const char* empty[] = {kNoProduct, kNoCut, kNoDust};
    for (size_t i = 0; i < 3 && i < records->size(); ++i) {
      const ODropZonesRegistry::Record& record = (*records)[i];
      if (record.item == empty[i]) continue;
      slots[i]->name = record.item;
      slots[i]->x = record.x;
      slots[i]->y = record.y;
    }
  }
  return desk;
}

bool OCookDeskItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OCookDeskItem || OSimpleItem::IsKindOf(typeId);
}

void OCookDeskItem::CreateObject() {
  IItem::CreateObject();
  SetPlace(mPlace);
  Restore(mRestoredProduct, &mProduct, true);
  Restore(mRestoredCut, &mCut, false);
  Restore(mRestoredDust, &mDust, false);
  // The place change above wrote the record before the pieces were back.
  SaveState();
}

void OCookDeskItem::Restore(Restored& restored, IItem** slot, bool cutMovesToScene) {
  // Used once: a second CreateObject (a kept scene list) must not lay the
  // pieces twice.
  str name = restored.name;
  restored.name.clear();
  if (name.empty()) return;
  IItem* item = OItemFactory::CreateDropped(name, this);
  if (!item) return;
  AddItem(item);
  PlaceVisual(item, float(restored.x), float(restored.y));
  *slot = item;
  if (cutMovesToScene && item->GetTypeId() == ItemTypeId::OCookCutItem) item->MoveToScene();
}

void OCookDeskItem::Draw() {
  IItem::Draw();
  DrawHeldItems();
}

bool OCookDeskItem::OnMaskClick(IMask* mask) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  if (!held)
    TakePiece();
  else if (mProduct && IsTool(held->GetName()))
    Cut(held);
  else if (!mProduct)
    Lay(held);
  return true;
}

void OCookDeskItem::TakePiece() {
  OMousePointerManager* manager = GMousePointer::PeekManager();
  if (!manager) return;
  TPoint at(float(manager->GetX()), float(manager->GetY()));
  IItem** slots[] = {&mCut, &mDust, &mProduct};
  GVObject** fades[] = {&mCutFade, &mDustFade, nullptr};
  for (int i = 0; i < 3; ++i) {
    IItem* piece = *slots[i];
    if (!piece || !piece->GetObject() || !piece->GetObject()->FindObjectAt(-1, at)) continue;
    RemoveItem(piece);
    *slots[i] = nullptr;
    if (fades[i]) *fades[i] = nullptr;
    piece->MoveToPointer();
    SaveState();
    return;
  }
}

void OCookDeskItem::Cut(IItem* tool) {
  Products::const_iterator entry = mProducts.find(mProduct->GetName());
  if (entry == mProducts.end() && mCut) entry = mProducts.find(mCut->GetName());
  if (entry == mProducts.end()) return;
  const str cutName = entry->second.first, dustName = entry->second.second;

  DropPiece(mProduct);
  mProduct = nullptr;
  if (mToolSound) mToolSound->Play(false);

  if (IItem* cut = MakePiece(cutName)) {
    if (mCut) {
      DropPiece(mCut);
      mCut = nullptr;
      mCutFade = nullptr;
    }
    if (IsProductCut(cut)) {
      mProduct = cut;
    } else {
      mCut = cut;
      StartFade(cut, &mCutFade);
    }
  }
  // A dust piece still lying here stays in the list, out of its place.
  if (IItem* dust = MakePiece(dustName)) {
    mDust = dust;
    StartFade(dust, &mDustFade);
  }
  SaveState();
}

IItem* OCookDeskItem::MakePiece(const str& name) {
  if (name.empty()) return nullptr;
  IItem* piece = OItemFactory::CreateDropped(name, this);
  if (!piece) return nullptr;
  AddItem(piece);
  piece->MoveToScene();
  return piece;
}

void OCookDeskItem::DropPiece(IItem* piece) {
  if (!piece) return;
  RemoveItem(piece);
  delete piece;
}

void OCookDeskItem::Lay(IItem* held) {
  if (mProducts.count(held->GetName())) {
    if ((mCut || mDust) && !IsProductCut(held)) return;
    GMousePointer::GetInstance()->ReleaseItem();
    mProduct = held;
    held->MoveToDropped();
    if (mObject) PlaceVisual(held, mObject->deltaX, mObject->deltaY);
    mHeldItems.push_back(held);
    SaveState();
    return;
  }
  for (const auto& entry : mProducts) {
    if (entry.second.first != held->GetName() && entry.second.second != held->GetName()) continue;
    if (!mCut && held->GetTypeId() == ItemTypeId::OCookCutItem) {
      PutFromHand(held);
      mCut = held;
      StartFade(held, &mCutFade);
    } else if (!mDust && held->GetTypeId() == ItemTypeId::OCookDustItem) {
      PutFromHand(held);
      mDust = held;
      StartFade(held, &mDustFade);
    } else {
      return;
    }
    SaveState();
    return;
  }
}

void OCookDeskItem::PutFromHand(IItem* piece) {
  GMousePointer::GetInstance()->ReleaseItem();
  mHeldItems.push_back(piece);
  piece->MoveToScene();
}

void OCookDeskItem::StartFade(IItem* piece, GVObject** fade) {
  GVObject* main = piece->GetObject() ? piece->GetObject()->GetChild("main") : nullptr;
  if (!main) return;
  main->alpha = 0;
  main->changed = 1;
  *fade = main;
}

void OCookDeskItem::StepFade(GVObject** fade, float step) {
  GVObject* object = *fade;
  if (!object) return;
  float alpha = object->alpha + step;
  object->changed = 1;
  if (alpha < 1) {
    object->alpha = alpha;
  } else {
    object->alpha = 1;
    *fade = nullptr;
  }
}

void OCookDeskItem::Update() {
  StepFade(&mCutFade, mFadeStep);
  StepFade(&mDustFade, mFadeStep);
}

void OCookDeskItem::SaveState() {
  // Written after every change of the places, not only on a save: leaving
  // the scene rebuilds the desk from this record.
  ODropZonesRegistry* registry = ODropZonesRegistry::GetInstance();
  registry->Remove(mName);
  IItem* slots[] = {mProduct, mCut, mDust};
  const char* empty[] = {kNoProduct, kNoCut, kNoDust};
  for (int i = 0; i < 3; ++i) {
    GVObject* object = slots[i] ? slots[i]->GetObject() : nullptr;
    if (slots[i])
      registry->Set(mName, slots[i]->GetName(), object ? int32_t(object->deltaX) : 0,
                    object ? int32_t(object->deltaY) : 0);
    else
      registry->Set(mName, empty[i], 0, 0);
  }
}

bool OCookDeskItem::IsTool(const str& name) const {
  return std::find(mTools.begin(), mTools.end(), name) != mTools.end();
}
