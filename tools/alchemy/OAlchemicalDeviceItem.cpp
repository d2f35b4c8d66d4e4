#include "OAlchemicalDeviceItem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "game/GFullScreenGameScene.h"
#include "game/GMousePointer.h"
#include "game/ODropZonesRegistry.h"
#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundController.h"
#include "game/OSoundManager.h"
#include "items/IItemsManager.h"
#include "items/OBasementFlaskItem.h"
#include "items/OItemFactory.h"
#include "items/OMatchesBoxItem.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/hints/OSimpleHint.h"
#include "sdk/TRandom.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "tools/alchemy/GAlchemicalDeviceGameScene.h"
#include "tools/alchemy/GAlchemicalDevicePanel.h"
#include "tools/alchemy/OAlchemicalDevicePotionEffect.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GBaseInterpolator.h"
#include "visual/LuaUtils.h"

namespace {
// The variable a mission result sets to the recipe the story asks for.
const char* const kActiveRecipeFlag = "active_recipe_name";
const char* const kNoValue = "null";
// The effect and done sound of a brew that matched nothing.
const char* const kFailedName = "failed";
// The sound group of every device sound.
const char* const kSoundGroup = "alchemical_device";

// Strictly a decimal integer: saved codes are written by the device itself,
// and text that only starts with digits is damage.
bool ParseInt(const str& text, int* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (errno || !end || *end || v < -0x7fffffffL || v > 0x7fffffffL) return false;
  *value = int(v);
  return true;
}

std::vector<str> ReadContents(TXmlNode* list) {
  std::vector<str> names;
  for (size_t i = 0; list && i < list->GetChildCount(); ++i)
    names.push_back(list->GetChildAt(i)->GetContent());
  return names;
}

bool Contains(const std::vector<str>& names, const str& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

OMousePointerManager* Hand() {
  return GMousePointer::PeekManager();
}

IItem* DeviceHeldItem() {
  OMousePointerManager* hand = Hand();
  return hand ? hand->GetHeldItem() : nullptr;
}

void RunInSprite(const TFxSpriteRef& sprite, const char* code) {
  if (TScript* script = sprite ? sprite->GetScript() : nullptr) script->DoLuaString(code, 0);
}

OSoundManager* Sounds() {
  return OSoundManager::GetInstance();
}

// The held matches box whose match burns, or null.
OMatchesBoxItem* BurningMatch(IItem* item) {
  if (!item || !item->IsKindOf(ItemTypeId::OMatchesBoxItem)) return nullptr;
  OMatchesBoxItem* box = static_cast<OMatchesBoxItem*>(item);
  return box->GetMatchMode() == OMatchesBoxItem::kBurning ? box : nullptr;
}

OBasementFlaskItem* AsFlask(IItem* item) {
  return item && item->IsKindOf(ItemTypeId::OBasementFlaskItem) ? static_cast<OBasementFlaskItem*>(item)
                                                                : nullptr;
}
}  // namespace

// ---- creation ----

OAlchemicalDeviceItem::OAlchemicalDeviceItem(const str& name, IItemsManager* owner, const str& visualFolder,
                                             const str& visualPath, TWindow* host)
    : OItem(name, owner, visualFolder, visualPath), mHost(host) {
  mEffects = TSprite::Create(0);
}

OAlchemicalDeviceItem* OAlchemicalDeviceItem::Create(const str& name, TXmlNode* node, IItemsManager* owner,
                                                     TWindow* host) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OAlchemicalDeviceItem* device = new OAlchemicalDeviceItem(name, owner, folder, path, host);
  device->SetCaptionKey(node->GetAttribute("caption"));
  device->ReadConfiguration(node);
  GMasksManager* masks = owner ? owner->GetMasksManager() : nullptr;
  device->mMainMask = FindItemMask(masks, device->mMainMaskName);
  if (!device->mMainMask)
    Report("%s: alchemical device \"%s\": no item mask \"%s\" in the scene; the device cannot be clicked",
           OItemFactory::GetGuidePath().c_str(), name.c_str(), device->mMainMaskName.c_str());
  device->Restore();
  return device;
}

IItem* OAlchemicalDeviceItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  GFullScreenGameScene* scene = owner ? owner->GetScene() : nullptr;
  GAlchemicalDeviceGameScene* lab = dynamic_cast<GAlchemicalDeviceGameScene*>(scene);
  return Create(name, node, owner, lab ? lab->GetEffectLayer() : nullptr);
}

