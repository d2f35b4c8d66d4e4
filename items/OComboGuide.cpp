#include "OComboGuide.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/IMask.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "items/IItemsManager.h"
#include "items/OBasementFlaskItem.h"
#include "items/OItemFactory.h"
#include "items/OMatchesBoxItem.h"
#include "rules/actions/OCompositeAction.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kRoot = "combo_guide";

str DocumentPath() {
  TXmlNode* paths = OGameConfig::GetInstance()->GetConfig()->GetChild("path");
  str path = paths ? paths->GetChildContent("combocfg") : str();
  return path.empty() ? str("combocfg") : path;
}

IItem* HeldItem() {
  OMousePointerManager* manager = GMousePointer::PeekManager();
  return manager ? manager->GetHeldItem() : nullptr;
}

void DeleteHeldItem() {
  if (OMousePointerManager* manager = GMousePointer::PeekManager()) manager->ConsumeHeldItem();
}

// The result's "effect" at the item's centre, over the scene's windows; the
// scene keeps it alive.
void StartEffect(TXmlNode* result, IItem* at, IItemsManager* manager) {
  if (!manager || !at) return;
  TPoint centre = at->GetCenter();
  manager->AddParticleEffect(result->GetChild("effect"), centre.x, centre.y, true);
}

// The one of the two that is exactly of that class, the first preferred;
// null when neither is.
IItem* Exactly(int32_t typeId, IItem* first, IItem* second) {
  if (first->GetTypeId() == typeId) return first;
  if (second->GetTypeId() == typeId) return second;
  return nullptr;
}

// The potion flask and the matches box are told here. A box that empties
// itself is deleted only once the event is over: the caller still asks it
// whether it is on the pointer.
void SetPotion(IItem* flask, const str& potion) {
  OBasementFlaskItem::SetPotion(dynamic_cast<OBasementFlaskItem*>(flask), potion, false);
}
void PutMatchOut(IItem* matchesBox) {
  if (OMatchesBoxItem* box = dynamic_cast<OMatchesBoxItem*>(matchesBox)) box->SetMatchMode(0);
}
}  // namespace

OComboGuide* OComboGuide::sInstance = nullptr;

OComboGuide* OComboGuide::GetInstance() {
  if (sInstance) return sInstance;
  TXmlNode* root = OGameConfig::GetInstance()->GetComboCfg();
  if (root->GetName() == kRoot) {
    sInstance = new OComboGuide(root);
  } else {
    // An empty document of another name is a missing file, already reported.
    if (root->GetChildCount() > 0)
      Report("%s: root is \"%s\", not \"%s\"; no combination rules", DocumentPath().c_str(),
             root->GetName().c_str(), kRoot);
    sInstance = new OComboGuide(nullptr);
  }
  return sInstance;
}

void OComboGuide::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

TXmlNode* OComboGuide::FindRuleNode(const OComboGuide* guide, const str& a, const str& b) {
  TXmlNode* rules = guide ? guide->mGuide : nullptr;
  if (!rules) return nullptr;
  for (size_t i = 0; i < rules->GetChildCount(); ++i) {
    TXmlNode* rule = rules->GetChildAt(i);
    str one = rule->GetChildContent("item1"), two = rule->GetChildContent("item2");
    if ((one == a && two == b) || (one == b && two == a)) return rule;
  }
  return nullptr;
}

TXmlNode* OComboGuide::FindRule(const OComboGuide* guide, const str& a, const str& b) {
  TXmlNode* rule = FindRuleNode(guide, a, b);
  return rule ? rule->GetChild("result") : nullptr;
}

str OComboGuide::GetResultType(IItem* first, IItem* second) {
  if (!first || !second) return str();
  TXmlNode* result = FindRule(GetInstance(), first->GetCurrentName(), second->GetCurrentName());
  return result ? result->GetAttribute("type") : str();
}

