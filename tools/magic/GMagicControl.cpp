#include "GMagicControl.h"

#include <algorithm>
#include <climits>

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "game/OSoundManager.h"
#include "items/IItem.h"
#include "items/ItemTypeIds.h"
#include "items/OFireMagicItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "rules/actions/OActionFactory.h"
#include "rules/events/OMissionsManager.h"
#include "rules/timers/OSleepingZoneTimerController.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/GMagicButton.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/IPanelClient.h"
#include "visual/GButton.h"
#include "visual/GMagicEffect.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

const char* const GMagicControl::kMagicIds[kMagicCount] = {"fire",    "health",        "invisibility",
                                                           "rainbow", "through_space", "through_time"};

namespace {
void Orphan(TWindow* w) {
  if (w && w->GetParent()) w->GetParent()->OrphanChild(w);
}

void Adopt(TWindow* parent, TWindow* w) {
  if (w && !w->GetParent()) parent->AdoptChild(w, true);
}

// The child of the style's tree by name when it is of class T.
template <class T>
T* Child(TWindow* parent, const str& name) {
  return WindowCast<T>(parent->GetChildWindow(name, -1));
}
}  // namespace

int GMagicControl::IndexOf(const str& magic) {
  for (int i = 0; i < kMagicCount; ++i)
    if (magic == kMagicIds[i]) return i;
  return -1;
}

GMagicControl::GMagicControl() : mLuaNames(this) {}

GMagicControl::~GMagicControl() {
  mLuaNames.UnbindAll();
  for (int i = 0; i < kMagicCount; ++i) {
    for (TWindow* w : {static_cast<TWindow*>(mMagicButtons[i]), static_cast<TWindow*>(mPictures[i]),
                       static_cast<TWindow*>(mSmallButtons[i])}) {
      Orphan(w);
      delete w;
    }
  }
}

void GMagicControl::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  mLuaNames.Bind("onFireSmallButtonClick", this, &GMagicControl::onFireSmallButtonClick);
  mLuaNames.Bind("onHealthSmallButtonClick", this, &GMagicControl::onHealthSmallButtonClick);
  mLuaNames.Bind("onInvisibilitySmallButtonClick", this, &GMagicControl::onInvisibilitySmallButtonClick);
  mLuaNames.Bind("onRainbowSmallButtonClick", this, &GMagicControl::onRainbowSmallButtonClick);
  mLuaNames.Bind("onThroughSpaceSmallButtonClick", this, &GMagicControl::onThroughSpaceSmallButtonClick);
  mLuaNames.Bind("onThroughTimeSmallButtonClick", this, &GMagicControl::onThroughTimeSmallButtonClick);
  mLuaNames.Bind("onFireMagicButtonClick", this, &GMagicControl::onFireMagicButtonClick);
  mLuaNames.Bind("onHealthMagicButtonClick", this, &GMagicControl::onHealthMagicButtonClick);
  mLuaNames.Bind("onInvisibilityMagicButtonClick", this, &GMagicControl::onInvisibilityMagicButtonClick);
  mLuaNames.Bind("onRainbowMagicButtonClick", this, &GMagicControl::onRainbowMagicButtonClick);
  mLuaNames.Bind("onThroughSpaceMagicButtonClick", this, &GMagicControl::onThroughSpaceMagicButtonClick);
  mLuaNames.Bind("onThroughTimeMagicButtonClick", this, &GMagicControl::onThroughTimeMagicButtonClick);
  // Found before any is taken out: a child may sit inside another.
  int configured = 0;
  for (int i = 0; i < kMagicCount; ++i) {
    const str id = kMagicIds[i];
    mMagicButtons[i] = Child<GMagicButton>(this, "b_" + id + "_b");
    mPictures[i] = Child<TImage>(this, "e_" + id);
    mSmallButtons[i] = Child<GButton>(this, "b_" + id);
    TXmlNode* entry = OMagicRegistry::GetGuideEntry(id);
    if (entry) ++configured;
    if (mMagicButtons[i])
      mMagicButtons[i]->SetRestoreTicks(entry ? entry->GetAttribute("restore_tics").to_int() : 0);
  }
  // A game may offer fewer magics; a guide with none of them (an empty or
  // damaged document) leaves every button without its counts, and says so.
  if (configured == 0)
    Report(
        "cfg/magiccfg.xml: none of the six magics is configured; no magic button has an unlock count or "
        "a restore time");
  for (int i = 0; i < kMagicCount; ++i) {
    Orphan(mMagicButtons[i]);
    Orphan(mPictures[i]);
    Orphan(mSmallButtons[i]);
  }
  SetCurrentMagic(mCurrentMagic);
}

