#pragma once
// The actions listed under one name in the composite_actions document, built
// once at construction and run in document order. A composite that names
// itself, directly or through others, is cut at kMaxDepth nested composites.

#include <memory>
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
  const std::vector<IAction*>& GetActions() const { return mList->actions; }
  size_t GetActionCount() const { return mList->actions.size(); }

 private:
  // Owns the children. Shared with every run in progress: a child may delete
  // the composite's holder and so the composite itself (an item whose own
  // action deletes or replaces the held item), and the run still needs the
  // list to finish.
  struct List {
    std::vector<IAction*> actions;
    List() = default;
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    ~List();
  };

  str mName;
  std::shared_ptr<List> mList;
};
