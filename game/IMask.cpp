#include "IMask.h"

#include "OActionMask.h"
#include "OItemMask.h"
#include "OPanelMask.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

IMask* IMask::CreateFromXml(TXmlNode* node, TImage* image, GMasksManager* manager) {
  if (!node) return nullptr;
  str type = node->GetAttribute("type");
  str name = node->GetAttribute("asset");
  str caption = node->GetAttribute("caption");
  if (type.empty()) return new OSimpleMask(name, image, caption, manager);
  if (type == "item") return new OItemMask(name, image, caption, manager);
  if (type == "panel") return new OPanelMask(name, image, manager);
  if (type == "action") {
    str look = node->GetAttribute("animation_type");
    int mode = look == "passage" ? 1 : look == "eye" ? 2 : 0;
    bool allowItem = node->GetAttribute("allow_item") != "false";
    IAction* action = OActionFactory::CreateAction(node, manager);
    return new OActionMask(name, image, caption, manager, action, allowItem, mode);
  }
  Report("mask \"%s\": unknown type \"%s\"; mask skipped", name.c_str(), type.c_str());
  return nullptr;
}
