#pragma once
// The actions listed under one name in the composite_actions document, built
// once at construction and run in document order. A composite that names
// itself, directly or through others, is cut at kMaxDepth nested composites.

#include <vector>

#include "IAction.h"
#include "sdk/str.h"

class OCompositeAction : public IAction {
 public:
  enum { kMaxDepth = 16 };

  OCompositeAction(const str& name, GMasksManager* owner);
  ~OCompositeAction() override;
  void Execute() override;
  void SetOwner(GMasksManager* owner) override;

  const str& GetName() const { return mName; }
  const std::vector<IAction*>& GetActions() const { return mActions; }
  size_t GetActionCount() const { return mActions.size(); }

 private:
  str mName;
  std::vector<IAction*> mActions;  // owned
};