void OAlchemicalDeviceItem::ReadConfiguration(TXmlNode* node) {
  ReadPosition(node, "scene_pos", &mSceneX, &mSceneY);
  if (TXmlNode* masks = node->GetChild("masks")) mMainMaskName = masks->GetChildContent("main_mask");
  mMatchItems = ReadContents(node->GetChild("match_items"));
  if (TXmlNode* flag = node->GetChild("match_flag")) {
    mLitFlagName = flag->GetAttribute("flag_name");
    mLitFlagValue = flag->GetAttribute("flag_value");
  }
  if (TXmlNode* hints = node->GetChild("hints")) {
    mHintWrongLiquid = hints->GetChildContent("wrong_liquid");
    mHintMissingIngredients = hints->GetChildContent("missing_ingredients");
    mHintUnnecessaryItems = hints->GetChildContent("unnecessary_items");
    mHintFire = hints->GetChildContent("fire");
    mHintLiquid = hints->GetChildContent("liquid");
    mHintWrongItem = hints->GetChildContent("wrong_item");
    mHintNoEmptyCell = hints->GetChildContent("no_empty_cell");
  }
  mIncorrectItemEffect = node->GetChild("incorrect_item_effect");
  mLockedItems = ReadContents(node->GetChild("locked_items"));
  mRestrictedItems = ReadContents(node->GetChild("restricted_items"));
  if (TXmlNode* fall = node->GetChild("item_fall")) {
    // The item rests three ticks on every point.
    for (size_t i = 0; i < fall->GetChildCount(); ++i) {
      TXmlNode* point = fall->GetChildAt(i);
      std::pair<int, int> p(point->GetAttribute("x").to_int(), point->GetAttribute("y").to_int());
      mFallPath.insert(mFallPath.end(), 3, p);
    }
  }
  mEffectsNode = node->GetChild("effects");
  mSpecialItems = node->GetChild("special_items");
  mLiquidSteams = node->GetChild("liquid_steams");
  mClearEffect = node->GetChild("clear_effect");
  if (TXmlNode* sounds = node->GetChild("sounds")) mBoilingNode = sounds->GetChild("liquid_boilin_sound");
  mRecipes.Load(node->GetChild("recipes"));
  if (TXmlNode* effects = node->GetChild("random_effects")) {
    for (size_t i = 0; i < effects->GetChildCount(); ++i) {
      TXmlNode* e = effects->GetChildAt(i);
      mRandomEffects.push_back(
          {e->GetAttribute("file"), e->GetAttribute("x").to_int(), e->GetAttribute("y").to_int()});
    }
  }
  if (mEffectsNode) mSuccessfulSmokeTicks = mEffectsNode->GetChildContent("successful_smoke_ticks").to_int();
  mRestoreActions = node->GetChild("restore_actions");
}

void OAlchemicalDeviceItem::Restore() {
  const ODropZonesRegistry::Records* records = ODropZonesRegistry::GetInstance()->Find(mName);
  if (!records || records->empty()) return;
  int code = -1;
  ParseInt(records->front().item, &code);
  if (code == 0) {
    for (size_t i = 1; i < records->size(); ++i)
      mRestored.push_back({(*records)[i].item, int((*records)[i].x), int((*records)[i].y)});
    return;
  }
  if (code == kPotionReady) {
    int index = -1;
    if (records->size() >= 2 && ParseInt((*records)[1].item, &index) && mRecipes.Get(index)) {
      mState = kPotionReady;
      mRecipeIndex = index;
      return;
    }
    Report(
        "drop zones: alchemical device \"%s\": the ready potion names no recipe of %d; the device is empty",
        mName.c_str(), mRecipes.Count());
    return;
  }
  Report("drop zones: alchemical device \"%s\": state \"%s\" is not known; the device is empty",
         mName.c_str(), records->front().item.c_str());
}

OAlchemicalDeviceItem::~OAlchemicalDeviceItem() {
  DeleteBoilingSound();
  mEffects->RemoveChildren();
  delete mPotionInterpolator;
  delete mFalling;
  if (mMainMask) mMainMask->SetItem(nullptr);
  // Adopted, the window is its host's; a window nobody adopted is ours.
  if (mPotionEffect && !mPotionEffect->GetParent()) delete mPotionEffect;
}

bool OAlchemicalDeviceItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OAlchemicalDeviceItem || OItem::IsKindOf(typeId);
}

// ---- saving and restoring ----

void OAlchemicalDeviceItem::SaveState() {
  ODropZonesRegistry* registry = ODropZonesRegistry::GetInstance();
  registry->Remove(mName);
  if (mState == kSmoking || mState == kPotionAppearing || mState == kPotionReady) {
    registry->Set(mName, "5", 0, 0);
    registry->Set(mName, str::format("%d", mRecipeIndex), 0, 0);
    return;
  }
  registry->Set(mName, "0", 0, 0);
  if (!mPanel) {
    // Never placed: what was restored is still what the device holds.
    for (const Restored& r : mRestored) registry->Set(mName, r.name, r.x, r.y);
    return;
  }
  for (const str& name : mPanel->GetItemNames()) registry->Set(mName, name, 0, 0);
  if (mState == kFalling && mFalling) registry->Set(mName, mFalling->GetName(), 0, 0);
  if (mPanel->HasLiquid()) {
    int x = 0, y = 0;
    if (GVObject* liquid = mPanel->GetLiquidObject()) {
      x = int(liquid->deltaX);
      y = int(liquid->deltaY);
    } else if (TXmlNode* special = FindLiquid(mPanel->GetLiquidName())) {
      x = special->GetAttribute("gvobject_x").to_int();
      y = special->GetAttribute("gvobject_y").to_int();
    }
    registry->Set(mName, mPanel->GetLiquidName(), x, y);
  }
}