GButton* GMagicControl::GetSmallButton(int index) const {
  return index >= 0 && index < kMagicCount ? mSmallButtons[index] : nullptr;
}

GMagicButton* GMagicControl::GetMagicButton(int index) const {
  return index >= 0 && index < kMagicCount ? mMagicButtons[index] : nullptr;
}

TImage* GMagicControl::GetPicture(int index) const {
  return index >= 0 && index < kMagicCount ? mPictures[index] : nullptr;
}

void GMagicControl::HideMagicButtons() {
  for (int i = 0; i < kMagicCount; ++i) {
    Orphan(mMagicButtons[i]);
    Orphan(mPictures[i]);
  }
}

void GMagicControl::SetCurrentMagic(int index) {
  mCurrentMagic = index;
  HideMagicButtons();
  if (index < 0 || index >= kMagicCount) return;
  Adopt(this, mPictures[index]);
  Adopt(this, mMagicButtons[index]);
}

void GMagicControl::Select(int index) {
  if (mLocked) return;
  IPanelClient* client = mPanel ? mPanel->GetClient() : nullptr;
  if (!client || !client->IsMagicEnabled()) return;
  GScene* scene = GGamePanel::CurrentScene();
  if (scene && scene->GetInteractionMode() != 0) return;
  SetCurrentMagic(index);
}

void GMagicControl::Unlock() {
  mLocked = false;
  PlayUnlockEffects();
}

void GMagicControl::Tick() {
  for (GMagicButton* button : mMagicButtons)
    if (button) button->Tick();
  for (size_t i = 0; i < mPending.size();) {
    if (--mPending[i].second < 1) {
      str magic = mPending[i].first;
      mPending.erase(mPending.begin() + i);
      UnlockMagic(magic);
    } else {
      ++i;
    }
  }
}

void GMagicControl::OnMagicValueChanged(const str& key, int value) {
  int index = IndexOf(key);
  if (index < 0) return;
  if (value == OMagicRegistry::kLocked)
    HideMagic(index);
  else if (value == OMagicRegistry::kUnlocked)
    StartDelayedUnlock(key);
}

void GMagicControl::HideMagic(int index) {
  Orphan(mSmallButtons[index]);
  Orphan(mMagicButtons[index]);
  if (mMagicButtons[index]) mMagicButtons[index]->SetLocked(true);
}

void GMagicControl::StartDelayedUnlock(const str& magic) {
  TXmlNode* delay = OGameConfig::GetInstance()->GetGameScreenChild("unlock_magic_delay");
  mPending.push_back(std::make_pair(magic, delay ? delay->GetContent().to_int() : 0));
}

void GMagicControl::UnlockMagic(const str& magic) {
  int index = IndexOf(magic);
  if (index < 0) return;
  Adopt(this, mSmallButtons[index]);
  // Shown as the current one, though the index stays what the player chose.
  HideMagicButtons();
  Adopt(this, mPictures[index]);
  Adopt(this, mMagicButtons[index]);
  if (GMagicButton* button = mMagicButtons[index]) {
    button->SetLocked(false);
    button->ShowReady();
  }
  OMissionsManager::GetInstance()->OnMagicButtonUnlock(magic);
  if (GScene* scene = GGamePanel::CurrentScene()) scene->Resume();
}

void GMagicControl::PlayUnlockEffects() {
  TXmlNode* guide = OMagicRegistry::GetGuide();
  OMagicRegistry* registry = OMagicRegistry::GetInstance();
  TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreenChild("unlock_magic_effect");
  for (size_t i = 0; guide && i < guide->GetChildCount(); ++i) {
    const str magic = guide->GetChildAt(i)->GetName();
    if (registry->GetValue(magic) != OMagicRegistry::kEarned) continue;
    GScene* scene = GGamePanel::CurrentScene();
    if (!scene) return;
    scene->Pause();
    registry->SetValue(magic, OMagicRegistry::kUnlocked);
    IPanelClient* client = mPanel ? mPanel->GetClient() : nullptr;
    std::vector<TFxSpriteRef>* list = client ? client->GetEffectsList() : nullptr;
    std::vector<GBaseInterpolator*>* host = client ? client->GetEffectsHost() : nullptr;
    if (list && host && effects)
      LoadParticlesFromXml(effects->GetChild(magic), *list, *host, client->GetEffectsSpriteB());
  }
}