IItem* OComboGuide::ApplyToSceneItem(const OComboGuide* guide, IItem* held, IMask* mask,
                                     IItemsManager* manager) {
  if (!held || !mask) return nullptr;
  TXmlNode* result = FindRule(guide, held->GetCurrentName(), mask->GetName());
  if (!result) return nullptr;
  str type = result->GetAttribute("type");
  if (type == "flask_potion") {
    if (held->GetTypeId() != ItemTypeId::OBasementFlaskItem) return nullptr;
    SetPotion(held, result->GetAttribute("value"));
    StartEffect(result, held, manager);
    return held;
  }
  if (type == "item") {
    DeleteHeldItem();
    IItem* made = OItemFactory::CreateForPointer(result->GetAttribute("value"), manager);
    if (!made) return nullptr;
    // A takeable item goes into the hand as its visual is made.
    made->CreateObject();
    StartEffect(result, made, manager);
    return made;
  }
  if (type == "action") {
    OCompositeAction action(result->GetAttribute("name"), manager ? manager->GetMasksManager() : nullptr);
    action.Execute();
    return held;
  }
  return nullptr;
}

IItem* OComboGuide::ApplyToInventoryItem(IItem* first, const OComboGuide* guide, IItem* second,
                                         IItemsManager* manager) {
  if (!first || !second) return nullptr;
  TXmlNode* result = FindRule(guide, first->GetCurrentName(), second->GetCurrentName());
  if (!result) return nullptr;
  str type = result->GetAttribute("type");
  if (type == "item" || type == "tablet_combine") return TabletCombine(first, second, guide, manager);
  if (type == "potion_combo_use" || type == "match_burn") {
    bool potion = type == "potion_combo_use";
    // Only the flask (or the box) of the two changes; a rule that pairs
    // two other items changes nothing.
    IItem* changed =
        Exactly(potion ? ItemTypeId::OBasementFlaskItem : ItemTypeId::OMatchesBoxItem, first, second);
    if (!changed) return nullptr;
    IItem* made = OItemFactory::CreateForInventory(result->GetAttribute("value"), manager);
    // A product that cannot be made uses nothing up: the flask keeps its
    // potion, the match burns on.
    if (!made) return nullptr;
    if (potion)
      SetPotion(changed, "empty");
    else
      PutMatchOut(changed);
    made->CreateObject();
    StartEffect(result, first->IsOnPointer() ? first : second, manager);
    return made;
  }
  if (type == "potion_spell") {
    if (IItem* flask = Exactly(ItemTypeId::OBasementFlaskItem, first, second)) {
      SetPotion(flask, result->GetAttribute("value"));
      StartEffect(result, flask, manager);
    }
    return nullptr;
  }
  return nullptr;
}

IItem* OComboGuide::TabletCombine(IItem* first, IItem* second, const OComboGuide* guide,
                                  IItemsManager* manager) {
  if (!first || !second) return nullptr;
  TXmlNode* result = FindRule(guide, first->GetCurrentName(), second->GetCurrentName());
  if (!result) return nullptr;
  str value = result->GetAttribute("value");
  str secondName = result->GetAttribute("second_item");
  if (secondName.empty()) {
    IItem* made = OItemFactory::CreateForInventory(value, manager);
    if (!made) return nullptr;
    made->CreateObject();
    StartEffect(result, first->IsOnPointer() ? first : second, manager);
    DeleteHeldItem();
    return made;
  }
  // The held item's name decides which result goes into the hand: the
  // "value" when it is the rule's item1.
  TXmlNode* rule = FindRuleNode(guide, first->GetCurrentName(), second->GetCurrentName());
  IItem* held = HeldItem();
  bool heldIsFirst = held && rule->GetChildContent("item1") == held->GetCurrentName();
  IItem* toHand = OItemFactory::CreateForPointer(heldIsFirst ? value : secondName, manager);
  IItem* toInventory = OItemFactory::CreateForInventory(heldIsFirst ? secondName : value, manager);
  if (!toHand || !toInventory) {
    // Half a result would lose the held item for nothing.
    delete toHand;
    delete toInventory;
    return nullptr;
  }
  DeleteHeldItem();
  toHand->CreateObject();
  toInventory->CreateObject();
  return toInventory;
}
