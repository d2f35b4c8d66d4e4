#include "OBasementFlaskItem.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/OActionFactory.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TStringTable.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"

namespace {
struct Potion {
  const char* name;     // as SetPotion takes it
  const char* current;  // the current name, and the child of the common node
  const char* magic;    // drinking it counts toward this magic; null: drink action
  bool stays;           // the potion stays after a drink action
  bool pours;           // the pour sound plays when its visual is built
  float fadeZ;          // the previous visual fades at this depth; 0: replaced
};

const Potion kPotions[OBasementFlaskItem::kPotionCount] = {
    {"empty", "flask_empty", nullptr, true, false, 0},
    {"water", "flask_water", nullptr, false, true, 0},
    {"bad_water", "flask_bad_water", nullptr, false, true, 0},
    {"strength", "flask_strength", nullptr, true, false, 0},
    {"strength_complete", "flask_strength_complete", nullptr, true, false, 1},
    {"replacement", "flask_replacement", nullptr, true, false, 0},
    {"replacement_complete", "flask_replacement_complete", "through_space", false, false, 1},
    {"through_time", "flask_time", nullptr, true, false, 0},
    {"through_time_complete", "flask_time_complete", "through_time", false, false, 10},
    {"health", "flask_health", nullptr, true, false, 0},
    {"health_complete", "flask_health_complete", "health", false, false, 10},
    {"fire", "flask_fire", nullptr, true, false, 0},
    {"fire_complete", "flask_fire_complete", "fire", false, false, 10},
    {"invisibility_complete", "flask_invisibility_complete", "invisibility", false, true, 10},
    {"rainbow", "flask_rainbow", nullptr, true, false, 0},
    {"rainbow_complete", "flask_rainbow_complete", "rainbow", false, false, 10},
};

const Potion* Find(int32_t potion) {
  return potion >= 0 && potion < OBasementFlaskItem::kPotionCount ? &kPotions[potion] : nullptr;
}

void DeleteObject(GVObject*& object) {
  delete object;
  object = nullptr;
}
}  // namespace

OBasementFlaskItem::~OBasementFlaskItem() {
  DeleteObject(mFading);
  mParticle.reset();
  if (mHolder) mHolder->RemoveChildren();
}

OSimpleItem* OBasementFlaskItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  OBasementFlaskItem* flask = new OBasementFlaskItem(name, owner, look.folder, look.path, look.x, look.y);
  flask->ReadEntry(node, owner, 0);
  flask->mCommon = OItemFactory::FindGuideNode("basement_flask_common");
  flask->mHolder = TSprite::Create(0);
  // The flask always writes {place, potion}; a shorter list holds no potion.
  OItemsRegistry::GetInstance()->GetState(name, 1, &flask->mPotion);
  return flask;
}

int32_t OBasementFlaskItem::FindPotion(const str& name) {
  for (int32_t i = 0; i < kPotionCount; ++i)
    if (name == kPotions[i].name) return i;
  return -1;
}

void OBasementFlaskItem::SetPotion(OBasementFlaskItem* flask, const str& name, bool silent) {
  if (!flask) return;
  int32_t potion = FindPotion(name);
  if (potion >= 0) UpdateObject(potion, flask, silent);
  if (!silent) OMissionsManager::GetInstance()->OnPotionCreate(flask->GetCurrentName());
}

void OBasementFlaskItem::UpdateObject(int32_t potion, OBasementFlaskItem* flask, bool noFade) {
  if (!flask) return;
  flask->mPotion = potion;
  const Potion* entry = Find(potion);
  TXmlNode* node = flask->GetPotionNode();
  str path = flask->mVisualPath;
  if (potion != kEmpty) {
    TXmlNode* gvobject = node ? node->GetChild("gvobject") : nullptr;
    if (gvobject && !gvobject->GetAttribute("name").empty())
      path = gvobject->GetAttribute("name");
    else
      // An invisible flask could not be found again: it keeps its own look.
      Report("%s: basement_flask_common has no visual for \"%s\"; the flask \"%s\" keeps its own",
             OItemFactory::GetGuidePath().c_str(), flask->GetCurrentName().c_str(), flask->mName.c_str());
  }
  if (entry && entry->pours) OSoundManager::GetInstance()->PlayFlaskItemPour(flask->mName);
  if (entry && entry->fadeZ > 0 && !noFade) {
    DeleteObject(flask->mFading);
    flask->mFading = flask->mObject;
    flask->mObject = nullptr;
    flask->mFadeCount = 0;
    if (GVObject* fading = flask->mFading) {
      fading->deltaZ = entry->fadeZ;
      fading->changed = 1;
      fading->SetState(TState::FromCStr("stPointer"), true);
    }
  }
  flask->mHolder->RemoveChildren();
  TXmlNode* particles = node ? node->GetChild("particles") : nullptr;
  if (particles && OGameConfig::GetInstance()->AreParticlesEnabled()) {
    flask->mParticle = TFxSprite::Create(1, particles->GetAttribute("file"));
    flask->mHolder->AddChild(flask->mParticle);
    if (TScript* script = flask->mParticle->GetScript()) script->DoLuaString("gActive = true;");
  } else {
    flask->mParticle.reset();
  }
  flask->CreateObjectFrom(path);
  // The new visual takes the place's look; the old one fades only in an
  // inventory.
  flask->SetPlace(flask->mPlace);
}

