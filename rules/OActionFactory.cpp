#include "OActionFactory.h"

#include "sdk/TXmlNode.h"

namespace {
std::vector<str>& Asked() {
  static std::vector<str> asked;
  return asked;
}
}  // namespace

IAction* OActionFactory::CreateAction(TXmlNode* node, GMasksManager* owner) {
  if (!node) return nullptr;
  str what = node->GetAttribute("type");
  if (what.empty() && !node->GetAttribute("link").empty()) what = "link " + node->GetAttribute("link");
  if (what.empty() && !node->GetAttribute("flag_name").empty())
    what = "flag " + node->GetAttribute("flag_name") + "=" + node->GetAttribute("flag_value");
  Asked().push_back(what);
  return nullptr;
}

const std::vector<str>& OActionFactory::GetAsked() {
  return Asked();
}
void OActionFactory::ClearAsked() {
  Asked().clear();
}
