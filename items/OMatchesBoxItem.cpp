#include "OMatchesBoxItem.h"

#include <algorithm>

#include "game/GFullScreenGameScene.h"
#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundManager.h"
#include "items/IItemsManager.h"
#include "items/ODeferredDelete.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "items/OItemsRegistry.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TStringTable.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kInitialMatches = "initial_matches_count";
// Every box plays the lighting sound of this entry.
const char* const kSoundItem = "living_room_matches_box";

int32_t ReadInitialMatches(TXmlNode* node) {
  return node ? node->GetChildContent(kInitialMatches).to_int() : 0;
}

void ReadFlag(TXmlNode* node, const char* element, str* name, str* value) {
  if (TXmlNode* flag = node->GetChild(element)) {
    *name = flag->GetAttribute("name");
    *value = flag->GetAttribute("value");
  }
}
}  // namespace

OMatchesBoxItem::OMatchesBoxItem(const str& name, IItemsManager* owner, const Look& look)
    : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y) {}

OMatchesBoxItem::~OMatchesBoxItem() {
  if (mFlame) mFlame->GetParticleSystem()->SetDone();
  if (mFlameHolder) mFlameHolder->RemoveChildren();
  mFlame.reset();
  mFlameHolder.reset();
}

OSimpleItem* OMatchesBoxItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  OMatchesBoxItem* box = new OMatchesBoxItem(name, owner, look);
  if (ReadInitialMatches(node) < 1)
    Report("%s: matches box \"%s\": \"%s\" is not a positive count; the box holds 1 match",
           OItemFactory::GetGuidePath().c_str(), name.c_str(), kInitialMatches);
  box->mMatches = box->InitialMatches();
  // The box is lit through its own use: no use action, no on-pointer flag.
  box->ReadEntry(node, owner, 0);
  ReadFlag(node, "match_flag", &box->mMatchFlagName, &box->mMatchFlagValue);
  ReadFlag(node, "box_flag", &box->mBoxFlagName, &box->mBoxFlagValue);
  box->mMatchLife = node->GetChildContent("match_life_ticks").to_int();

  // Values a save does not hold keep the box's defaults.
  OItemsRegistry* registry = OItemsRegistry::GetInstance();
  int32_t mode = kBox;
  registry->GetState(name, 1, &mode);
  box->mMode = mode == kBurning ? kBurning : kBox;
  registry->GetState(name, 2, &box->mMatches);
  if (box->mMode == kBurning) registry->GetState(name, 3, &box->mBurnTicks);
  // A box at rest always has a match to light; only the lit last one leaves
  // it empty.
  if (box->mMode == kBox && box->mMatches < 1) box->mMatches = box->InitialMatches();

  if (TXmlNode* fx = node->GetChild("fx")) {
    box->mFlame = TFxSprite::Create(1, fx->GetAttribute("file"));
    box->RunInFlame("gActive = false");
    box->mFlameHolder = TSprite::Create(0);
    box->mFlameHolder->AddChild(box->mFlame);
  }
  return box;
}

bool OMatchesBoxItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OMatchesBoxItem || OSimpleItem::IsKindOf(typeId);
}

int32_t OMatchesBoxItem::InitialMatches() const {
  return std::max(1, ReadInitialMatches(OItemFactory::FindGuideNode(mName)));
}

void OMatchesBoxItem::CreateObject() {
  IItem::CreateObject();
  // The place's look first, even for a box loaded burning; the match's look
  // goes over it.
  OSimpleItem::SetPlace(mPlace);
  SetMatchMode(mMode);
}

void OMatchesBoxItem::Draw() {
  OSimpleItem::Draw();
  if (mMode != kBurning || !mFlameHolder) return;
  if (OMousePointerManager* manager = GMousePointer::PeekManager())
    mFlame->SetPosition(TVec3(float(manager->GetX()), float(manager->GetY()), 0));
  T2dScope pass;
  mFlameHolder->Draw(TDrawSpec());
}

