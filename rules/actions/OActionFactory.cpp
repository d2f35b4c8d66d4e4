#include "OActionFactory.h"

#include <cstdlib>

#include "OCompositeAction.h"
#include "ODeleteItemAction.h"
#include "ODummyAction.h"
#include "OElectricalShakeAction.h"
#include "OExitToMainMenuAction.h"
#include "OFlagAction.h"
#include "OHintAction.h"
#include "OPassageAction.h"
#include "OPoisonAction.h"
#include "ORemoveTutorialBackgroundAction.h"
#include "ORestoreItemAction.h"
#include "OSoundAction.h"
#include "OSubstituteItemAction.h"
#include "OVethraAtmosphereAction.h"
#include "rules/hints/IHint.h"
#include "sdk/TXmlNode.h"

namespace {
typedef IAction* (*Maker)(TXmlNode* element, GMasksManager* owner);

int ToInt(const str& text) {
  return int(std::strtol(text.c_str(), nullptr, 10));
}

// Absent counts as "delete": only the exact "false" keeps the item.
bool DeleteFlag(TXmlNode* e) {
  return e->GetAttribute("delete_item") != "false";
}

struct Kind {
  const char* type;
  Maker make;
};

// Compared in this order; the first equal name decides.
const Kind kKinds[] = {
    {"substitute",
     [](TXmlNode* e, GMasksManager* o) -> IAction* {
       return new OSubstituteItemAction(e->GetAttribute("subs_item_id"), o);
     }},
    {"delete_item", [](TXmlNode* e, GMasksManager* o) -> IAction* { return new ODeleteItemAction(o); }},
    {"composite",
     [](TXmlNode* e, GMasksManager* o) -> IAction* {
       return new OCompositeAction(e->GetAttribute("name"), o);
     }},
    {"hint",
     [](TXmlNode* e, GMasksManager* o) -> IAction* {
       return new OHintAction(e->GetAttribute("text"), e->GetAttribute("after_close_action"),
                              ParseHintKind(e->GetAttribute("hint_type")), o);
     }},
    {"poison",
     [](TXmlNode* e, GMasksManager* o) -> IAction* {
       return new OPoisonAction(ToInt(e->GetAttribute("time_to_die")), DeleteFlag(e), o);
     }},
    {"berry_poison",
     [](TXmlNode* e, GMasksManager* o) -> IAction* {
       return new OBerryPoisonAction(ToInt(e->GetAttribute("time_to_die")), DeleteFlag(e), o);
     }},
    {"sound",
     [](TXmlNode* e, GMasksManager* o) -> IAction* { return new OSoundAction(e->GetAttribute("file"), o); }},
    {"dummy", [](TXmlNode* e, GMasksManager* o) -> IAction* { return new ODummyAction(); }},
    {"restore_item",
     [](TXmlNode* e, GMasksManager* o) -> IAction* {
       return new ORestoreItemAction(e->GetAttribute("item_id"), o);
     }},
    {"remove_tutorial_background",
     [](TXmlNode* e, GMasksManager* o) -> IAction* { return new ORemoveTutorialBackgroundAction(o); }},
    {"electrical_shake",
     [](TXmlNode* e, GMasksManager* o) -> IAction* { return new OElectricalShakeAction(o); }},
    {"vethra_atmosphere",
     [](TXmlNode* e, GMasksManager* o) -> IAction* { return new OVethraAtmosphereAction(o); }},
    {"exit_to_main_menu",
     [](TXmlNode* e, GMasksManager* o) -> IAction* { return new OExitToMainMenuAction(o); }},
};
}  // namespace

IAction* OActionFactory::CreateAction(TXmlNode* element, GMasksManager* owner) {
  if (!element) return nullptr;
  str type = element->GetAttribute("type");
  for (const Kind& kind : kKinds)
    if (type == kind.type) return kind.make(element, owner);
  str link = element->GetAttribute("link");
  if (!link.empty()) return new OPassageAction(link, owner);
  str name = element->GetAttribute("flag_name"), value = element->GetAttribute("flag_value");
  if (!name.empty() && !value.empty()) return new OFlagAction(name, value, owner);
  return nullptr;
}

bool OActionFactory::RunAction(TXmlNode* element, GMasksManager* owner) {
  IAction* action = CreateAction(element, owner);
  if (!action) return false;
  action->Execute();
  delete action;
  return true;
}