void OAlchemicalDeviceItem::LoadIntoPanel(GAlchemicalDevicePanel* panel) {
  mPanel = panel;
  if (!mPanel) return;
  mPanel->SetLockedItems(mLockedItems);
  if (mRestored.empty()) return;
  bool placed = false;
  for (const Restored& r : mRestored) {
    // The liquid is known by its id; its coordinates only mark it.
    if (TXmlNode* liquid = FindLiquid(r.name)) {
      placed |= mPanel->SetBoilingLiquid(
          r.name, liquid->GetAttribute("gvobject_name"), liquid->GetAttribute("gvobject_path"),
          liquid->GetAttribute("gvobject_x").to_int(), liquid->GetAttribute("gvobject_y").to_int());
      continue;
    }
    if (r.x != 0 && r.y != 0) {
      Report(
          "drop zones: alchemical device \"%s\": liquid \"%s\" is not among its special items; it is poured "
          "away",
          mName.c_str(), r.name.c_str());
      continue;
    }
    IItem* item = OItemFactory::CreateForInventory(r.name, mOwner);
    if (!item) {
      Report("drop zones: alchemical device \"%s\": item \"%s\" cannot be made; it is left out",
             mName.c_str(), r.name.c_str());
      continue;
    }
    item->CreateObject();
    item->MoveToAlchemicalInventory();
    if (mPanel->PutItemFull(item)) {
      placed = true;
    } else {
      Report("drop zones: alchemical device \"%s\": no cell left for \"%s\"; it goes back to its scene",
             mName.c_str(), r.name.c_str());
      GAlchemicalDevicePanel::ReturnItemToScene(item);
    }
  }
  mRestored.clear();
  if (!placed) return;
  mPanel->SetSlideState(GAlchemicalDevicePanel::kShown);
  DeleteBoilingSound();
  if (mBoilingNode) mBoilingSound = OSoundController::CreateFromXml(mBoilingNode);
}

// ---- the item ----

void OAlchemicalDeviceItem::CreateObject() {
  IItem::CreateObject();
  PlaceObject(mSceneX, mSceneY);
  if (mMainMask) mMainMask->SetItem(this);
  if (mState == kPotionReady) {
    OpenPotionWindow(true);
    TXmlNode* effect = FindEffect(RecipeId());
    StartEffect(effect ? effect->GetChild("smoke") : nullptr, mSmoke);
    mSmokeCounter = 0;
  } else {
    StartLiquidSteam();
  }
}

void OAlchemicalDeviceItem::Draw() {
  IItem::Draw();
  if (mFalling) mFalling->Draw();
  T2dScope pass;
  mEffects->Draw(TDrawSpec());
}

bool OAlchemicalDeviceItem::OwnsMask(IMask* mask) const {
  return mask && mask == mMainMask;
}

void OAlchemicalDeviceItem::Detach() {
  SaveState();
  if (mMainMask) mMainMask->SetItem(nullptr);
  mMainMask = nullptr;
}

bool OAlchemicalDeviceItem::OnMaskClick(IMask* mask) {
  if (!OwnsMask(mask)) return false;
  // Taken whatever it did: a scene that went on would use the held item on
  // the scene, putting a refused ingredient back on its shelf.
  if (!IsLit())
    TryTurnOn();
  else if (mState == kIdle)
    DropHeldItem();
  else if (mState == kPotionReady)
    FillContainer();
  return true;
}

IItem* OAlchemicalDeviceItem::FindContainedItem(const str& name) const {
  if (mFalling && mFalling->GetName() == name) return mFalling;
  for (size_t i = 0; mPanel && i < mPanel->GetCells().size(); ++i) {
    IItem* item = mPanel->GetCells()[i]->GetItem();
    if (item && item->GetName() == name) return item;
  }
  return nullptr;
}

bool OAlchemicalDeviceItem::IsInPlay(const str& name) const {
  if (IItem* held = DeviceHeldItem())
    if (held->GetName() == name) return true;
  if (mOwner && mOwner->FindItem(name)) return true;
  if (FindContainedItem(name)) return true;
  for (int i = 0; mGamePanel && i < GGamePanel::kInventoryCount; ++i) {
    GInventory* inventory = mGamePanel->GetInventory(i);
    for (size_t c = 0; inventory && c < inventory->GetCells().size(); ++c) {
      IItem* stored = inventory->GetCells()[c]->GetItem();
      if (stored && stored->GetName() == name) return true;
    }
  }
  return false;
}

bool OAlchemicalDeviceItem::IsLit() const {
  return OFlagsRegistry::GetInstance()->GetValue(mLitFlagName) == mLitFlagValue;
}

