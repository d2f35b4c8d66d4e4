#pragma once
// The actions listed under one name in the composite_actions document, run
// in document order.

#include <vector>

#include "IAction.h"
#include "sdk/str.h"

class OCompositeAction : public IAction {
 public:
  OCompositeAction(const str& name, GMasksManager* owner);
  ~OCompositeAction() override;
  void Execute() override;
  void SetOwner(GMasksManager* owner) override;
  size_t GetActionCount() const { return mActions.size(); }

 private:
  std::vector<IAction*> mActions;
};
