#include "OCompositeAction.h"

#include "OActionFactory.h"
#include "game/OGameConfig.h"
#include "sdk/TXmlNode.h"

OCompositeAction::OCompositeAction(const str& name, GMasksManager* owner) {
  TXmlNode* list = OGameConfig::GetInstance()->GetCompositeActionsCfg()->GetChild(name);
  if (!list) return;
  for (size_t i = 0; i < list->GetChildCount(); ++i)
    if (IAction* a = OActionFactory::CreateAction(list->GetChildAt(i), owner)) mActions.push_back(a);
}

OCompositeAction::~OCompositeAction() {
  for (IAction* a : mActions) delete a;
}

void OCompositeAction::Execute() {
  for (IAction* a : mActions) a->Execute();
}

void OCompositeAction::SetOwner(GMasksManager* owner) {
  for (IAction* a : mActions) a->SetOwner(owner);
}