void OAlchemicalDeviceItem::QueueHint(const str& hint) {
  OHintsManager::GetInstance()->QueueHint(new OSimpleHint(hint, str(), true, 1));
}

void OAlchemicalDeviceItem::Refuse(const str& hint) {
  QueueHint(hint);
  Sounds()->PlayImpossibleAction(kSoundGroup);
}

void OAlchemicalDeviceItem::TryTurnOn() {
  IItem* held = DeviceHeldItem();
  if (!held) return;
  OMatchesBoxItem* match = Contains(mMatchItems, held->GetName()) ? BurningMatch(held) : nullptr;
  if (!match) {
    Refuse(mHintFire);
    return;
  }
  Sounds()->PlayAlchemicalDeviceTurnOn();
  OFlagsRegistry::GetInstance()->SetValue(mLitFlagName, mLitFlagValue);
  match->SetMatchMode(OMatchesBoxItem::kBox);
  if (mGamePanel) mGamePanel->PlayAlchemicalPanelEffects();
}

// ---- putting things in ----

TXmlNode* OAlchemicalDeviceItem::FindSpecialItem(const str& name) const {
  for (size_t i = 0; mSpecialItems && i < mSpecialItems->GetChildCount(); ++i)
    if (mSpecialItems->GetChildAt(i)->GetContent() == name) return mSpecialItems->GetChildAt(i);
  return nullptr;
}

TXmlNode* OAlchemicalDeviceItem::FindLiquid(const str& liquidId) const {
  for (size_t i = 0; mSpecialItems && !liquidId.empty() && i < mSpecialItems->GetChildCount(); ++i) {
    TXmlNode* special = mSpecialItems->GetChildAt(i);
    if (special->GetAttribute("type") == "liquid" && special->GetAttribute("liquid_id") == liquidId)
      return special;
  }
  return nullptr;
}

bool OAlchemicalDeviceItem::IsRestricted(const str& name) const {
  return Contains(mRestrictedItems, name);
}

const str& OAlchemicalDeviceItem::LiquidName() const {
  static const str kNone;
  return mPanel ? mPanel->GetLiquidName() : kNone;
}

bool OAlchemicalDeviceItem::HoldsSomething() const {
  return mPanel && (mPanel->HasLiquid() || !mPanel->GetItemNames().empty());
}

void OAlchemicalDeviceItem::DropHeldItem() {
  IItem* held = DeviceHeldItem();
  if (!held || !mPanel) return;
  const str name = held->GetCurrentName();
  TXmlNode* special = FindSpecialItem(name);
  const bool liquid = special && special->GetAttribute("type") == "liquid";
  if (IsRestricted(name)) {
    Refuse(mHintWrongItem);
    return;
  }
  if (!mPanel->HasEmptyCell()) {
    Refuse(mHintNoEmptyCell);
    return;
  }
  if (!mPanel->HasLiquid() && !liquid) {
    Refuse(mHintLiquid);
    return;
  }
  if (special) {
    str added;
    if (UseSpecialItem(special, &added) && !liquid) OnItemAdded(added);
    return;
  }
  GMousePointer::GetInstance()->ReleaseItem();
  // The caption goes with the item, as a drop into a zone or a cell takes it.
  if (OItem* owned = dynamic_cast<OItem*>(held)) owned->HideCaption();
  StartFall(held);
  OnItemAdded(name);
}

void OAlchemicalDeviceItem::StartFall(IItem* item) {
  int slide = mPanel->GetSlideState();
  if (slide == GAlchemicalDevicePanel::kSlidingOut || slide == GAlchemicalDevicePanel::kHidden)
    mPanel->SetSlideState(GAlchemicalDevicePanel::kSlidingIn);
  if (mFallPath.empty()) {
    // No path to fall along: straight into its cell.
    if (!mPanel->PutItem(item)) GAlchemicalDevicePanel::ReturnItemToScene(item);
    return;
  }
  mFalling = item;
  SetState(kFalling);
}

