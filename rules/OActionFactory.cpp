#include "OActionFactory.h"

#include "OFlagAction.h"
#include "OPassageAction.h"
#include "sdk/TXmlNode.h"

namespace {
std::vector<str>& Asked() {
  static std::vector<str> asked;
  return asked;
}
// The kinds a "type" names come with the rules; an element whose "type"
// names none of them may still describe a passage or a variable to set.
IAction* CreatePassageOrFlag(TXmlNode* node, GMasksManager* owner) {
  static const char* const kKnownTypes[] = {"substitute",
                                            "delete_item",
                                            "composite",
                                            "hint",
                                            "poison",
                                            "berry_poison",
                                            "sound",
                                            "dummy",
                                            "restore_item",
                                            "remove_tutorial_background",
                                            "electrical_shake",
                                            "vethra_atmosphere",
                                            "exit_to_main_menu"};
  str type = node->GetAttribute("type");
  for (const char* known : kKnownTypes)
    if (type == known) return nullptr;
  str link = node->GetAttribute("link");
  if (!link.empty()) return new OPassageAction(link, owner);
  str name = node->GetAttribute("flag_name"), value = node->GetAttribute("flag_value");
  if (!name.empty() && !value.empty()) return new OFlagAction(name, value);
  return nullptr;
}
}  // namespace

IAction* OActionFactory::CreateAction(TXmlNode* node, GMasksManager* owner) {
  if (!node) return nullptr;
  str what = node->GetAttribute("type");
  if (what.empty() && !node->GetAttribute("link").empty()) what = "link " + node->GetAttribute("link");
  if (what.empty() && !node->GetAttribute("flag_name").empty())
    what = "flag " + node->GetAttribute("flag_name") + "=" + node->GetAttribute("flag_value");
  Asked().push_back(what);
  return CreatePassageOrFlag(node, owner);
}

const std::vector<str>& OActionFactory::GetAsked() {
  return Asked();
}
void OActionFactory::ClearAsked() {
  Asked().clear();
}