bool OBasementFlaskItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OBasementFlaskItem || OSimpleItem::IsKindOf(typeId);
}

TXmlNode* OBasementFlaskItem::GetPotionNode() const {
  const Potion* entry = Find(mPotion);
  if (!entry || mPotion == kEmpty || !mCommon) return nullptr;
  return mCommon->GetChild(entry->current);
}

str OBasementFlaskItem::GetCurrentName() const {
  const Potion* entry = Find(mPotion);
  return entry ? str(entry->current) : mName;
}

void OBasementFlaskItem::CreateObject() {
  UpdateObject(mPotion, this, true);
}

void OBasementFlaskItem::Draw() {
  mDrawList.Draw();
  if (!mParticle) return;
  T2dScope pass;
  int x = 0, y = 0;
  if (mPlace == ItemPlace::stPointer) {
    OMousePointerManager* pointer = GMousePointer::PeekManager();
    if (!pointer) return;
    x = pointer->GetX();
    y = pointer->GetY() + 14;
  } else if ((mPlace == ItemPlace::stInventory || mPlace == ItemPlace::stDropped) && mObject) {
    bool inventory = mPlace == ItemPlace::stInventory;
    x = int(mObject->deltaX) + (inventory ? 24 : 23);
    y = int(mObject->deltaY) + (inventory ? 43 : 35);
  } else {
    return;
  }
  if (x <= 0 || y <= 0) return;
  mParticle->SetPosition(TVec3(float(x), float(y), 0));
  mHolder->Draw(TDrawSpec());
}

void OBasementFlaskItem::Drink() {
  TXmlNode* node = GetPotionNode();
  TXmlNode* action = node ? node->GetChild("drink_action") : nullptr;
  if (action && !OActionFactory::RunAction(action, mOwner ? mOwner->GetMasksManager() : nullptr))
    Report("%s: basement_flask_common: the drink action of \"%s\" is of no known type; nothing runs",
           OItemFactory::GetGuidePath().c_str(), GetCurrentName().c_str());
}

bool OBasementFlaskItem::Use(const TPoint& point) {
  if (mPotion == kEmpty) return true;
  const Potion* entry = Find(mPotion);
  if (entry && entry->magic) {
    OMagicRegistry::GetInstance()->OnFlaskUsed(entry->magic);
    OMissionsManager::GetInstance()->OnPotionDrink(entry->magic);
    UpdateObject(kEmpty, this, false);
    return true;
  }
  Drink();
  // A potion the flask cannot hold is drunk away like water.
  if (!entry || !entry->stays) UpdateObject(kEmpty, this, false);
  return true;
}

void OBasementFlaskItem::Update() {
  if (!mFading) return;
  ++mFadeCount;
  float alpha = 1.0f - float(mFadeCount) / float(kFadeTicks);
  if (alpha > 0) {
    mFading->alpha = alpha;
    mFading->changed = 1;
  }
  if (mFadeCount > kFadeTicks) DeleteObject(mFading);
}

void OBasementFlaskItem::SaveState() {
  OItemsRegistry::GetInstance()->SetStates(mName, {mPlace, mPotion});
}

void OBasementFlaskItem::PlayPutSound() {
  OSoundManager::GetInstance()->PlayFlaskItemPut(mName);
}

void OBasementFlaskItem::PlayDropZonePutSound() {
  OSoundManager::GetInstance()->PlayFlaskItemDropZonePut(mName);
}

void OBasementFlaskItem::RestartEffects() {
  if (!mParticle) return;
  mParticle->GetParticleSystem()->SetDone();
  mParticle->GetParticleSystem()->ResetDone();
}

void OBasementFlaskItem::ShowCaption() {
  TXmlNode* node = GetPotionNode();
  if (mPotion == kEmpty || !node) {
    OSimpleItem::ShowCaption();
    return;
  }
  GMasksManager* masks = mOwner ? mOwner->GetMasksManager() : nullptr;
  if (masks)
    masks->SetCaptionText(
        TPlatform::GetInstance()->GetStringTable()->GetString(node->GetAttribute("caption")));
}

void OBasementFlaskItem::SetPlace(int32_t place) {
  OSimpleItem::SetPlace(place);
  if (place != ItemPlace::stInventory) DeleteObject(mFading);
}