bool OAlchemicalDeviceItem::UseSpecialItem(TXmlNode* special, str* added) {
  const str type = special->GetAttribute("type");
  if (type == "item") {
    const str dropId = special->GetAttribute("drop_id");
    const str handId = special->GetAttribute("hand_id");
    // Both are made before the held item goes: a special item that makes
    // nothing takes nothing from the player.
    IItem* drop = OItemFactory::CreateForInventory(dropId, mOwner);
    IItem* hand = drop ? OItemFactory::CreateForPointer(handId, mOwner) : nullptr;
    if (!drop || !hand) {
      Report(
          "%s: alchemical device \"%s\": special item \"%s\" needs a drop_id and a hand_id that make items "
          "(\"%s\", \"%s\"); refused",
          OItemFactory::GetGuidePath().c_str(), mName.c_str(), special->GetContent().c_str(), dropId.c_str(),
          handId.c_str());
      delete drop;
      delete hand;
      Refuse(mHintWrongItem);
      return false;
    }
    // An item is one thing in one place: while one of the name is in play,
    // the special item cannot make another, which a clear would then put
    // back in its scene beside the first.
    if (IsInPlay(dropId)) {
      delete drop;
      delete hand;
      Refuse(mHintWrongItem);
      return false;
    }
    Hand()->DeleteHeldItem();
    drop->CreateObject();
    drop->MoveToAlchemicalInventory();
    // Made for the hand, the item takes its place there with its visual.
    hand->CreateObject();
    GMousePointer::GetInstance()->HoldItem(hand);
    *added = drop->GetCurrentName();
    StartFall(drop);
    return true;
  }
  if (type != "liquid") return false;

  const str liquidId = special->GetAttribute("liquid_id");
  const str active = OFlagsRegistry::GetInstance()->GetValue(kActiveRecipeFlag);
  if (!OGameConfig::GetInstance()->AreAllRecipesUnlocked() && active != kNoValue) {
    int index = mRecipes.FindById(active);
    if (index < 0 || !mRecipes.IsLiquid(index, liquidId)) {
      Refuse(mHintWrongLiquid);
      return false;
    }
  }
  if (!mPanel->SetLiquid(liquidId, special->GetAttribute("gvobject_name"),
                         special->GetAttribute("gvobject_path"), special->GetAttribute("gvobject_x").to_int(),
                         special->GetAttribute("gvobject_y").to_int()))
    return false;
  Sounds()->PlayAlchemicalDeviceAddLiquid();
  // A flask poured out stays in hand, empty.
  if (OBasementFlaskItem* flask = AsFlask(DeviceHeldItem()))
    OBasementFlaskItem::UpdateObject(OBasementFlaskItem::kEmpty, flask, false);
  const str handId = special->GetAttribute("hand_id");
  if (!handId.empty()) {
    if (IItem* hand = OItemFactory::CreateForPointer(handId, mOwner)) {
      Hand()->DeleteHeldItem();
      hand->CreateObject();
      GMousePointer::GetInstance()->HoldItem(hand);
    } else {
      Report("%s: alchemical device \"%s\": hand_id \"%s\" makes no item; the player keeps \"%s\"",
             OItemFactory::GetGuidePath().c_str(), mName.c_str(), handId.c_str(),
             special->GetContent().c_str());
    }
  }
  int slide = mPanel->GetSlideState();
  if (slide == GAlchemicalDevicePanel::kSlidingOut || slide == GAlchemicalDevicePanel::kHidden) {
    mPanel->SetSlideState(GAlchemicalDevicePanel::kSlidingIn);
    StartLiquidSteam();
  }
  return true;
}

void OAlchemicalDeviceItem::OnItemAdded(const str& addedName) {
  std::vector<str> list = mPanel ? mPanel->GetItemNames() : std::vector<str>();
  if (mFalling) list.push_back(mFalling->GetCurrentName());
  int recipe = FindExactRecipe(list);
  int active = mRecipes.FindById(OFlagsRegistry::GetInstance()->GetValue(kActiveRecipeFlag));
  if (recipe >= 0 && (recipe == active || OGameConfig::GetInstance()->AreAllRecipesUnlocked())) {
    const str& id = mRecipes.Get(recipe)->id;
    Sounds()->PlayAlchemicalDeviceLastPotionItem(id);
    TXmlNode* effect = FindEffect(id);
    if (TXmlNode* completed = effect ? effect->GetChild("completed_effect") : nullptr)
      StartEffect(completed, mItemFx);
    return;
  }
  Sounds()->PlayAlchemicalDeviceItemAdd(addedName);
  if (mRandomEffects.empty()) return;
  const RandomEffect& e =
      mRandomEffects[size_t(GetSharedRandom()->RandRange(0, int(mRandomEffects.size()) - 1))];
  TXmlNode node("random_effect");
  node.SetAttribute("file", e.file);
  node.SetAttribute("x", str::format("%d", e.x));
  node.SetAttribute("y", str::format("%d", e.y));
  StartEffect(&node, mItemFx);
}

void OAlchemicalDeviceItem::FallStep() {
  if (!mFalling) {
    SetState(kIdle);
    return;
  }
  const std::pair<int, int>& p = mFallPath[size_t(mFallIndex)];
  if (GVObject* object = mFalling->GetObject()) {
    int w = int(mFalling->GetObjectWidth()), h = int(mFalling->GetObjectHeight());
    object->deltaX = float(p.first - w / 2);
    object->deltaY = float(p.second - h / 2);
    object->changed = 1;
  }
  ++mFallIndex;
  if (mFallIndex < int(mFallPath.size())) return;
  IItem* item = mFalling;
  mFalling = nullptr;
  if (!mPanel || !mPanel->PutItem(item)) GAlchemicalDevicePanel::ReturnItemToScene(item);
  SetState(kIdle);
}

// ---- brewing ----

