#include "OCompositeAction.h"

#include <algorithm>
#include <vector>

#include "OActionFactory.h"
#include "game/OGameConfig.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
// The composites being built right now, outermost first. A list that names
// itself, directly or through others, would otherwise build forever; it is
// cut where its name comes round again, and any chain at kMaxDepth.
std::vector<str>& BuildChain() {
  static std::vector<str> chain;
  return chain;
}

const char* DocumentName() {
  return OGameConfig::GetDocumentName(OGameConfig::kCompositeActionsCfg);
}
}  // namespace

OCompositeAction::List::~List() {
  for (IAction* action : actions) delete action;
}

OCompositeAction::OCompositeAction(const str& name, GMasksManager* owner)
    : IAction(owner), mName(name), mList(std::make_shared<List>()) {
  std::vector<str>& chain = BuildChain();
  if (chain.size() >= size_t(kMaxDepth) || std::find(chain.begin(), chain.end(), name) != chain.end()) {
    Report("%s: composite action \"%s\" includes itself or nests more than %d deep; cut there",
           DocumentName(), name.c_str(), int(kMaxDepth));
    return;
  }
  TXmlNode* list = OGameConfig::GetInstance()->GetCompositeActionsCfg();
  TXmlNode* element = (list && !name.empty()) ? list->GetChild(name) : nullptr;
  if (!element) {
    Report("%s: no composite action \"%s\"; it does nothing", DocumentName(), name.c_str());
    return;
  }
  chain.push_back(name);
  for (size_t i = 0; i < element->GetChildCount(); ++i)
    if (IAction* action = OActionFactory::CreateAction(element->GetChildAt(i), owner))
      mList->actions.push_back(action);
  chain.pop_back();
}

OCompositeAction::~OCompositeAction() = default;

void OCompositeAction::Execute() {
  // Only the local reference is used from here on: `this` may be gone after
  // any child has run.
  std::shared_ptr<List> list = mList;
  for (IAction* action : list->actions) action->Execute();
}

void OCompositeAction::SetOwner(GMasksManager* owner) {
  IAction::SetOwner(owner);
  for (IAction* action : mList->actions) action->SetOwner(owner);
}
