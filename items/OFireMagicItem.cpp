#include "OFireMagicItem.h"

#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"

namespace {
void RunInSprite(const TFxSpriteRef& sprite, const char* code) {
  if (TScript* script = sprite->GetScript()) script->DoLuaString(code, -1, 0);
}
}  // namespace

OFireMagicItem::OFireMagicItem(const str& name, IItemsManager* owner, const str& visualFolder,
                               const str& visualPath)
    : OItem(name, owner, visualFolder, visualPath), mParent(TSprite::Create(0)) {}

OFireMagicItem::~OFireMagicItem() {
  for (TFxSpriteRef& sprite : mSprites) sprite->GetParticleSystem()->SetDone();
  mParent->RemoveChildren();
}

IItem* OFireMagicItem::CreateForPointer(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OFireMagicItem* item = new OFireMagicItem(name, owner, folder, path);
  item->mFlagName = node->GetChildContent("flag_name");
  item->mBurnTicks = node->GetChildContent("fire_ticks").to_int();
  TXmlNode* particles = node->GetChild("particles");
  for (size_t i = 0;
       particles && OGameConfig::GetInstance()->AreParticlesEnabled() && i < particles->GetChildCount();
       ++i) {
    TFxSpriteRef sprite = TFxSprite::Create(1, particles->GetChildAt(i)->GetAttribute("file"));
    if (!sprite) continue;
    RunInSprite(sprite, "gActive = false");
    item->mParent->AddChild(sprite);
    item->mSprites.push_back(sprite);
  }
  // Only a value the registry holds: a fire never saved starts at 0.
  OItemsRegistry::GetInstance()->GetState(name, 0, &item->mCounter);
  return item;
}

bool OFireMagicItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OFireMagicItem || OItem::IsKindOf(typeId);
}

void OFireMagicItem::CreateObject() {
  IItem::CreateObject();
  for (TFxSpriteRef& sprite : mSprites) RunInSprite(sprite, "gActive = true");
}

void OFireMagicItem::Draw() {
  mDrawList.Draw();
  GMousePointer* pointer = GMousePointer::PeekInstance();
  OMousePointerManager* manager = pointer ? pointer->GetManager() : nullptr;
  if (manager)
    for (TFxSpriteRef& sprite : mSprites)
      sprite->SetPosition(TVec3(float(manager->GetX()), float(manager->GetY()), 0));
  T2dScope pass;
  mParent->Draw(TDrawSpec());
}

void OFireMagicItem::Update() {
  ++mCounter;
  if (mCounter <= mBurnTicks) return;
  GoOut();
}

void OFireMagicItem::GoOut() {
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  if (!mFlagName.empty()) flags->SetValue(mFlagName, "false");
  GMousePointer* pointer = GMousePointer::GetInstance();
  pointer->ReleaseItem();
  const str saved = GetSavedItem();
  if (!saved.empty()) {
    if (IItem* item = OItemFactory::CreateForPointer(saved, mOwner)) {
      item->CreateObject();
      pointer->HoldItem(item);
    } else {
      Report("%s: item \"%s\", held before the fire, cannot be made; the hand stays empty",
             OItemFactory::GetGuidePath().c_str(), saved.c_str());
    }
  }
  delete this;
}

str OFireMagicItem::GetSavedItem() {
  const str saved = OFlagsRegistry::GetInstance()->GetValue("__fire_magic_saved_item");
  return saved == "null" ? str() : saved;
}

bool OFireMagicItem::Use(const TPoint& point) {
  mCounter = mBurnTicks;
  return true;
}

void OFireMagicItem::SaveState() {
  OItemsRegistry::GetInstance()->SetState(mName, mCounter);
}