int OAlchemicalDeviceItem::FindExactRecipe() const {
  return FindExactRecipe(mPanel ? mPanel->GetItemNames() : std::vector<str>());
}

int OAlchemicalDeviceItem::FindExactRecipe(const std::vector<str>& names) const {
  return mRecipes.FindExact(names, LiquidName());
}

TXmlNode* OAlchemicalDeviceItem::FindEffect(const str& name) const {
  for (size_t i = 0; mEffectsNode && i < mEffectsNode->GetChildCount(); ++i)
    if (mEffectsNode->GetChildAt(i)->GetAttribute("name") == name) return mEffectsNode->GetChildAt(i);
  return nullptr;
}

const str& OAlchemicalDeviceItem::RecipeId() const {
  static const str kNone;
  const OAlchemicalRecipes::Recipe* recipe = mRecipes.Get(mRecipeIndex);
  return recipe ? recipe->id : kNone;
}

bool OAlchemicalDeviceItem::IsScenePaused() const {
  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  return scene && scene->IsPaused();
}

void OAlchemicalDeviceItem::PauseScene() {
  if (GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr) scene->Pause();
}

void OAlchemicalDeviceItem::ResumeScene() {
  if (GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr) scene->Resume();
}

void OAlchemicalDeviceItem::StartEffect(TXmlNode* node, TFxSpriteRef& slot) {
  if (!node || !OGameConfig::GetInstance()->AreParticlesEnabled()) return;
  TFxSpriteRef sprite = TFxSprite::Create(1, node->GetAttribute("file"));
  sprite->SetPosition(TVec3(node->GetAttribute("x").to_float(), node->GetAttribute("y").to_float(), 0));
  RunInSprite(sprite, "gActive = true");
  mEffects->AddChild(sprite);
  slot = sprite;
}

void OAlchemicalDeviceItem::StopEffect(const TFxSpriteRef& slot) {
  RunInSprite(slot, "gActive = false");
}

void OAlchemicalDeviceItem::DeleteBoilingSound() {
  delete mBoilingSound;
  mBoilingSound = nullptr;
}

void OAlchemicalDeviceItem::StartLiquidSteam() {
  const str& liquid = LiquidName();
  if (!mLiquidSteams || liquid.empty() || !TXmlNode::IsValidName(liquid)) return;
  StartEffect(mLiquidSteams->GetChild(liquid), mSteam);
}

void OAlchemicalDeviceItem::StartSmoke() {
  StopEffect(mSmoke);
  StopEffect(mItemFx);
  TXmlNode* effect = FindEffect(RecipeId());
  StartEffect(effect ? effect->GetChild("magic") : nullptr, mItemFx);
  TXmlNode* smoke = effect ? effect->GetChild("smoke") : nullptr;
  if (smoke && OGameConfig::GetInstance()->AreParticlesEnabled()) {
    StartEffect(smoke, mSmoke);
    mSmokeCounter = 0;
  } else {
    SetState(kPotionAppearing);
  }
}

void OAlchemicalDeviceItem::StartFailedEffect() {
  StopEffect(mSmoke);
  TXmlNode* failed = FindEffect(kFailedName);
  StartEffect(failed ? failed->GetChild("fx") : nullptr, mSmoke);
}

void OAlchemicalDeviceItem::RunRestoreAction(const str& itemName) {
  TXmlNode* element =
      mRestoreActions && TXmlNode::IsValidName(itemName) ? mRestoreActions->GetChild(itemName) : nullptr;
  if (!element) return;
  IAction* action = OActionFactory::CreateAction(element, mOwner ? mOwner->GetMasksManager() : nullptr);
  if (!action) return;
  action->Execute();
  delete action;
}

void OAlchemicalDeviceItem::ReturnContents() {
  if (!mPanel) return;
  for (const str& name : mPanel->GetItemNames()) RunRestoreAction(name);
  mPanel->ClearAll();
}

void OAlchemicalDeviceItem::MarkUnnecessaryItems() {
  mRemovalList.clear();
  if (!mPanel) return;
  std::vector<str> names;
  std::vector<GAlchemicalDeviceCell*> cells;
  for (GAlchemicalDeviceCell* cell : mPanel->GetCells()) {
    if (!cell->GetItem()) continue;
    names.push_back(cell->GetItem()->GetName());
    cells.push_back(cell);
  }
  int active = mRecipes.FindById(OFlagsRegistry::GetInstance()->GetValue(kActiveRecipeFlag));
  for (int position : mRecipes.FindUnnecessary(active, names)) {
    GAlchemicalDeviceCell* cell = cells[size_t(position)];
    mRemovalList.push_back(cell->GetIndex());
    if (mOwner && mIncorrectItemEffect)
      mOwner->AddParticleEffect(mIncorrectItemEffect,
                                float(mPanel->GetX() + cell->GetX() + cell->GetWidth() / 2),
                                float(mPanel->GetY() + cell->GetY() + cell->GetHeight() / 2), false);
  }
}