void GMagicControl::Save(TXmlNode* panel) {
  std::vector<std::pair<str, int>> pending;
  pending.swap(mPending);
  for (const auto& entry : pending) UnlockMagic(entry.first);
  if (!panel) return;
  TXmlNode* buttons = panel->CreateChild("magic_control")->CreateChild("buttons");
  for (int i = 0; i < kMagicCount; ++i) {
    TXmlNode* node = buttons->CreateChild("button");
    GMagicButton* button = mMagicButtons[i];
    node->SetAttribute("isSmall", mSmallButtons[i] && mSmallButtons[i]->GetParent() ? "true" : "false");
    node->SetAttribute("isMagic", button && button->GetParent() ? "true" : "false");
    node->SetAttribute("magicState", str::format("%d", button ? button->GetMagicState() : 0));
    node->SetAttribute("magicTimerVal", str::format("%d", button ? button->GetRestoreCounter() : 0));
    node->SetAttribute("locked", !button || button->IsLocked() ? "1" : "0");
  }
}

namespace {
// A number of a saved button, held to low..high with a report when outside.
int SavedNumber(TXmlNode* node, const char* name, int index, int low, int high) {
  str text = node->GetAttribute(name);
  int value = text.to_int();
  if (value >= low && value <= high) return value;
  int kept = std::min(std::max(value, low), high);
  Report("save: magic button %d: %s \"%s\" is outside %d..%d; %d is used", index, name, text.c_str(), low,
         high, kept);
  return kept;
}
}  // namespace

void GMagicControl::Load(TXmlNode* panel) {
  mPending.clear();
  for (int i = 0; i < kMagicCount; ++i) Orphan(mSmallButtons[i]);
  HideMagicButtons();
  TXmlNode* control = panel ? panel->GetChild("magic_control") : nullptr;
  TXmlNode* buttons = control ? control->GetChild("buttons") : nullptr;
  int index = 0;
  // One "button" per magic, in magic order; any further one is not a magic.
  for (size_t c = 0; buttons && c < buttons->GetChildCount() && index < kMagicCount; ++c) {
    TXmlNode* node = buttons->GetChildAt(c);
    if (node->GetName() != "button") continue;
    int i = index++;
    if (node->GetAttribute("isSmall") == "true") Adopt(this, mSmallButtons[i]);
    GMagicButton* button = mMagicButtons[i];
    if (button)
      button->SetMagicState(SavedNumber(node, "magicState", i, GMagicButton::kEmptied, GMagicButton::kReady));
    if (node->GetAttribute("isMagic") == "true") {
      Adopt(this, mPictures[i]);
      Adopt(this, button);
    }
    if (!button) continue;
    // A count past the restore time would only count on, to an overflow. A
    // button that has just filled counts one past it.
    const int ticks = std::max(0, button->GetRestoreTicks());
    button->SetRestoreCounter(SavedNumber(node, "magicTimerVal", i, 0, ticks < INT_MAX ? ticks + 1 : ticks));
    button->Tick();
    button->SetLocked(node->GetAttribute("locked") == "1");
  }
}

bool GMagicControl::CanCast(int index) {
  if (mLocked) return false;
  IPanelClient* client = mPanel ? mPanel->GetClient() : nullptr;
  if (!client || !client->IsMagicEnabled()) return false;
  GScene* scene = GGamePanel::CurrentScene();
  if (scene && scene->GetInteractionMode() != 0) return false;
  return index == IndexOf("health") || OFlagsRegistry::GetInstance()->GetValue("are_we_sleeping") != "true";
}

void GMagicControl::StartRestore(int index) {
  if (GMagicButton* button = mMagicButtons[index]) button->StartRestore();
}

void GMagicControl::ShowEffect(const char* magic, std::vector<IHint*>* hints) {
  if (!hints) hints = new std::vector<IHint*>();
  GGameWnd* game = mPanel ? mPanel->GetGameWnd() : nullptr;
  if (!game) {
    GMagicEffect::DropHints(hints);
    return;
  }
  TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreenChild("magic_effects");
  game->ShowMagicEffect(effects ? effects->GetChild(magic) : nullptr, hints);
}