bool OMatchesBoxItem::Use(const TPoint& point) {
  if (mMode == kBox) {
    --mMatches;
    mBurnTicks = 0;
    SetMatchMode(kBurning);
    OSoundManager::GetInstance()->PlayItemSound(kSoundItem, "burn", str());
  } else if (mMatches > 0) {
    SetMatchMode(kBox);
  } else {
    BurnOut(true);
  }
  return true;
}

void OMatchesBoxItem::Update() {
  if (mMode != kBurning || mMatchLife < 0) return;
  ++mBurnTicks;
  if (mBurnTicks < mMatchLife) return;
  if (mMatches > 0)
    SetMatchMode(kBox);
  else
    BurnOut(true);
}

str OMatchesBoxItem::GetCurrentName() const {
  return mMode == kBurning ? str("match") : mName;
}

void OMatchesBoxItem::SaveState() {
  OItemsRegistry::States states{mPlace, mMode, mMatches};
  if (mMode == kBurning) states.push_back(mBurnTicks);
  OItemsRegistry::GetInstance()->SetStates(mName, states);
}

void OMatchesBoxItem::ShowCaption() {
  if (!mOwner) return;
  str text = TPlatform::GetInstance()->GetStringTable()->GetString(mCaptionKey);
  text.replace_all("num_matches", str::format("%d", int(mMatches)));
  if (GMasksManager* masks = mOwner->GetMasksManager()) masks->SetCaptionText(text);
}

void OMatchesBoxItem::SetPlace(int32_t place) {
  if (mMode == kBurning) return;
  OSimpleItem::SetPlace(place);
}

void OMatchesBoxItem::SetMatchMode(int32_t mode) {
  if (mode == kBurning) {
    mMode = kBurning;
    RunInFlame("gActive = true");
    SetFlag(mMatchFlagName, mMatchFlagValue);
    if (mObject) mObject->SetState(TState::FromCStr("stMatchAnimation"), true);
    SaveState();
    return;
  }
  mMode = kBox;
  RunInFlame("gActive = false");
  SetFlag(mBoxFlagName, mBoxFlagValue);
  // The alchemical inventory keeps whatever look it gave the item.
  if (mObject && mPlace != ItemPlace::stAlchemicalInventory) {
    const char* state = ItemPlace::GetName(mPlace);
    if (*state) mObject->SetState(TState::FromCStr(state), true);
  }
  if (mMatches < 1 && !BurnOut(false)) return;
  SaveState();
}

bool OMatchesBoxItem::BurnOut(bool putOut) {
  mMatches = InitialMatches();
  if (putOut) SetMatchMode(kBox);
  GMousePointer* pointer = GMousePointer::PeekInstance();
  // Only this box leaves the hand; whatever else is held stays.
  if (pointer && pointer->GetHeldItem() == this) pointer->ReleaseItem();
  SetFlag(mBoxFlagName, mBoxFlagValue);

  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  OItemsManager* sceneItems = scene ? scene->GetItemsManager() : nullptr;
  if (sceneItems && scene->IsSceneItem(mName)) {
    if (mOwner != sceneItems) SetItemsManager(sceneItems);
    MoveToScene();
    const std::vector<IItem*>& items = sceneItems->GetItems();
    if (std::find(items.begin(), items.end(), this) == items.end()) sceneItems->InsertInSceneOrder(this);
    return true;
  }
  // Its scene builds it again from the registry; this one goes once its
  // callers are done with it.
  ReturnToScene(true);
  ODeferredDelete::Delete(this);
  return false;
}

void OMatchesBoxItem::RunInFlame(const char* code) {
  if (!mFlame) return;
  if (TScript* script = mFlame->GetScript()) script->DoLuaString(code, -1, 0);
}

void OMatchesBoxItem::SetFlag(const str& name, const str& value) {
  if (!name.empty()) OFlagsRegistry::GetInstance()->SetValue(name, value);
}