void OAlchemicalDeviceItem::Brew() {
  if (mState != kIdle || IsScenePaused()) return;
  const str active = OFlagsRegistry::GetInstance()->GetValue(kActiveRecipeFlag);
  if (!OGameConfig::GetInstance()->AreAllRecipesUnlocked() && active != kNoValue) {
    int index = mRecipes.FindById(active);
    if (index >= 0) {
      const std::vector<str> contents = mPanel ? mPanel->GetItemNames() : std::vector<str>();
      const str* hint = nullptr;
      if (!mRecipes.IsLiquid(index, LiquidName())) {
        hint = &mHintWrongLiquid;
      } else if (!mRecipes.HasNoUnnecessaryItems(index, contents)) {
        hint = &mHintUnnecessaryItems;
        // The removal waits for the hint to close and the scene to resume.
        mState = kUnnecessaryItemsHint;
      } else if (!mRecipes.HasAllIngredients(index, contents)) {
        hint = &mHintMissingIngredients;
      }
      if (hint) {
        QueueHint(*hint);
        Sounds()->PlayAlchemicalDeviceDone(kFailedName);
        return;
      }
    }
  }
  StopEffect(mSteam);
  int recipe = FindExactRecipe();
  if (recipe < 0 && !HoldsSomething()) return;
  // The brew has ended, made or failed: nothing is left to boil.
  DeleteBoilingSound();
  if (recipe < 0) {
    ReturnContents();
    mPanel->SetSlideState(GAlchemicalDevicePanel::kSlidingOut);
    SetState(kFailed);
    Sounds()->PlayAlchemicalDeviceDone(kFailedName);
    return;
  }
  mRecipeIndex = recipe;
  const str id = RecipeId();
  Sounds()->PlayAlchemicalDeviceDone(id);
  OMissionsManager::GetInstance()->OnPotionReady(id);
  ReturnContents();
  if (mPanel) mPanel->SetSlideState(GAlchemicalDevicePanel::kSlidingOut);
  SetState(kSmoking);
}

void OAlchemicalDeviceItem::Clear() {
  if ((mState != kIdle && mState != kPotionReady) || IsScenePaused()) return;
  StopEffect(mSteam);
  DeleteBoilingSound();
  StopEffect(mSmoke);
  if (HoldsSomething()) {
    ReturnContents();
    mPanel->SetSlideState(GAlchemicalDevicePanel::kSlidingOut);
    Sounds()->PlayAlchemicalDeviceClear();
  } else if (mRecipeIndex >= 0) {
    SetState(kPotionLeaving);
    if (mOwner) mOwner->AddParticleEffect(mClearEffect, 0, 0, true);
    mRecipeIndex = -1;
    Sounds()->PlayAlchemicalDeviceClear();
  }
}

void OAlchemicalDeviceItem::FillContainer() {
  IItem* held = DeviceHeldItem();
  const OAlchemicalRecipes::Recipe* recipe = mRecipes.Get(mRecipeIndex);
  if (!held || !recipe || !recipe->potions) return;
  TXmlNode* potion = nullptr;
  const str container = held->GetCurrentName();
  for (size_t i = 0; !potion && i < recipe->potions->GetChildCount(); ++i)
    if (recipe->potions->GetChildAt(i)->GetAttribute("container") == container)
      potion = recipe->potions->GetChildAt(i);
  if (!potion) return;

  const str type = potion->GetAttribute("result_type");
  const str result = potion->GetAttribute("result");
  if (type == "new_item") {
    // Made first: a result that makes nothing leaves the potion in the device.
    IItem* made = OItemFactory::CreateForPointer(result, mOwner);
    if (!made) {
      Report(
          "%s: alchemical device \"%s\": recipe \"%s\" gives \"%s\", which makes no item; the potion stays",
          OItemFactory::GetGuidePath().c_str(), mName.c_str(), recipe->id.c_str(), result.c_str());
      return;
    }
    Hand()->DeleteHeldItem();
    made->CreateObject();
    GMousePointer::GetInstance()->HoldItem(made);
  } else if (type == "potion") {
    // Only a flask holds a potion: anything else leaves it in the device.
    OBasementFlaskItem* flask = AsFlask(held);
    if (!flask) return;
    OBasementFlaskItem::SetPotion(flask, result, false);
  } else {
    Report("%s: alchemical device \"%s\": recipe \"%s\" has result_type \"%s\"; the potion stays",
           OItemFactory::GetGuidePath().c_str(), mName.c_str(), recipe->id.c_str(), type.c_str());
    return;
  }
  StopEffect(mSteam);
  StopEffect(mSmoke);
  Sounds()->PlayAlchemicalDevicePourPotion();
  DeleteBoilingSound();
  SetState(kPotionLeaving);
  mRecipeIndex = -1;
}

void OAlchemicalDeviceItem::OnSceneResumed() {
  if (mState != kUnnecessaryItemsHint) return;
  SetState(kRemovingUnnecessaryItems);
  PauseScene();
}