void GMagicControl::RunSceneAction(TXmlNode* action) {
  GScene* scene = GGamePanel::CurrentScene();
  OItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  OActionFactory::RunAction(action, items ? items->GetMasksManager() : nullptr);
}

void GMagicControl::onFireMagicButtonClick() {
  const int index = IndexOf("fire");
  if (!CanCast(index)) return;
  OMousePointerManager* pointer = GMousePointer::PeekManager();
  if (!pointer) return;
  GScene* scene = GGamePanel::CurrentScene();
  // The fire is made before the held item goes: a guide without it refuses
  // the cast rather than leave the player's item lost.
  IItem* fire = OItemFactory::CreateForPointer("fire_magic_item", scene ? scene->GetItemsManager() : nullptr);
  if (!fire) {
    Report("cfg/items_guide.xml: no \"fire_magic_item\" the hand can hold; the fire magic is not cast");
    return;
  }
  OSoundManager::GetInstance()->PlayMagicSound("fire");
  str saved;
  if (IItem* held = pointer->GetHeldItem()) {
    saved = held->GetName();
    held->SaveState();
    pointer->DeleteHeldItem();
  }
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  flags->SetValue("__fire_magic_saved_item", saved);
  fire->CreateObject();
  if (fire->IsKindOf(ItemTypeId::OFireMagicItem))
    flags->SetValue(static_cast<OFireMagicItem*>(fire)->GetFlagName(), "true");
  pointer->HoldItem(fire);
  StartRestore(index);
  ShowEffect("fire");
}

void GMagicControl::onHealthMagicButtonClick() {
  const int index = IndexOf("health");
  if (!CanCast(index)) return;
  OSoundManager::GetInstance()->PlayMagicSound("health");
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  OTimersManager* timers = OTimersManager::GetInstance();
  if (flags->GetValue("are_we_sleeping") == "true") {
    flags->SetValue("are_we_sleeping", "false");
    // Waking cures as well; the sleeper is not shown what was helped.
    GMagicEffect::DropHints(timers->ApplyHealthMagic());
    if (GGameWnd* game = mPanel ? mPanel->GetGameWnd() : nullptr) game->ShowWakeUpEffect();
    timers->GetSleepingHints()->Stop();
  } else {
    ShowEffect("health", timers->ApplyHealthMagic());
  }
  StartRestore(index);
}

void GMagicControl::onInvisibilityMagicButtonClick() {
  const int index = IndexOf("invisibility");
  if (!CanCast(index)) return;
  OSoundManager::GetInstance()->PlayMagicSound("invisibility");
  StartRestore(index);
  OTimersManager::GetInstance()->StartInvisibility();
  OFlagsRegistry::GetInstance()->SetValue("are_we_invisible", "true");
  ShowEffect("invisibility");
}

void GMagicControl::onRainbowMagicButtonClick() {
  const int index = IndexOf("rainbow");
  if (!CanCast(index)) return;
  TXmlNode* rainbow = OGameConfig::GetInstance()->GetGameScreenChild("rainbow_magic");
  if (!rainbow || OGame::GetInstance()->GetCurrentSceneId() != rainbow->GetAttribute("work_scene_id")) return;
  OSoundManager::GetInstance()->PlayMagicSound("rainbow");
  ShowEffect("rainbow");
  RunSceneAction(rainbow->GetChild("action"));
  StartRestore(index);
}

void GMagicControl::onThroughSpaceMagicButtonClick() {
  const int index = IndexOf("through_space");
  if (!CanCast(index)) return;
  OSoundManager::GetInstance()->PlayMagicSound("through_space");
  StartRestore(index);
  if (OGame::GetInstance()->IsThroughSpaceWorld())
    mPanel->GetClient()->OnThroughSpaceMagic();
  else
    RunSceneAction(OGameConfig::GetInstance()->GetGameScreenChild("impossible_travel_space_action"));
}

void GMagicControl::onThroughTimeMagicButtonClick() {
  const int index = IndexOf("through_time");
  if (!CanCast(index)) return;
  OSoundManager::GetInstance()->PlayMagicSound("through_time");
  StartRestore(index);
  mPanel->GetClient()->OnThroughTimeMagic();
}