// ---- the state machine ----

void OAlchemicalDeviceItem::OpenPotionWindow(bool complete) {
  ClosePotionWindow();
  mPotionEffect = new OAlchemicalDevicePotionEffect();
  TXmlNode* effect = FindEffect(RecipeId());
  mPotionEffect->Load(effect ? effect->GetChild("animation") : nullptr);
  if (mHost) mHost->AdoptChild(mPotionEffect, true);
  mPotionEffect->phase =
      complete ? OAlchemicalDevicePotionEffect::kComplete : OAlchemicalDevicePotionEffect::kPlaying;
  mPotionEffect->SetPhase(complete ? 1 : 0);
}

void OAlchemicalDeviceItem::ClosePotionWindow() {
  if (!mPotionEffect) return;
  if (mPotionEffect->GetParent()) mPotionEffect->GetParent()->OrphanChild(mPotionEffect);
  delete mPotionEffect;
  mPotionEffect = nullptr;
}

void OAlchemicalDeviceItem::SetState(int state) {
  mState = state;
  switch (state) {
    case kIdle:
      mFalling = nullptr;
      break;
    case kFalling:
      mFallIndex = 0;
      break;
    case kFailed:
      StartFailedEffect();
      SetState(kIdle);
      break;
    case kSmoking:
      StartSmoke();
      break;
    case kPotionAppearing: {
      StopEffect(mItemFx);
      OpenPotionWindow(false);
      TXmlNode* effect = FindEffect(RecipeId());
      TXmlNode* potion = effect ? effect->GetChild("potion") : nullptr;
      if (potion && OGameConfig::GetInstance()->AreParticlesEnabled()) {
        StartEffect(potion, mPotion);
        delete mPotionInterpolator;
        mPotionInterpolator = GBaseInterpolator::Create(mPotion, potion->GetChild("ip"));
        if (mPotionInterpolator) mPotionInterpolator->Reset();
      }
      break;
    }
    case kPotionReady:
      if (mPotion) {
        mEffects->RemoveChild(mPotion);
        mPotion->GetParticleSystem()->SetDone();
      }
      break;
    case kPotionLeaving:
      if (!mPotionEffect) break;
      mPotionEffect->phase = OAlchemicalDevicePotionEffect::kFading;
      mPotionEffect->SetPhase(2);
      break;
    case kRemovingUnnecessaryItems:
      mRemovalCounter = 0;
      MarkUnnecessaryItems();
      break;
    default:
      break;
  }
}

void OAlchemicalDeviceItem::UpdateInterpolator() {
  if (!mPotionInterpolator || mPotionInterpolator->Update()) return;
  delete mPotionInterpolator;
  mPotionInterpolator = nullptr;
  StopEffect(mItemFx);
}

void OAlchemicalDeviceItem::Update() {
  UpdateInterpolator();
  if (mPanel && mPanel->GetSlideState() == GAlchemicalDevicePanel::kShown && !mBoilingSound && mBoilingNode)
    mBoilingSound = OSoundController::CreateFromXml(mBoilingNode);
  if (mBoilingSound && mBoilingSound->GetMode() == OSoundController::kWaiting) mBoilingSound->Tick();

  switch (mState) {
    case kFalling:
      FallStep();
      break;
    case kSmoking:
      if (++mSmokeCounter > mSuccessfulSmokeTicks) SetState(kPotionAppearing);
      break;
    case kPotionAppearing:
      if (!mPotionEffect) {
        SetState(kPotionReady);
        break;
      }
      mPotionEffect->Update();
      if (mPotionEffect->phase == OAlchemicalDevicePotionEffect::kComplete) SetState(kPotionReady);
      break;
    case kPotionLeaving:
      if (mPotionEffect) mPotionEffect->Update();
      if (!mPotionEffect || mPotionEffect->phase == OAlchemicalDevicePotionEffect::kFaded) {
        ClosePotionWindow();
        SetState(kIdle);
      }
      break;
    case kRemovingUnnecessaryItems: {
      ++mRemovalCounter;
      if (mRemovalCounter == kRemovalDelay && mPanel) {
        mPanel->StartEmptying(mRemovalList);
        break;
      }
      if (mRemovalCounter < kRemovalDelay) break;
      bool emptied = !mPanel || mRemovalList.empty();
      for (size_t i = 0; mPanel && !emptied && i < mPanel->GetCells().size(); ++i)
        emptied = mPanel->GetCells()[i]->GetCellState() == GAlchemicalDeviceCell::kEmptied;
      if (!emptied) break;
      if (mPanel) {
        for (int index : mRemovalList) {
          GAlchemicalDeviceCell* cell = mPanel->GetCell(index);
          if (cell && cell->GetItem()) RunRestoreAction(cell->GetItem()->GetName());
        }
        mPanel->RemoveListedItems(mRemovalList);
      }
      mRemovalList.clear();
      SetState(kIdle);
      ResumeScene();
      break;
    }
    default:
      break;
  }
}
